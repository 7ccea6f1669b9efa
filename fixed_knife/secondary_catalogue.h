#pragma once
// The items catalogue as the fixed-knife planner and its chooser use it:
// the selection count [Αριθμός Ρόλων] of each row and the chooser's search.
// Every value goes into its statement bound; a failure returns the Greek
// message to show (empty text on success) and changes nothing.
#include "fixed_knife/secondary_items.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <optional>

namespace fk::catalogue {

// A catalogue row with a count other than 0, in table order.
struct ChosenRow {
    double width = 0;        // Εύρος
    std::int64_t count = 0;  // [Αριθμός Ρόλων]
};

// A row of the chooser's result.
struct ResultRow {
    qint64 id = 0;
    QVariant width;      // Εύρος
    QVariant thickness;  // Πάχος
    QString typeName;    // Typos.Τύπος
    QVariant count;      // [Αριθμός Ρόλων], may be empty
};

// The search's statement, with "?" where the filter's values are bound.
QString searchStatement(const CatalogueFilter &f);
QString search(const CatalogueFilter &f, QVector<ResultRow> *rows);
// The rows as the table holds them now, in the order given: a row deleted
// since it was read is dropped, a changed width, thickness or count is taken.
// One statement, whatever the number of rows.
QString reread(QVector<ResultRow> *rows);

// Every count to 0, an empty one too.
QString resetAllCounts();
// Every count other than 0 to 0; an empty count stays empty, as it was never
// chosen. With none chosen nothing is written, so a database that takes no
// changes has nothing to refuse.
QString resetChosenCounts();
QString setCount(qint64 id, std::int64_t count);
// The first row (table order) of this width with a count other than 0 gets
// 0; none such: nothing changes.
QString clearCountOfWidth(std::int64_t width);
QString chosenRows(QVector<ChosenRow> *rows);
// The chosen rows as the search takes them: whole widths.
std::vector<SecondaryWidth> asSecondaryWidths(const QVector<ChosenRow> &rows);

// The widest catalogue width not above `width` (of that thickness when
// given); none when there is no such row.
QString widestAtMost(std::int64_t width, std::optional<double> thickness, std::optional<double> *found);

// The type names, in table order.
QString typeNames(QStringList *names);

} // namespace fk::catalogue
