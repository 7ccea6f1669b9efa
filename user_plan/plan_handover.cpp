#include "user_plan/plan_handover.h"

#include "platform/qnum.h"
#include "user_plan/form2.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

Form2 *handOverToForm2(const PlanHandOver &h)
{
    Form2 *f = plat::FormInstance<Form2>::get();
    f->setPlanningSource(h.planner, h.values);

    const int last = std::min(h.intLastRow, 9);
    for (int i = 0; i <= last; ++i) {
        f->Roles[i]->setText(h.Roles[i]);
        f->Baros[i]->setText(h.Baros[i]);
        f->Mikos[i]->setText(h.Mikos[i]);
        f->Mikos[10 + i]->setText(h.Mikos[i]);
        f->Roles1[i]->setText(h.Roles1[i]);
        f->Roles2[i]->setText(h.Roles2[i]);
        f->Proion[i]->setText(h.Proion[i]);
        f->Proion1[i]->setText(h.Proion1[i]);
        f->Check1[i]->setChecked(true);
        f->Baros[10 + i]->setText(h.Proion[i]);
        f->Roles[10 + i]->setText(h.Roles1[i]);
        f->Text3->setText(h.Text3);
        f->Text5->setText(h.Text5);
        f->Text8->setText(h.Text8);
        f->Text10->setText(h.Text10);
        f->Text4->setText(h.Text12);
        f->Text1[i]->show();
    }
    // Rows beyond this order must not show an earlier, longer order's figures.
    for (int i = std::max(last + 1, 0); i < 10; ++i) {
        for (auto *e : {f->Roles[i], f->Baros[i], f->Mikos[i], f->Roles1[i], f->Roles2[i], f->Proion[i],
                        f->Proion1[i], f->Mikos[10 + i], f->Baros[10 + i], f->Roles[10 + i]})
            e->clear();
        f->Check1[i]->setChecked(false);
        f->Text1[i]->hide();
    }

    const int rows = std::max(h.Form2Row, 0);
    f->ensurePatternRows(rows);
    for (int r = 0; r < f->patternRowCount(); ++r) {
        for (int j = 0; j < 10; ++j) f->kommati(j)[r]->hide();
        f->txtFira[r]->hide();
        f->Grammi[r]->hide();
    }
    for (int r = 0; r < rows; ++r) {
        f->Grammi[r]->show();
        f->txtFira[r]->show();
    }
    for (int r = 0; r < rows; ++r) f->Grammi[r]->setText(h.RepeatText.value(r + 1));

    const int n = h.intLastRow + 1;
    if (n >= 1 && n <= 10) {
        const int left = plat::tw(wasteColumnLeftTwips(n));
        for (int r = 0; r < rows; ++r) {
            for (int j = 0; j < n; ++j) f->kommati(j)[r]->show();
            f->txtFira[r]->move(left, f->txtFira[r]->y());
            f->Text1[10]->move(left, f->Text1[10]->y());
        }
    }

    f->showForm();
    f->focusForm();
    return f;
}
