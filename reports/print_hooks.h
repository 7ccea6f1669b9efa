#pragma once
// How a planning window reaches its report without linking the reports
// library: the window writes its print table, then asks for the report here.
// The reports library (which reads the windows' controls, so it sits above
// them in the link order) installs the opener at start; until it does, a
// print writes its table and opens nothing.
#include <functional>

namespace reports {

enum class PrintJob {
    Proposal1,    // knife-change planner, proposal 1 (table Protasis1)
    Proposal2,    // knife-change planner, proposal 2 (table Protasis2)
    Proposal3,    // the user's plan (table Protasis3)
    CuttingOrder, // fixed-knife planner (table Protasis4)
};

inline std::function<void(PrintJob)> &reportOpener()
{
    static std::function<void(PrintJob)> opener;
    return opener;
}

inline void openReport(PrintJob job)
{
    if (const auto &open = reportOpener()) open(job);
}

} // namespace reports
