// The cut changed by hand: the count cells checked as they are typed, the
// coils cell kept within 10000, and "Λύσις" recomputing the window for the
// cut on screen. The checks and figures come from hand_cut.h.
#include "fixed_knife/form3.h"

#include "platform/msgbox.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

std::string str(const QString &s) { return s.toStdString(); }
QString qstr(const std::string &s) { return QString::fromStdString(s); }

// A figure box shows the start of its figure.
void writeFigure(QLineEdit *box, const std::string &text)
{
    if (box->text() != qstr(text)) box->setText(qstr(text));
    box->setCursorPosition(0);
}

// A count cell the user may be typing in keeps its cursor where it was.
void writeCount(QLineEdit *box, const std::string &text)
{
    const QString t = qstr(text);
    if (box->text() == t) return;
    const int at = box->cursorPosition();
    box->setText(t);
    box->setCursorPosition(std::min(at, int(t.size())));
}

// Reports the count cells' focus to the window.
class CountFocusWatch : public QObject {
public:
    explicit CountFocusWatch(Form3 *f) : QObject(f), m_form(f) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            const int i = m_form->Akommati.indexOf(qobject_cast<QLineEdit *>(watched));
            if (i >= 0) {
                if (event->type() == QEvent::FocusIn) m_form->Akommati_GotFocus(i);
                else m_form->Akommati_LostFocus(i);
            }
        }
        return false;
    }

private:
    Form3 *m_form;
};

} // namespace

void Form3::connectHandCut()
{
    auto *watch = new CountFocusWatch(this);
    // Only what the user types is checked: the program's own writes (the
    // search display, a restore, clearing) pass unchecked.
    for (int i = 0; i < Akommati.size(); ++i) {
        Akommati[i]->installEventFilter(watch);
        connect(Akommati[i], &QLineEdit::textEdited, this, [this, i] { Akommati_Change(i); });
    }
    connect(Grammi0, &QLineEdit::textEdited, this, [this] { Grammi_Change(0); });
    connect(lisi3, &QPushButton::clicked, this, &Form3::lisi3_Click);
}

void Form3::Akommati_GotFocus(int) { blnAkommatiFocus = true; }
void Form3::Akommati_LostFocus(int) { blnAkommatiFocus = false; }

fk::SearchedCut Form3::searchedCut() const
{
    fk::SearchedCut c;
    c.lastRow = m_shown ? m_shown->lastRow : m_planning.intLastRow;
    c.saved = dblSavedAkommati;
    c.freeKnives = intMaxairia;
    if (m_shown) {
        c.usableWidth = m_shown->usableWidth;
        c.maxStrips = m_shown->maxStrips;
    }
    return c;
}

void Form3::Akommati_Change(int Index)
{
    // Counts are measured against the searched cut; with none on screen
    // (nothing found, or the order cleared) there is nothing to measure.
    if (!m_shown || Index < 0 || Index >= Akommati.size()) return;
    fk::CutRowTexts widths, counts;
    for (int c = 0; c < fk::kMaxColumns; ++c) {
        widths[size_t(c)] = str(Text1[c]->text());
        counts[size_t(c)] = str(Akommati[c]->text());
    }
    const fk::CountEdit e = fk::checkCountEdit(widths, counts, Index, str(Text4->text()), searchedCut());
    if (e.outcome == fk::CountEditOutcome::BadText) {
        plat::msgBox(qstr(e.message));
        return;
    }
    for (int c = 0; c < fk::kMaxColumns; ++c) writeCount(Akommati[c], e.akommati[size_t(c)]);
    lblMaxairia->setText(qstr(e.maxairia));
    dblFira = e.dblFira;
    writeFigure(txtFira1, e.fira);
    blnAkommatiChanged = true;
    if (e.outcome == fk::CountEditOutcome::Restore) plat::msgBox(qstr(e.message));
}

void Form3::Grammi_Change(int)
{
    // A long paste is cut back at once, with one message, to what removing
    // its last character again and again would leave.
    if (const auto shorter = fk::coilsCutBack(str(Grammi0->text()))) {
        plat::msgBox(qstr(fk::kTooManyCoilsText));
        Grammi0->setText(qstr(*shorter));
    }
}

void Form3::writeCutFigures(const fk::HandCutResult &r)
{
    writeFigure(txtFira1, r.fira);
    dblFira = r.dblFira;
    dblTrims = r.trims;
    for (size_t c = 0; c < r.proion.size() && c < size_t(Proion.size()); ++c) {
        writeFigure(Proion[int(c)], r.proion[c]);
        writeFigure(Roles1[int(c)], r.roles1[c]);
    }
    writeFigure(Text3, r.text3);
    writeFigure(Text5, r.text5);
    writeFigure(Text8, r.text8);
    writeFigure(Text10, r.text10);
}

void Form3::lisi3_Click()
{
    fk::HandCutInput in;
    in.tickedRows = tickedOrderRows();
    in.intLastRow = m_planning.intLastRow;
    in.orderReplaced = m_orderReplaced;
    in.searched = m_shown ? &*m_shown : nullptr;
    in.cut = searchedCut();
    in.grammi = str(Grammi0->text());
    in.txtArxi = str(txtArxi->text());
    for (int c = 0; c < fk::kMaxColumns; ++c) {
        in.widths[size_t(c)] = str(Text1[c]->text());
        in.akommati[size_t(c)] = str(Akommati[c]->text());
    }
    in.dblFira = dblFira;
    in.changed = blnAkommatiChanged;
    const fk::HandCutResult r = fk::solveHandCut(in);

    switch (r.outcome) {
    case fk::HandCutOutcome::Silent: return;
    case fk::HandCutOutcome::Refused: plat::msgBox(qstr(r.message)); return;
    case fk::HandCutOutcome::Impossible:
        for (int i = 0; i <= in.cut.lastRow && i < fk::kMaxColumns; ++i) writeFigure(Akommati[i], r.akommati[size_t(i)]);
        writeCutFigures(r);
        CheckOrderRows();
        UpdateSummary();
        plat::msgBox(qstr(r.message));
        return;
    case fk::HandCutOutcome::Accepted: {
        writeCutFigures(r);
        CheckOrderRows();
        // The waste percentage follows the hand cut too; the free knives of
        // the searched cut stay what a restore goes back to.
        const double searchedKnives = intMaxairia;
        UpdateSummary();
        intMaxairia = searchedKnives;
        return;
    }
    }
}
