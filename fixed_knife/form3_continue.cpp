// Clearing the whole window ("Καθαρισμός όλων") and continuing into a new
// order ("Νέα παραγγελία" and its question): the rows kept come from
// continuation.h.
#include "fixed_knife/form3.h"
#include "fixed_knife/secondary_catalogue.h"

#include "fixed_knife/continuation.h"
#include "fixed_knife/frm_search.h"
#include "fixed_knife/frm_ypoloipa.h"
#include "platform/database.h"
#include "platform/msgbox.h"
#include "platform/qnum.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

// Right end of the header lines without the evaluation columns, twips.
constexpr int kHeadLineEndPlain = 4905;

void clearAndHide(QLineEdit *box)
{
    box->clear();
    box->hide();
}

} // namespace

void Form3::connectContinuation()
{
    connect(cmdClean, &QPushButton::clicked, this, &Form3::cmdClean_Click);
    connect(New, &QPushButton::clicked, this, &Form3::New_Click);
}

void Form3::hideEvaluationHeads()
{
    setHeaderLineEnd(kHeadLineEndPlain);
    setEvaluationHeadsVisible(false);
}

void Form3::clearOrderGrid()
{
    // From the last row up, so that no row moves into a freed place.
    for (int r = Check1.size() - 1; r >= 0; --r)
        if (Check1[r]->isChecked()) Check1[r]->setChecked(false);
    for (int r = 0; r < Check1.size(); ++r) {
        hideRowCells(r);
        Mikos[r]->clear();
        Baros[r]->clear();
    }
}

void Form3::clearSecondaryChoice()
{
    // A chooser still open shows counts that no longer hold: accepting them
    // would list widths that the next solve does not take.
    frmSearch::dropSharedResult();
    lstDefterevon->clear();
    if (const QString err = fk::catalogue::resetChosenCounts(); !err.isEmpty()) plat::msgBox(err);
}

void Form3::forgetShownCut()
{
    // The cut on screen, and a search still waiting, belong to the old order.
    blnStartSearch = false;
    m_armed.reset();
    m_shown.reset();
    m_orderReplaced = true;
    blnAkommatiFocus = false;
    blnAkommatiChanged = false;
    intLisiMode = 0;
    blnPrint = false;
    // Counts typed now would be neither checked nor used: the cells take
    // typing again when the next search shows a cut.
    for (QLineEdit *a : Akommati) a->setEnabled(false);
}

void Form3::cmdClean_Click()
{
    for (auto &row : Module1::strYpoloipa)
        for (QString &cell : row) cell.clear();
    hideEvaluationHeads();
    for (int r = 0; r < txtPososto.size(); ++r) {
        clearAndHide(txtPososto[r]);
        clearAndHide(txtDiafora[r]);
    }
    for (int r = 0; r < Mikos.size(); ++r) {
        for (QLineEdit *b : {Mikos[r], Baros[r], Roles[r], Proion[r], Roles1[r]}) clearAndHide(b);
        Akommati[r]->clear();
        setCellBackground(Akommati[r], m_light3d);
        Text1[r]->clear();
    }
    Frame1->hide();
    for (QLineEdit *t : {Text3, Text5, Text8, Text10, Text12}) t->clear();
    clearOrderGrid();
    clearSecondaryChoice();
    forgetShownCut();
}

void Form3::New_Click()
{
    Module1::intSinexeia = 0;
    hideEvaluationHeads();
    for (auto &row : strDiafores)
        for (QString &cell : row) cell.clear();
    intDiafores = 0;
    // The rows of the last evaluation, up to the first it did not cover.
    for (int i = 0; i < txtDiafora.size(); ++i) {
        if (txtDiafora[i]->isHidden()) break;
        strDiafores[size_t(intDiafores)] = {Mikos[i]->text(), txtDiafora[i]->text()};
        ++intDiafores;
    }
    if (intDiafores > 0) frmYpoloipa::showFor(this);
}

void Form3::SinexeiaNeasParaggelias()
{
    const int mode = Module1::intSinexeia;
    if (mode == 0) return;
    for (int r = 0; r < txtPososto.size(); ++r) {
        clearAndHide(txtPososto[r]);
        clearAndHide(txtDiafora[r]);
    }
    // The cut-program columns of the old order keep their texts.
    for (int r = std::max(m_planning.intLastRow + 1, 0); r < Mikos.size(); ++r) {
        for (QLineEdit *b : {Mikos[r], Baros[r], Roles[r], Proion[r], Roles1[r]}) clearAndHide(b);
        Akommati[r]->clear();
        Text1[r]->clear();
    }
    Frame1->hide();
    for (QLineEdit *t : {Text3, Text5, Text8, Text10, Text12}) t->clear();
    for (int r = 0; r < Mikos.size(); ++r)
        for (QLineEdit *b : {Roles[r], Roles1[r], Proion[r]}) b->clear();
    clearSecondaryChoice();
    forgetShownCut();
    clearOrderGrid();

    std::vector<fk::ContinuedRow> evaluated;
    for (int i = 0; i < intDiafores; ++i)
        evaluated.push_back({strDiafores[size_t(i)][0].toStdString(), strDiafores[size_t(i)][1].toStdString()});
    fk::LeftoverTable leftovers;
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 6; ++c) leftovers[size_t(r)][size_t(c)] = Module1::strYpoloipa[r][c].toStdString();
    const fk::Continuation next = fk::continuationRows(mode, evaluated, leftovers);
    for (size_t r = 0; r < next.rows.size(); ++r) {
        Check1[int(r)]->setChecked(true);
        Mikos[int(r)]->setText(QString::fromStdString(next.rows[r].width));
        Baros[int(r)]->setText(QString::fromStdString(next.rows[r].weight));
    }
    for (int r = 0; r < txtPososto.size(); ++r) {
        txtPososto[r]->hide();
        txtDiafora[r]->hide();
    }
    if (next.dropped > 0) plat::msgBox(QString::fromStdString(fk::droppedRowsText(next.dropped)));
}
