#pragma once
// The widest and the heaviest coil a planning window takes. Far beyond any
// slitting line, they keep every figure of a plan finite: wastes in kg over
// all the coils of an order, tonnes per strip, the percentages.
namespace plat {

inline constexpr double kMaxCoilWidth = 1e9;  // mm: trims and strip widths are at most the coil width
inline constexpr double kMaxCoilWeight = 1e9; // t

// Both planners' refusal of a coil (with an order to match) too wide for the
// exact search to answer in time.
inline constexpr const char *kCoilTooWideToSearch =
    "Το εύρος ρόλου είναι πολύ μεγάλο για τον υπολογισμό. Παρακαλώ ορίστε μικρότερο εύρος ρόλου";

} // namespace plat
