#include "user_plan/plan_recompute.h"

#include "platform/coil_range.h"
#include "platform/numtext.h"

#include <cmath>

namespace user_plan {

const char *const MsgRolakia = "Δεν έχετε ορίσει σωστά τα ρολλάκια";
const char *const MsgArithmos = "Δεν έχετε ορίσει σωστά τον αριθμό των ρόλλων";
const char *const MsgAllZero = "Επιλέξτε τουλάχιστον μία μη μηδενική τιμή για τον αριθμό των ρόλλων";
const char *const MsgArxi = "Δεν έχετε ορίσει σωστά την αρχή";
const char *const MsgTelos = "Δεν έχετε ορίσει σωστά το τέλος";

namespace {

RecomputeResult stop(const char *message, int focusRow)
{
    RecomputeResult r;
    r.message = message;
    r.focusRow = focusRow;
    return r;
}

// Strip counts and wastes are written by the search as numbers; a cell that
// somehow holds none counts as nothing rather than poisoning the totals.
double cellValue(const std::string &text)
{
    return plat::parseNumber(text).value_or(0.0);
}

} // namespace

std::string wastePercentText(double totalWasteKg, double producedTonnes)
{
    if (producedTonnes == 0) return {};
    // kg over t × 100 is the percentage in thousandths; held wide, so no
    // percentage is too large to show.
    const double x1000 = plat::roundHalfEven(totalWasteKg / producedTonnes * 100);
    if (!std::isfinite(x1000)) return {};
    return plat::numStr(x1000 / 1000) + "%";
}

RecomputeResult recomputePlan(const RecomputeInput &in)
{
    if (!in.filled) return {};

    const int n = static_cast<int>(in.rows.size());
    std::vector<double> c(n);
    for (int p = 0; p < n; ++p) {
        const auto v = plat::parseNumber(in.rows[p].coils);
        if (!v) return stop(MsgRolakia, p);
        c[p] = *v;
    }
    for (int p = 0; p < n; ++p)
        if (std::fabs(c[p]) > 10000) return stop(MsgArithmos, p);
    // Any negative count is wrong, including those from −0.5 up to 0 that
    // round to 0 but would be cut down to −1 below.
    for (int p = 0; p < n; ++p)
        if (c[p] < 0) return stop(MsgRolakia, p);

    RecomputeResult out;
    std::vector<std::string> coils(n);
    bool allZero = true;
    for (int p = 0; p < n; ++p) {
        c[p] = plat::intPart(c[p]) + 0.0; // + 0.0 turns −0 into 0
        coils[p] = plat::numStr(c[p]);
        if (c[p] != 0) allZero = false;
    }
    out.coils = coils;

    if (allZero) {
        out.message = MsgAllZero;
        // With no pattern row there is no field to return to.
        out.focusRow = n > 0 ? 0 : -1;
        return out;
    }
    if (in.intLastRow < 0 || in.intLastRow > 9) return out;

    // The trims are read from the planner as they stand now; one edited to a
    // negative width after the solve would make the total waste smaller
    // than the net waste.
    // A trim wider than the widest coil would carry the total waste past
    // every number.
    const auto left = plat::parseNumber(in.leftTrim);
    if (!left || *left < 0 || *left > plat::kMaxCoilWidth) {
        out.message = MsgArxi;
        return out;
    }
    const auto right = plat::parseNumber(in.rightTrim);
    if (!right || *right < 0 || *right > plat::kMaxCoilWidth) {
        out.message = MsgTelos;
        return out;
    }

    const int k = in.intLastRow;
    std::array<double, 10> sumRoles{}, sumBaros{};
    double netFira = 0, totalFira = 0;
    for (int p = 0; p < n; ++p) {
        const double w = cellValue(in.rows[p].waste);
        netFira = netFira + w * c[p];
        totalFira = totalFira + w * c[p] + c[p] * (*left + *right);
        for (int j = 0; j <= k; ++j) {
            const double strips = cellValue(in.rows[p].counts[j]);
            sumRoles[j] = sumRoles[j] + c[p] * strips;
            sumBaros[j] = sumBaros[j] + c[p] * strips * in.dblBarosRoles[j];
        }
    }

    RecomputeResult::Results res;
    for (int j = 0; j <= k; ++j) {
        res.roles.push_back(plat::numStr(sumRoles[j]));
        res.baros.push_back(plat::numStr(sumBaros[j]));
    }
    res.text3 = plat::numStr(netFira);
    res.text5 = plat::numStr(in.dblKgPerMm * netFira);
    res.text8 = plat::numStr(totalFira);
    res.text10 = plat::numStr(in.dblKgPerMm * totalFira);

    // The percentage reads the figures back as the window shows them.
    double produced = 0;
    for (const auto &b : res.baros) produced = produced + cellValue(b);
    res.text4 = wastePercentText(cellValue(res.text10), produced);

    out.results = std::move(res);
    return out;
}

} // namespace user_plan
