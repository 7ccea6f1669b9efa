#pragma once
// The items catalogue: code, description, width, type code and thickness of
// each item, with a legend of the type codes and a choice of sort order.
#include "recordform.h"

class QGroupBox;
class QListWidget;

class frmProtasisXristi : public rec::GridRecordForm {
    Q_OBJECT
public:
    frmProtasisXristi();

    // Menu "Πίνακας Ειδών": loads the window, fills the type legend from the
    // types table, shows the window (or brings it to the front) and widens the
    // description column. A window whose table cannot be read says why and
    // stays closed.
    static void openFromMenu();

    void Form_Load() override;
    // Reopens the catalogue sorted by one of the sort list's expressions
    // ("Κωδικός", "[Περιγραφή Είδους]", "Εύρος", "Τύπος", "Πάχος"); any other
    // text is refused. A pending change is written first; when that or the
    // reopening fails, the catalogue stays as it was. Returns whether it was
    // reopened.
    bool OrderBy(const QString &sortExpression);
    void List2_Click();

    // The sort expressions, in the order of the sort list.
    static const QStringList &sortExpressions();

    QGroupBox *Frame1 = nullptr;
    QListWidget *List1 = nullptr; // type legend
    QGroupBox *Frame2 = nullptr;
    QListWidget *List2 = nullptr; // sort list
};
