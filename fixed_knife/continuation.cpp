#include "fixed_knife/continuation.h"

namespace fk {

int continuationMode(bool keepEvaluated, bool keepLeftovers)
{
    return (keepEvaluated ? 1 : 0) + (keepLeftovers ? 2 : 0);
}

Continuation continuationRows(int mode, const std::vector<ContinuedRow> &evaluated, const LeftoverTable &leftovers)
{
    std::vector<ContinuedRow> all;
    if (mode == 1 || mode == 3) all = evaluated;
    if (mode == 2 || mode == 3) {
        for (const LeftoverRow &row : leftovers)
            if (row[5] == kLeftoverMarker) all.push_back({row[0], row[1]});
    }
    Continuation c;
    for (ContinuedRow &row : all) {
        if (int(c.rows.size()) < kOrderRows) c.rows.push_back(std::move(row));
        else ++c.dropped;
    }
    return c;
}

std::string droppedRowsText(int dropped)
{
    const std::string head = "Η νέα παραγγελία χωράει έως 7 γραμμές (A έως Ζ). ";
    if (dropped == 1) return head + "Δεν μεταφέρθηκε 1 γραμμή.";
    return head + "Δεν μεταφέρθηκαν " + std::to_string(dropped) + " γραμμές.";
}

} // namespace fk
