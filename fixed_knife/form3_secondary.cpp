// Form3's secondary widths: opening the chooser with its presets, the list
// of chosen widths with its total, the Delete key on the list and clearing.
#include "fixed_knife/form3.h"

#include "fixed_knife/frm_search.h"
#include "fixed_knife/secondary_catalogue.h"
#include "platform/msgbox.h"
#include "platform/qnum.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace cat = fk::catalogue;

namespace {

std::string str(const QString &s) { return s.toStdString(); }

// Hands the key presses of one control to a handler; the control still gets them.
class KeyDownRelay : public QObject {
public:
    KeyDownRelay(QObject *parent, std::function<void(int key, int shift)> handler)
        : QObject(parent), m_handler(std::move(handler))
    {
    }

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::KeyPress) {
            const auto *k = static_cast<QKeyEvent *>(e);
            m_handler(k->key(), int(k->modifiers()));
        }
        return false;
    }

private:
    std::function<void(int, int)> m_handler;
};

} // namespace

void Form3::connectSecondaryItems()
{
    // A new planner resets every count when it loads: a result that a chooser
    // left open still shows no longer holds.
    frmSearch::dropSharedResult();
    cmdGrid->setEnabled(true);
    cmdCleanSecontary->setEnabled(true);
    connect(cmdGrid, &QPushButton::clicked, this, &Form3::cmdGrid_Click);
    connect(cmdCleanSecontary, &QPushButton::clicked, this, &Form3::cmdCleanSecontary_Click);
    lstDefterevon->installEventFilter(
        new KeyDownRelay(lstDefterevon, [this](int key, int shift) { lstDefterevon_KeyDown(key, shift); }));
}

std::vector<fk::SecondaryWidth> Form3::chosenSecondaries()
{
    QVector<cat::ChosenRow> rows;
    if (const QString err = cat::chosenRows(&rows); !err.isEmpty()) plat::msgBox(err);
    return cat::asSecondaryWidths(rows);
}

void Form3::cmdGrid_Click()
{
    // Every opening starts a new choice: all counts go back to 0, while this
    // window keeps its list until the chooser's next acceptance.
    frmSearch::dropSharedResult();
    if (const QString err = cat::resetAllCounts(); !err.isEmpty()) {
        plat::msgBox(err);
        return;
    }
    QStringList types;
    if (const QString err = cat::typeNames(&types); !err.isEmpty()) plat::msgBox(err);

    frmSearch *s = plat::FormInstance<frmSearch>::get();
    s->cmbEidos->clear();
    s->cmbEidos->addItems(types);
    s->cmbEidos->setCurrentIndex(-1);
    s->cmbEidos->setEditText(cmbEidos->currentText());
    s->txtPaxos->setText(txtPaxos->text());

    // The range runs from the widest catalogue width one free knife could
    // take up to the whole waste of the cut shown.
    const QString knives = lblMaxairia->text();
    if (!knives.isEmpty() && knives != QLatin1String("0")) {
        s->txtEvros2->setText(txtFira1->text());
        if (const auto below = fk::presetLowerWidth(str(txtFira1->text()), str(knives))) FindDefWidthBelow(*below);
    }
    s->lblMaxairia->setText(knives);
    Module1::ShowChildForm(s);
}

void Form3::FindDefWidthBelow(qint64 width)
{
    std::optional<double> thickness;
    if (const auto t = plat::toNumber(txtPaxos->text())) {
        const QString pointed = QString::fromStdString(fk::withDecimalPoint(str(txtPaxos->text())));
        if (txtPaxos->text() != pointed) txtPaxos->setText(pointed);
        thickness = *t;
    }
    std::optional<double> found;
    if (const QString err = cat::widestAtMost(width, thickness, &found); !err.isEmpty()) {
        plat::msgBox(err);
        return;
    }
    plat::FormInstance<frmSearch>::get()->txtEvros1->setText(found ? plat::numText(*found) : QString());
}

qint64 Form3::GetDefWidth()
{
    const QListWidgetItem *item = lstDefterevon->currentItem();
    if (!item || !item->isSelected()) return 0;
    return fk::lineWidth(str(item->text()));
}

void Form3::FindSumDef()
{
    std::vector<std::string> lines;
    for (int i = 0; i < lstDefterevon->count(); ++i) lines.push_back(str(lstDefterevon->item(i)->text()));
    lblSinolo->setText(plat::intText(fk::sumOfLineWidths(lines)));
    if (lstDefterevon->count() > 0) lstDefterevon->setCurrentRow(lstDefterevon->count() - 1);
}

void Form3::lstDefterevon_KeyDown(int KeyCode, int /*Shift*/)
{
    if (KeyCode != Qt::Key_Delete) return;
    const QListWidgetItem *item = lstDefterevon->currentItem();
    if (!item || !item->isSelected()) return;

    frmSearch::dropSharedResult();
    // An entry whose count an opening of the chooser has reset has no row
    // left to clear: then only the list is rebuilt.
    if (const QString err = cat::clearCountOfWidth(GetDefWidth()); !err.isEmpty()) {
        plat::msgBox(err);
        return;
    }
    QVector<cat::ChosenRow> rows;
    if (const QString err = cat::chosenRows(&rows); !err.isEmpty()) {
        plat::msgBox(err);
        return;
    }
    lstDefterevon->clear();
    for (const cat::ChosenRow &r : rows) lstDefterevon->addItem(QString::fromStdString(fk::secondaryLine(r.width, r.count)));
    FindSumDef();
}

void Form3::cmdCleanSecontary_Click()
{
    frmSearch::dropSharedResult();
    if (const QString err = cat::resetAllCounts(); !err.isEmpty()) {
        plat::msgBox(err);
        return;
    }
    // The total stays as it was: no clearing of this window resets it.
    lstDefterevon->clear();
}
