#include "user_plan/form2.h"
#include "platform/widgets.h"

#include "platform/controls.h"
#include "platform/msgbox.h"
#include "platform/qnum.h"
#include "shell/module1.h"
#include "user_plan/plan_recompute.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using plat::tw;

namespace {

// Geometry of the pattern grid, in twips as the layout was drawn.
constexpr int GrammiLeft = 120;
constexpr int ColumnLeft0 = 840;
constexpr int ColumnStep = 720;
constexpr int RowTop0 = 5400;
constexpr int RowStep = 240;
constexpr int WasteLeftAtDesign = 8040;

// Pixels of the rest of the window.
constexpr int BlockRow0 = 68, BlockRowStep = 20, BlockRowHeight = 19;
constexpr int BlockColStep = 75, BlockColWidth = 72;
constexpr int DesignContentWidth = 990, DesignContentHeight = 648;

const QColor Light3D(227, 227, 227);

const char *const RowLetters[10] = {"A", "Β", "Γ", "Δ", "Ε", "ΣΤ", "Ζ", "Η", "Θ", "Ι"};

// A display-only text box of the order, proposal or user-plan blocks, or a
// strip-count cell: disabled as designed, but its figures stay readable.
QLineEdit *displayBox(QWidget *parent, const QString &name, int index, bool shaded)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setProperty("Index", index);
    e->setEnabled(false);
    plat::keepLegibleWhenDisabled(e);
    QPalette pal = e->palette();
    if (shaded)
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            pal.setColor(group, QPalette::Base, Light3D);
    e->setPalette(pal);
    plat::showFromStart(e);
    return e;
}

// A heading: a text box that looks like a caption.
QLineEdit *headBox(QWidget *parent, const QString &name, int index, const QString &text)
{
    auto *e = new QLineEdit(text, parent);
    e->setObjectName(name);
    if (index >= 0) e->setProperty("Index", index);
    e->setReadOnly(true);
    e->setFrame(false);
    e->setFocusPolicy(Qt::NoFocus);
    QPalette pal = e->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(group, QPalette::Base, pal.color(QPalette::Window));
    e->setPalette(pal);
    e->setTextMargins(0, 0, 0, 0);
    e->setCursorPosition(0);
    return e;
}

QLabel *caption(QWidget *parent, const QString &text, const QRect &geometry, bool bold = false)
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(geometry);
    l->setAlignment(Qt::AlignCenter);
    l->setWordWrap(true);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

} // namespace

Form2::Form2() : plat::Form(QStringLiteral("Form2"))
{
    setWindowTitle(QStringLiteral("ΠΡΟΓΡΑΜΜΑ ΚΟΠΗΣ ΜΕ ΑΛΛΑΓΗ ΜΑΧΑΙΡΙΩΝ - ΕΠΕΞΕΡΓΑΣΙΑ ΑΠΟ ΧΡΗΣΤΗ"));
    QFont f = font();
    f.setPixelSize(11);
    setFont(f);

    // Everything sits on one content widget sized to the whole content, so a
    // grid longer than the window stays within reach.
    m_content = new QWidget;
    m_content->resize(DesignContentWidth, DesignContentHeight);
    DScroller1 = plat::hostScroller(this, m_content);

    buildOrderBlocks();
    buildPatternGrid();
    buildTotalsAndButtons();
    fitContent();
    setFormSize(DesignContentWidth + 24, DesignContentHeight + 40);
}

void Form2::buildOrderBlocks()
{
    Frame1 = new QGroupBox(QStringLiteral("Πρότασις υπολογιστή"), m_content);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    const int f1Col0 = 30;
    Frame1->setGeometry(8, 4, f1Col0 + 7 * BlockColStep + 4, BlockRow0 + 10 * BlockRowStep + 6);
    auto colX1 = [&](int k) { return f1Col0 + k * BlockColStep; };
    caption(Frame1, QStringLiteral("ΑΙΤΗΣΙΣ"), QRect(colX1(0), 18, 3 * BlockColStep - 3, 16), true);
    caption(Frame1, QStringLiteral("ΠΡΟΤΑΣΙΣ 1"), QRect(colX1(3), 18, 2 * BlockColStep - 3, 16), true);
    caption(Frame1, QStringLiteral("ΠΡΟΤΑΣΙΣ 2"), QRect(colX1(5), 18, 2 * BlockColStep - 3, 16), true);
    const QString heads1[7] = {QStringLiteral("Εύρος (χιλ.)"),       QStringLiteral("Βάρος (τόνοι)"),
                               QStringLiteral("Ρολλάκια (τσέρκια)"), QStringLiteral("Βάρος προϊόντος"),
                               QStringLiteral("Ρολλάκια (τσέρκια)"), QStringLiteral("Βάρος προϊόντος"),
                               QStringLiteral("Ρολλάκια (τσέρκια)")};
    for (int k = 0; k < 7; ++k) caption(Frame1, heads1[k], QRect(colX1(k), 35, BlockColWidth, 30));

    Frame2 = new QGroupBox(QStringLiteral("Πρότασις Χρήστη"), m_content);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    const int f2Col0 = 8;
    Frame2->setGeometry(Frame1->geometry().right() + 8, 4, f2Col0 + 3 * BlockColStep + 4,
                        Frame1->height());
    auto colX2 = [&](int k) { return f2Col0 + k * BlockColStep; };
    caption(Frame2, QStringLiteral("ΠΡΟΤΑΣΙΣ 3"), QRect(colX2(0), 18, 3 * BlockColStep - 3, 16), true);
    for (int k = 0; k < 3; ++k) caption(Frame2, heads1[k], QRect(colX2(k), 35, BlockColWidth, 30));

    Mikos.resize(20);
    Baros.resize(20);
    Roles.resize(20);
    for (int r = 0; r < 10; ++r) {
        const int y = BlockRow0 + r * BlockRowStep;
        const bool shaded = r % 2 == 1;
        auto *chk = new QCheckBox(QString::fromUtf8(RowLetters[r]), Frame1);
        chk->setObjectName(QStringLiteral("Check1"));
        chk->setProperty("Index", r);
        chk->setGeometry(4, y, f1Col0 - 6, BlockRowHeight);
        Check1.append(chk);

        QLineEdit *row1[7];
        const char *names1[7] = {"Mikos", "Baros", "Roles", "Proion", "Roles1", "Proion1", "Roles2"};
        for (int k = 0; k < 7; ++k) {
            row1[k] = displayBox(Frame1, QString::fromLatin1(names1[k]), r, shaded);
            row1[k]->setGeometry(colX1(k), y, BlockColWidth, BlockRowHeight);
        }
        Mikos[r] = row1[0];
        Baros[r] = row1[1];
        Roles[r] = row1[2];
        Proion.append(row1[3]);
        Roles1.append(row1[4]);
        Proion1.append(row1[5]);
        Roles2.append(row1[6]);

        const char *names2[3] = {"Mikos", "Baros", "Roles"};
        QLineEdit *row2[3];
        for (int k = 0; k < 3; ++k) {
            row2[k] = displayBox(Frame2, QString::fromLatin1(names2[k]), 10 + r, shaded);
            row2[k]->setGeometry(colX2(k), y, BlockColWidth, BlockRowHeight);
        }
        Mikos[10 + r] = row2[0];
        Baros[10 + r] = row2[1];
        Roles[10 + r] = row2[2];
    }
}

void Form2::buildPatternGrid()
{
    const int headTop = tw(RowTop0 - RowStep);
    Text2 = headBox(m_content, QStringLiteral("Text2"), -1, QStringLiteral("Ρολλάκια"));
    // A little wider than its column, so that the whole word shows.
    Text2->setGeometry(tw(GrammiLeft) - 4, headTop, tw(ColumnStep) + 4, tw(RowStep));
    for (int j = 0; j < 10; ++j) {
        const QString letter = QString::fromUtf8(RowLetters[j]);
        auto *h = headBox(m_content, QStringLiteral("Text1"), j, letter.rightJustified(5, QLatin1Char(' ')));
        h->setGeometry(tw(ColumnLeft0 + ColumnStep * j), headTop, tw(ColumnStep), tw(RowStep));
        Text1.append(h);
    }
    auto *wasteHead = headBox(m_content, QStringLiteral("Text1"), 10, QStringLiteral("  Φύρα"));
    wasteHead->setGeometry(tw(WasteLeftAtDesign), headTop, tw(ColumnStep), tw(RowStep));
    Text1.append(wasteHead);

    for (int r = 0; r < DesignPatternRows; ++r) addPatternRow();
}

void Form2::addPatternRow()
{
    const int r = Grammi.size();
    const int top = tw(RowTop0 + RowStep * r);
    const int h = tw(RowStep), w = tw(ColumnStep);

    auto *g = new QLineEdit(m_content);
    g->setObjectName(QStringLiteral("Grammi"));
    g->setProperty("Index", r);
    g->setGeometry(tw(GrammiLeft), top, w, h);
    g->installEventFilter(this);
    g->hide();
    Grammi.append(g);

    static const char *const names[10] = {"Akommati", "Bkommati", "Ckommati", "Dkommati", "Ekommati",
                                          "Fkommati", "Gkommati", "Hkommati", "Ikommati", "Jkommati"};
    for (int j = 0; j < 10; ++j) {
        auto *cell = displayBox(m_content, QString::fromLatin1(names[j]), r, true);
        cell->setGeometry(tw(ColumnLeft0 + ColumnStep * j), top, w, h);
        cell->hide();
        kommati(j).append(cell);
    }

    auto *fira = new QLabel(m_content);
    fira->setObjectName(QStringLiteral("txtFira"));
    fira->setProperty("Index", r);
    fira->setGeometry(tw(WasteLeftAtDesign), top, w, h);
    fira->setIndent(4);
    fira->hide();
    txtFira.append(fira);

    // Keep the tab order down the coils column.
    if (r > 0) setTabOrder(Grammi[r - 1], g);
}

void Form2::buildTotalsAndButtons()
{
    const int right = DesignContentWidth - 8;

    Frame3 = new QGroupBox(QStringLiteral("ΠΡΟΤΑΣΙΣ 3"), m_content);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    const int f3Left = tw(WasteLeftAtDesign + ColumnStep) + 16;
    Frame3->setGeometry(f3Left, tw(RowTop0 - RowStep) - 8, right - f3Left, 22 + 5 * 24 + 4);
    struct Total {
        QLineEdit **box;
        const char *name;
        const char *label;
    } totals[5] = {
        {&Text3, "Text3", "Καθαρή φύρα:"},
        {&Text5, "Text5", "Εκτιμώμενο βάρος καθαρής φύρας (Kg):"},
        {&Text8, "Text8", "Συνολική φύρα (με ξακρισμα):"},
        {&Text10, "Text10", "Εκτιμώμενο βάρος συνολικής φύρας(Kg):"},
        {&Text4, "Text4", "Ποσοστό φύρας/βάρος παραγγελίας:"},
    };
    const int boxWidth = 100;
    const int boxLeft = Frame3->width() - boxWidth - 8;
    for (int i = 0; i < 5; ++i) {
        const int y = 20 + i * 24;
        auto *l = new QLabel(QString::fromUtf8(totals[i].label), Frame3);
        l->setGeometry(6, y, boxLeft - 10, 20);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto *e = new QLineEdit(Frame3);
        e->setObjectName(QString::fromLatin1(totals[i].name));
        e->setGeometry(boxLeft, y, boxWidth, 20);
        e->setReadOnly(true);
        QPalette pal = e->palette();
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            pal.setColor(group, QPalette::Text, Qt::red);
        e->setPalette(pal);
        plat::showFromStart(e);
        *totals[i].box = e;
    }

    // Buttons and the print flag in the free corner beside the proposals.
    const int btnLeft = Frame2->geometry().right() + 14;
    const int btnWidth = right - btnLeft;
    auto button = [&](QPushButton *&b, const char *name, const char *text, int y) {
        b = new QPushButton(QString::fromUtf8(text), m_content);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(btnLeft, y, btnWidth, 30);
    };
    button(cmdLisi, "cmdLisi", "Λύσις", 12);
    button(cmdPrint, "cmdPrint", "Εκτύπωσις", 50);
    button(cmdPiso, "cmdPiso", "Πίσω", 88);
    connect(cmdLisi, &QPushButton::clicked, this, &Form2::cmdLisi_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &Form2::cmdPrint_Click);
    connect(cmdPiso, &QPushButton::clicked, this, &Form2::cmdPiso_Click);

    chkPrint = new QCheckBox(QStringLiteral("Οικονομική"), m_content);
    chkPrint->setObjectName(QStringLiteral("chkPrint"));
    chkPrint->setGeometry(btnLeft, 128, btnWidth, 20);

    List1 = new QListWidget(m_content);
    List1->setObjectName(QStringLiteral("List1"));
    const int listTop = Frame3->geometry().bottom() + 10;
    List1->setGeometry(f3Left, listTop, right - f3Left, DesignContentHeight - 8 - listTop);
}

void Form2::fitContent()
{
    const int gridBottom = tw(RowTop0 + RowStep * int(Grammi.size())) + 8;
    m_content->resize(DesignContentWidth, std::max(DesignContentHeight, gridBottom));
}

QVector<QLineEdit *> &Form2::kommati(int j)
{
    QVector<QLineEdit *> *const columns[10] = {&Akommati, &Bkommati, &Ckommati, &Dkommati, &Ekommati,
                                               &Fkommati, &Gkommati, &Hkommati, &Ikommati, &Jkommati};
    return *columns[std::clamp(j, 0, 9)];
}

void Form2::ensurePatternRows(int n)
{
    if (n <= Grammi.size()) return;
    while (Grammi.size() < n) addPatternRow();
    fitContent();
}

void Form2::setPlanningSource(QWidget *planner, const PlanningValues *values)
{
    m_planner = planner;
    m_values.reset();
    if (values) m_values = *values;
}

void Form2::Form_Load()
{
    // The scroller takes the window's own background colour.
    plat::setScrollerBackColor(DScroller1, palette().color(QPalette::Window));
    for (auto *c : Check1) c->hide();
    Module1::LoadParameters(this, true);
}

void Form2::focusField(QWidget *w)
{
    m_lastFocus = w;
    w->setFocus();
}

QString Form2::lastFocusName() const
{
    if (!m_lastFocus) return {};
    const QVariant idx = m_lastFocus->property("Index");
    return idx.isValid() ? m_lastFocus->objectName() + QLatin1Char('(') + idx.toString() + QLatin1Char(')')
                         : m_lastFocus->objectName();
}

void Form2::cmdLisi_Click()
{
    user_plan::RecomputeInput in;
    in.filled = !Roles[10]->text().trimmed().isEmpty();
    int rowsInUse = 0;
    for (auto *g : Grammi)
        if (!g->isHidden()) ++rowsInUse;
    for (int p = 0; p < rowsInUse; ++p) {
        user_plan::PatternRowText row;
        row.coils = Grammi[p]->text().toStdString();
        for (int j = 0; j < 10; ++j) row.counts[j] = kommati(j)[p]->text().toStdString();
        row.waste = txtFira[p]->text().toStdString();
        in.rows.push_back(std::move(row));
    }
    // The planner's trims as they stand now, with the values of the order
    // this plan was handed; all of them only while the planner is there.
    if (m_planner && m_values) {
        if (auto *e = m_planner->findChild<QLineEdit *>(QStringLiteral("txtArxi")))
            in.leftTrim = e->text().toStdString();
        if (auto *e = m_planner->findChild<QLineEdit *>(QStringLiteral("txtTelos")))
            in.rightTrim = e->text().toStdString();
        in.intLastRow = m_values->intLastRow;
        in.dblKgPerMm = m_values->dblKgPerMm;
        in.dblBarosRoles = m_values->dblBarosRoles;
    }

    const user_plan::RecomputeResult res = user_plan::recomputePlan(in);
    if (res.coils)
        for (int p = 0; p < int(res.coils->size()); ++p)
            Grammi[p]->setText(QString::fromStdString((*res.coils)[p]));
    if (!res.message.empty()) {
        plat::msgBox(QString::fromStdString(res.message));
        if (res.focusRow >= 0 && res.focusRow < Grammi.size()) focusField(Grammi[res.focusRow]);
        return;
    }
    if (!res.results) return;
    const auto &r = *res.results;
    for (int j = 0; j < int(r.roles.size()) && j < 10; ++j) {
        Roles[10 + j]->setText(QString::fromStdString(r.roles[j]));
        Baros[10 + j]->setText(QString::fromStdString(r.baros[j]));
    }
    Text3->setText(QString::fromStdString(r.text3));
    Text5->setText(QString::fromStdString(r.text5));
    Text8->setText(QString::fromStdString(r.text8));
    Text10->setText(QString::fromStdString(r.text10));
    Text4->setText(QString::fromStdString(r.text4));
}

void Form2::cmdPiso_Click() { hideForm(); }

void Form2::Grammi_LostFocus(int Index)
{
    if (Index < 0 || Index >= Grammi.size()) return;
    if (Grammi[Index]->text().trimmed().isEmpty()) Grammi[Index]->setText(QStringLiteral("0"));
}

bool Form2::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        const int index = Grammi.indexOf(qobject_cast<QLineEdit *>(watched));
        if (index >= 0) Grammi_LostFocus(index);
    }
    return plat::Form::eventFilter(watched, event);
}
