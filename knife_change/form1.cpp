#include "knife_change/form1.h"
#include "platform/widgets.h"

#include "platform/controls.h"
#include "platform/database.h"
#include "platform/msgbox.h"
#include "platform/qnum.h"
#include "user_plan/form2.h"
#include "user_plan/plan_handover.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using plat::tw;

namespace {

using plat::makeBox;
using plat::makeLabel;

const char *const kRowLabels[kc::kOrderRows] = {"Α", "Β", "Γ", "Δ", "Ε", "ΣΤ", "Ζ", "Η", "Θ", "Ι"};

// Row i of the order grid: top edge and height, twips.
constexpr int rowTop(int i) { return 1125 + 360 * i; }
constexpr int kRowHeight = 345;

// Column lefts and widths of the order grid, twips.
constexpr int kCheckLeft = 90, kCheckWidth = 600;
constexpr int kBoxWidth = 825;
constexpr int kMikosLeft = 705, kBarosLeft = 1545, kRolesLeft = 2385;
constexpr int kProionLeft = 3240, kRoles1Left = 4080, kProion1Left = 4935, kRoles2Left = 5775;

const QColor kRowTint(227, 227, 227);

QRect twRect(int x, int y, int w, int h) { return QRect(tw(x), tw(y), tw(w), tw(h)); }

// The coil seen from its end: the usable width between the two hatched edge
// trims, with the dimension line the width box sits on.
class CoilDrawing : public QWidget {
public:
    explicit CoilDrawing(QWidget *parent) : QWidget(parent) { setObjectName(QStringLiteral("CoilDrawing")); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const int w = width(), h = height();
        const QRect coil(0, h / 2, w - 1, h / 2 - 2);
        const int trim = w / 7;
        const QRect usable(coil.left() + trim, coil.top(), coil.width() - 2 * trim, coil.height());
        p.setPen(QPen(Qt::black, 1));
        p.fillRect(coil, QColor(200, 200, 200));
        p.fillRect(usable, QColor(235, 235, 235));
        p.drawRect(coil);
        p.drawRect(usable);
        // Hatch of the two trims.
        p.setPen(QPen(Qt::darkGray, 1));
        p.setClipRect(QRect(coil.left(), coil.top(), trim, coil.height()));
        for (int x = -coil.height(); x < trim; x += 6) p.drawLine(x, coil.bottom(), x + coil.height(), coil.top());
        p.setClipRect(QRect(usable.right(), coil.top(), trim + 1, coil.height()));
        for (int x = usable.right() - coil.height(); x < w; x += 6)
            p.drawLine(x, coil.bottom(), x + coil.height(), coil.top());
        p.setClipping(false);
        // Dimension line of the whole width, with its end marks.
        p.setPen(QPen(Qt::black, 1));
        const int y = h / 2 - 6;
        p.drawLine(coil.left(), y, coil.right(), y);
        p.drawLine(coil.left(), y - 4, coil.left(), coil.top());
        p.drawLine(coil.right(), y - 4, coil.right(), coil.top());
    }
};

// A box the program writes and the planner only reads: it shows the start
// of a long figure (its leading digits), in readable colours even when the
// box takes no input.
void makeDisplayOnly(QLineEdit *b)
{
    plat::showFromStart(b);
    plat::keepLegibleWhenDisabled(b);
    QPalette pal = b->palette();
    pal.setColor(QPalette::Disabled, QPalette::Base, pal.color(QPalette::Active, QPalette::Base));
    b->setPalette(pal);
}

void setIfChanged(QLineEdit *box, const std::string &text)
{
    const QString t = QString::fromStdString(text);
    if (box->text() != t) box->setText(t);
}

QStringList toQ(const std::vector<std::string> &v)
{
    QStringList out;
    out.reserve(static_cast<qsizetype>(v.size()));
    for (const std::string &s : v) out << QString::fromStdString(s);
    return out;
}

} // namespace

Form1::Form1() : plat::Form(QStringLiteral("Form1"))
{
    setWindowTitle(QStringLiteral("ΠΡΟΓΡΑΜΜΑ ΚΟΠΗΣ ΜΕ ΑΛΛΑΓΗ ΜΑΧΑΙΡΙΩΝ"));

    m_content = new QWidget;
    m_content->setObjectName(QStringLiteral("content"));
    m_content->setFixedSize(tw(11820), tw(7500));
    DScroller1 = plat::hostScroller(this, m_content);

    buildOrderGrid();
    buildCoil();
    buildTotals();
    buildButtonsAndPanels();
    setTabOrderChain();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);

    setFormSize(tw(11820) + 16, tw(7500) + 40);
}

Form1::~Form1() = default;

void Form1::buildOrderGrid()
{
    QWidget *c = m_content;
    QFont groupFont = font();
    groupFont.setBold(true);
    auto group = [&](const char *name, const char *text, int left, int right) {
        QLabel *l = makeLabel(c, name, QString::fromUtf8(text), twRect(left, 330, right - left, 255), Qt::AlignCenter);
        l->setFont(groupFont);
        l->setFrameShape(QFrame::Box);
    };
    group("Label5", "ΑΙΤΗΣΙΣ", kMikosLeft, kRolesLeft + kBoxWidth);
    group("Label6", "ΠΡΟΤΑΣΙΣ 1", kProionLeft, kRoles1Left + kBoxWidth);
    group("Label8", "ΠΡΟΤΑΣΙΣ 2", kProion1Left, kRoles2Left + kBoxWidth);

    QFont headFont = font();
    headFont.setPointSizeF(7.5);
    auto head = [&](const char *name, const char *text, int left, int width) {
        makeLabel(c, name, QString::fromUtf8(text), twRect(left - 15, 600, width + 30, 510), Qt::AlignCenter)
            ->setFont(headFont);
    };
    head("Label4", "A/A", kCheckLeft, kCheckWidth);
    head("lblMikos", "Εύρος  (χιλ.)", kMikosLeft, kBoxWidth);
    head("lblBaros", "Βάρος (τόνοι)", kBarosLeft, kBoxWidth);
    head("lblRoles", "Ρολλάκια (τσέρκια)", kRolesLeft, kBoxWidth);
    head("lblProion", "Βάρος προϊόντος", kProionLeft, kBoxWidth);
    head("lblRoles1", "Ρολλάκια (τσέρκια)", kRoles1Left, kBoxWidth);
    head("lblProion1", "Βάρος προϊόντος", kProion1Left, kBoxWidth);
    head("lblRoles2", "Ρολλάκια (τσέρκια)", kRoles2Left, kBoxWidth);

    QFont big = font();
    big.setBold(true);
    big.setPointSizeF(12);
    QFont small = font();
    small.setBold(true);
    small.setPointSizeF(9.75);

    for (int i = 0; i < kc::kOrderRows; ++i) {
        const int top = rowTop(i);
        auto *chk = new QCheckBox(QString::fromUtf8(kRowLabels[i]), c);
        chk->setObjectName(QStringLiteral("Check1"));
        chk->setGeometry(twRect(kCheckLeft + 60, top, kCheckWidth - 60, kRowHeight));
        chk->setProperty("Index", i);
        connect(chk, &QCheckBox::toggled, this, [this, i] { Check1_Click(i); });
        Check1.append(chk);

        auto box = [&](const char *name, int left, const QFont &f, bool editable) {
            QLineEdit *b = makeBox(c, QString::fromLatin1(name), twRect(left, top, kBoxWidth, kRowHeight));
            b->setProperty("Index", i);
            b->setFont(f);
            b->setTextMargins(0, 0, 0, 0);
            if (i % 2 == 1) {
                // Every second row is tinted, in the light grey of the plan
                // window's rows (the style's own light colour is white).
                QPalette pal = b->palette();
                for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
                    pal.setColor(group, QPalette::Base, kRowTint);
                b->setPalette(pal);
            }
            b->setEnabled(editable);
            if (!editable) makeDisplayOnly(b);
            else plat::showWholeInTooltip(b);
            b->setVisible(false);
            return b;
        };
        Mikos.append(box("Mikos", kMikosLeft, big, true));
        Baros.append(box("Baros", kBarosLeft, big, true));
        Roles.append(box("Roles", kRolesLeft, big, false));
        Proion.append(box("Proion", kProionLeft, small, false));
        Roles1.append(box("Roles1", kRoles1Left, small, false));
        Proion1.append(box("Proion1", kProion1Left, small, false));
        Roles2.append(box("Roles2", kRoles2Left, small, false));
        Mikos[i]->installEventFilter(this);
        Baros[i]->installEventFilter(this);
    }
}

void Form1::buildCoil()
{
    QWidget *c = m_content;
    auto *drawing = new CoilDrawing(c);
    drawing->setGeometry(twRect(6825, 90, 4800, 930));

    txtMikos = makeBox(c, QStringLiteral("txtMikos"), twRect(8700, 60, 900, 315));
    txtArxi = makeBox(c, QStringLiteral("txtArxi"), twRect(6900, 600, 570, 315));
    txtTelos = makeBox(c, QStringLiteral("txtTelos"), twRect(10980, 600, 570, 315));
    txtMikos->setText(QStringLiteral("1250"));
    txtArxi->setText(QStringLiteral("2"));
    txtTelos->setText(QStringLiteral("2"));
    for (QLineEdit *b : {txtMikos, txtArxi, txtTelos}) {
        b->setAlignment(Qt::AlignCenter);
        b->raise();
    }

    makeLabel(c, "Label1", QStringLiteral("Βάρος ρόλου:"), twRect(6825, 1140, 3800, 315));
    Text2 = makeBox(c, QStringLiteral("Text2"), twRect(10680, 1140, 870, 315));
    Text2->setText(QStringLiteral("8"));
    makeLabel(c, "Label15", QStringLiteral("Μέγιστος αριθμός τσερκιών ανά κοπή: "), twRect(6825, 1500, 3800, 315));
    Text4 = makeBox(c, QStringLiteral("Text4"), twRect(10680, 1500, 870, 315));
    Text4->setText(QStringLiteral("11"));

    txtApoklisi = makeBox(c, QStringLiteral("txtApoklisi"), twRect(6825, 1860, 600, 315));
    txtApoklisi->setText(QStringLiteral("10"));
    txtApoklisi->setVisible(false);

    chkPrint = new QCheckBox(QStringLiteral("Οικονομική"), c);
    chkPrint->setObjectName(QStringLiteral("chkPrint"));
    chkPrint->setGeometry(twRect(1200, 4815, 1800, 300));
    chkPrint->setChecked(true);
}

void Form1::buildTotals()
{
    Frame1 = new QGroupBox(QStringLiteral("ΠΡΟΤΑΣΙΣ:") + QString(49, QLatin1Char(' ')) + QStringLiteral("1") +
                               QString(8, QLatin1Char(' ')) + QStringLiteral("2"),
                           m_content);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twRect(6705, 2070, 5055, 1500));
    Frame1->setVisible(false);
    // The title's blanks set "1" and "2" over the two columns at the
    // window's font; the lines themselves use a smaller one to fit.
    QFont small = font();
    small.setPointSizeF(7.5);

    struct Line {
        const char *label, *text, *left, *right;
    };
    const Line lines[] = {
        {"Label19", "Καθαρή φύρα:", "Text3", "Text7"},
        {"Label10", "Εκτιμώμενο βάρος καθαρής φύρας (Kg):", "Text5", "Text6"},
        {"Label21", "Συνολική φύρα (με ξακρισμα):", "Text8", "Text9"},
        {"Label20", "Εκτιμώμενο βάρος συνολικής φύρας:", "Text10", "Text11"},
        {"Label17", "Ποσοστό φύρας/βάρος παραγγελίας:", "Text12", "Text13"},
    };
    QLineEdit **boxes[][2] = {{&Text3, &Text7}, {&Text5, &Text6}, {&Text8, &Text9}, {&Text10, &Text11},
                              {&Text12, &Text13}};
    for (int k = 0; k < 5; ++k) {
        const int top = 270 + 240 * k;
        QLabel *l = makeLabel(Frame1, lines[k].label, QString::fromUtf8(lines[k].text), twRect(60, top, 3300, 240));
        l->setWordWrap(false);
        l->setFont(small);
        for (int side = 0; side < 2; ++side) {
            QLineEdit *b = makeBox(Frame1, QString::fromLatin1(side == 0 ? lines[k].left : lines[k].right),
                                   twRect(side == 0 ? 3375 : 4200, top, 810, 240));
            b->setReadOnly(true);
            b->setFocusPolicy(Qt::NoFocus);
            b->setFont(small);
            b->setTextMargins(0, 0, 0, 0);
            QPalette pal = b->palette();
            pal.setColor(QPalette::Text, Qt::red);
            pal.setColor(QPalette::Base, pal.color(QPalette::Light));
            b->setPalette(pal);
            makeDisplayOnly(b);
            *boxes[k][side] = b;
        }
    }
}

void Form1::buildButtonsAndPanels()
{
    QWidget *c = m_content;
    auto button = [&](const char *name, const QString &text, const QRect &r) {
        auto *b = new QPushButton(text, c);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(r);
        return b;
    };
    lisi = button("lisi", QStringLiteral("Λύση"), twRect(6825, 3645, 1500, 420));
    // "Νέα παραγγελία" is the longest caption: its button is the widest.
    New = button("New", QStringLiteral("Νέα παραγγελία"), twRect(8370, 3645, 1710, 420));
    Exit = button("Exit", QStringLiteral("Έξοδος"), twRect(10125, 3645, 1500, 420));
    Command1 = button("Command1", QStringLiteral("Πρότασις 3"), twRect(8370, 4110, 1710, 420));
    cmdPrint = button("cmdPrint", QStringLiteral("Εκτύπωση"),
                      twRect(kProionLeft, 4770, kRoles1Left + kBoxWidth - kProionLeft, 390));
    cmdPrint2 = button("cmdPrint2", QStringLiteral("Εκτύπωση"),
                       twRect(kProion1Left, 4770, kRoles2Left + kBoxWidth - kProion1Left, 390));
    cmdClean = button("cmdClean", QString(), QRect(0, 0, 32, 32));
    cmdClean->setIcon(style()->standardIcon(QStyle::SP_DialogResetButton));
    cmdClean->setIconSize(QSize(22, 22));
    Command2 = button("Command2", QStringLiteral("Command2"), twRect(0, 4770, 1200, 390));
    Command2->setVisible(false);

    connect(lisi, &QPushButton::clicked, this, &Form1::lisi_Click);
    connect(New, &QPushButton::clicked, this, &Form1::New_Click);
    connect(Exit, &QPushButton::clicked, this, &Form1::Exit_Click);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(cmdClean, &QPushButton::clicked, this, &Form1::cmdClean_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &Form1::cmdPrint_Click);
    connect(cmdPrint2, &QPushButton::clicked, this, &Form1::cmdPrint2_Click);

    List4 = new QListWidget(c);
    List4->setObjectName(QStringLiteral("List4"));
    List4->setVisible(false);

    Frame2 = new QGroupBox(QStringLiteral("ΠΡΟΓΡΑΜΜΑ ΚΟΠΗΣ  (μέ φύρα ανά ρόλο - Coil):"), c);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(twRect(240, 5280, 11415, 2055));
    auto grid = [&](const char *name) {
        auto *g = new QTableView(Frame2);
        g->setObjectName(QString::fromLatin1(name));
        g->setGeometry(twRect(30, 480, 10845, 1485));
        g->setEditTriggers(QAbstractItemView::NoEditTriggers);
        g->setVisible(false);
        return g;
    };
    DataGrid1 = grid("DataGrid1");
    DataGrid2 = grid("DataGrid2");
    m_model1 = new QSqlQueryModel(this);
    m_model2 = new QSqlQueryModel(this);
    cmdP1 = new QPushButton(QStringLiteral("Π1"), Frame2);
    cmdP1->setObjectName(QStringLiteral("cmdP1"));
    cmdP1->setGeometry(twRect(10920, 480, 450, 360));
    cmdP1->setVisible(false);
    cmdP2 = new QPushButton(QStringLiteral("Π2"), Frame2);
    cmdP2->setObjectName(QStringLiteral("cmdP2"));
    cmdP2->setGeometry(twRect(10920, 900, 450, 360));
    cmdP2->setVisible(false);
    connect(cmdP1, &QPushButton::clicked, this, &Form1::cmdP1_Click);
    connect(cmdP2, &QPushButton::clicked, this, &Form1::cmdP2_Click);

    Frame3 = new QFrame(c);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    Frame3->setGeometry(twRect(30, 3480, 11800, 2655));
    Frame3->setFrameShape(QFrame::Box);
    Frame3->setLineWidth(2);
    Frame3->setAutoFillBackground(true);
    Label16 = new QLabel(QStringLiteral("Παρακαλώ περιμένετε. Γίνονται υπολογισμοί"), Frame3);
    Label16->setObjectName(QStringLiteral("Label16"));
    Label16->setGeometry(Frame3->rect());
    Label16->setAlignment(Qt::AlignCenter);
    QFont waitFont = font();
    waitFont.setBold(true);
    waitFont.setPointSizeF(16);
    Label16->setFont(waitFont);
    Frame3->setVisible(false);
    Frame3->raise();
}

void Form1::setTabOrderChain()
{
    QList<QWidget *> chain = {txtArxi, txtMikos, txtTelos, Text2, Text4};
    for (int i = 0; i < kc::kOrderRows; ++i) chain << Mikos[i] << Baros[i];
    chain << lisi << New << Exit << Command1;
    for (int k = 1; k < chain.size(); ++k) QWidget::setTabOrder(chain[k - 1], chain[k]);
}

// ---- Order grid ------------------------------------------------------------

void Form1::showRow(int i, bool visible)
{
    for (QVector<QLineEdit *> *col : {&Mikos, &Baros, &Roles, &Proion, &Roles1, &Proion1, &Roles2})
        (*col)[i]->setVisible(visible);
}

// A tick lands on the first free row; an untick pulls the last used row up
// into the freed one, so the rows in use stay one block from row 0. Setting
// a tick from here runs this handler again for that row, one level deep.
void Form1::Check1_Click(int Index)
{
    const int k = Index;
    if (Check1[k]->isChecked()) {
        int j = -1;
        for (int r = 0; r < k; ++r) {
            if (!Check1[r]->isChecked()) {
                j = r;
                break;
            }
        }
        if (j < 0) {
            showRow(k, true);
            return;
        }
        Check1[j]->setChecked(true);
        Check1[k]->setChecked(false);
        showRow(j, true);
        showRow(k, false);
        return;
    }

    showRow(k, false);
    Mikos[k]->setText(QString());
    Baros[k]->setText(QString());
    if (m_clearing) return;

    int m = -1;
    for (int j = k + 1; j <= 8; ++j) {
        if (!Check1[j]->isChecked()) continue;
        MovedWidthText = Mikos[j]->text();
        MovedWeightText = Baros[j]->text();
        if (!Check1[j + 1]->isChecked()) {
            m = j;
            break;
        }
    }
    if (m < 0 && Check1[9]->isChecked()) {
        m = 9;
        MovedWidthText = Mikos[9]->text();
        MovedWeightText = Baros[9]->text();
    }
    if (m < 0) return;

    Check1[m]->setChecked(false);
    Check1[k]->setChecked(true);
    showRow(m, false);
    Mikos[k]->setText(MovedWidthText);
    Baros[k]->setText(MovedWeightText);
    showRow(k, true);
    Mikos[m]->setText(QString());
    Baros[m]->setText(QString());
}

int Form1::tickedLastRow() const
{
    int n = 0;
    for (QCheckBox *c : Check1) n += c->isChecked() ? 1 : 0;
    return n - 1;
}

void Form1::keyDown(QVector<QLineEdit *> &column, int Index, int KeyCode, bool widthColumn)
{
    // The rows ticked now bound the moves. The planning values keep the
    // rows of the last Solve: the plan window recomputes proposal 3 with
    // them, and typing the next order must not change that plan's figures.
    const int lastRow = tickedLastRow();
    QLineEdit *target = nullptr;
    switch (KeyCode) {
    case Qt::Key_Left:
        if (!widthColumn) target = Mikos[Index];
        break;
    case Qt::Key_Right:
        if (widthColumn) target = Baros[Index];
        break;
    case Qt::Key_Up:
        if (Index > 0) target = column[Index - 1];
        break;
    case Qt::Key_Down:
        if (Index < lastRow) target = column[Index + 1];
        break;
    default:
        break;
    }
    if (target && target->isVisible() && target->isEnabled()) target->setFocus();
}

void Form1::Mikos_KeyDown(int Index, int KeyCode) { keyDown(Mikos, Index, KeyCode, true); }
void Form1::Baros_KeyDown(int Index, int KeyCode) { keyDown(Baros, Index, KeyCode, false); }

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        if (auto *box = qobject_cast<QLineEdit *>(watched)) {
            const int i = box->property("Index").toInt();
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (i >= 0 && i < Mikos.size() && Mikos[i] == box) Mikos_KeyDown(i, key);
            else if (i >= 0 && i < Baros.size() && Baros[i] == box) Baros_KeyDown(i, key);
        }
    }
    return plat::Form::eventFilter(watched, event); // the key goes on to the box
}

// ---- Clearing --------------------------------------------------------------

// Empties what a solve and its search produce: the lists, the totals, the
// result columns of every row and the proposal grids.
void Form1::clearResults()
{
    for (QStringList *l : {&List3, &List2, &List1, &lstPro1, &lstPro2, &lstPro11, &lstPro22}) l->clear();
    for (QLineEdit *t : {Text3, Text5, Text6, Text7, Text8, Text9, Text10, Text11, Text12, Text13}) t->setText(QString());
    for (int i = 0; i < kc::kOrderRows; ++i)
        for (QLineEdit *b : {Roles[i], Roles1[i], Roles2[i], Proion[i], Proion1[i]}) b->setText(QString());
    DataGrid1->setVisible(false);
    DataGrid2->setVisible(false);
    cmdP1->setVisible(false);
    cmdP2->setVisible(false);
}

void Form1::cmdClean_Click()
{
    Frame1->setVisible(false);
    clearResults();
    // Unticking every row must move none of them into row 0.
    m_clearing = true;
    for (int i = 0; i < kc::kOrderRows; ++i) {
        Check1[i]->setChecked(false);
        showRow(i, false);
        Mikos[i]->setText(QString());
        Baros[i]->setText(QString());
    }
    m_clearing = false;
}

void Form1::New_Click()
{
    Frame1->setVisible(false);
    clearResults();
}

// ---- Solve -----------------------------------------------------------------

kc::SolveTexts Form1::readSolveTexts() const
{
    kc::SolveTexts t;
    t.txtArxi = txtArxi->text().toStdString();
    t.txtTelos = txtTelos->text().toStdString();
    t.txtMikos = txtMikos->text().toStdString();
    t.Text2 = Text2->text().toStdString();
    t.Text4 = Text4->text().toStdString();
    t.txtApoklisi = txtApoklisi->text().toStdString();
    for (int i = 0; i < kc::kOrderRows; ++i) {
        t.ticked[i] = Check1[i]->isChecked();
        t.Mikos[i] = Mikos[i]->text().toStdString();
        t.Baros[i] = Baros[i]->text().toStdString();
    }
    return t;
}

// The rows are sorted through the work table Seira; equal widths keep the
// order they were typed in.
bool Form1::rewriteSeira(std::vector<kc::OrderRowValue> &rows, std::string &error)
{
    QList<QVariantList> data;
    for (size_t i = 0; i < rows.size(); ++i) data.append({static_cast<int>(i) + 1, rows[i].width, rows[i].weight});
    QString err;
    if (!plat::Database::rewriteTable(QStringLiteral("Seira"),
                                      {QStringLiteral("ID"), QStringLiteral("Mikos"), QStringLiteral("Baros")}, data,
                                      &err)) {
        error = err.toStdString();
        return false;
    }
    QSqlQuery q(plat::Database::db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("select * from Seira order by Mikos, ID"))) {
        error = plat::dbErrorText(q.lastError()).toStdString();
        return false;
    }
    rows.clear();
    while (q.next())
        rows.push_back({q.value(QStringLiteral("Mikos")).toDouble(), q.value(QStringLiteral("Baros")).toDouble()});
    return true;
}

void Form1::focusControl(const kc::Focus &focus)
{
    if (focus.control.empty()) return;
    const QString name = QString::fromStdString(focus.control);
    QWidget *w = nullptr;
    if (focus.index >= 0 && focus.index < kc::kOrderRows) {
        w = name == QLatin1String("Mikos") ? Mikos[focus.index] : Baros[focus.index];
        m_lastFocusName = QStringLiteral("%1(%2)").arg(name).arg(focus.index);
    } else {
        w = m_content->findChild<QWidget *>(name);
        m_lastFocusName = name;
    }
    if (w) w->setFocus();
}

void Form1::lisi_Click()
{
    m_lastFocusName.clear();
    // A request still pending belongs to the order as it was: a new Solve
    // drops it first, so that a Solve that stops (or the message it shows,
    // which lets the timer tick) never runs the old order's search.
    blnStartSearch = false;
    const kc::SolveResult r =
        kc::solve(readSolveTexts(), [this](std::vector<kc::OrderRowValue> &rows, std::string &error) {
            return rewriteSeira(rows, error);
        });
    setIfChanged(txtArxi, r.txtArxi);
    setIfChanged(txtTelos, r.txtTelos);
    setIfChanged(txtMikos, r.txtMikos);
    setIfChanged(Text2, r.Text2);
    setIfChanged(Text4, r.Text4);

    if (r.outcome == kc::SolveResult::Outcome::Stopped) {
        plat::msgBox(QString::fromStdString(r.message));
        focusControl(r.focus);
        return;
    }
    if (r.outcome == kc::SolveResult::Outcome::NoOrder) return;

    // Every result of the previous order goes, also what this search might
    // not rewrite.
    Frame3->setVisible(true);
    clearResults();
    QString err;
    const QString column = QStringLiteral("Paraggelia");
    if (!plat::Database::rewriteTables({plat::TableRewrite::lines(QStringLiteral("Protasis1"), column, {}),
                                        plat::TableRewrite::lines(QStringLiteral("Protasis2"), column, {})},
                                       &err)) {
        Frame3->setVisible(false);
        plat::msgBox(err);
        return;
    }

    const kc::SearchInputs &in = r.inputs;
    m_solved = true;
    values.intLastRow = in.lastRow;
    values.dblKgPerMm = in.kgPerMm;
    for (int i = 0; i <= in.lastRow; ++i) values.dblBarosRoles[i] = in.barosRoles[i];
    values.dblBarosParaggelias = 0;
    Frame1->setVisible(true);
    for (int i = 0; i <= in.lastRow; ++i) {
        Mikos[i]->setText(QString::fromStdString(r.Mikos[i]));
        Baros[i]->setText(QString::fromStdString(r.Baros[i]));
        Roles[i]->setText(QString::fromStdString(r.Roles[i]));
        // The sorted rows show from their first digit, as typed ones do.
        Mikos[i]->setCursorPosition(0);
        Baros[i]->setCursorPosition(0);
    }

    m_request = in;
    m_state = strip_search::SearchState{};
    Form2Row = 0;
    RepeatText.clear();
    Command1->setVisible(true);
    blnStartSearch = true;
}

// ---- Deferred search -------------------------------------------------------

void Form1::Timer1_Timer()
{
    // A message box shown inside the search runs the event loop and so this
    // timer: such a tick must not start the same request again.
    if (!blnStartSearch || m_searching) return;
    m_searching = true;
    // Readers after the search (percentages, hand-over) count the rows the
    // search was given, whatever the grid's keys recounted meanwhile.
    values.intLastRow = m_request.lastRow;
    Frame3->setVisible(true);
    Frame3->repaint();
    if (kc::searchEntryFor(values.intLastRow) == kc::SearchEntry::Command2_Click) Command2_Click();
    else List4_Click();
    m_searching = false;
    blnStartSearch = false;
}

void Form1::List4_Click() { runSearch(); }
void Form1::Command2_Click() { runSearch(); }

void Form1::runSearch()
{
    ++m_searchesRun;
    m_lastSearch = m_request;
    if (m_request.lastRow < 0 || m_request.lastRow >= kc::kOrderRows) {
        Frame3->setVisible(false);
        return;
    }
    m_result = strip_search::runSearch(m_request, m_state);
    if (!m_result.proposal2Reached) {
        Frame3->setVisible(false);
        return;
    }
    showSearchResult();
    SaveProposal1();
    Frame3->setVisible(false);
    ShowWastePercentages();
    const std::string nothingCut = kc::searchEndMessage(m_result);
    if (!nothingCut.empty()) plat::msgBox(QString::fromStdString(nothingCut));
}

// The pattern grid of the user's plan: its first `rows` rows as the last
// search opened them.
void Form1::writePatternGrid(int rows)
{
    const std::vector<strip_search::GridRow> &grid = m_result.grid;
    rows = std::min(rows, static_cast<int>(grid.size()));
    if (rows <= 0) return;
    Form2 *f2 = plat::FormInstance<Form2>::get();
    f2->ensurePatternRows(rows);
    for (int r = 0; r < rows; ++r) {
        const strip_search::GridRow &row = grid[r];
        for (int k = 0; k < static_cast<int>(row.counts.size()) && k < kc::kOrderRows; ++k)
            f2->kommati(k)[r]->setText(QString::fromStdString(row.counts[k]));
        f2->txtFira[r]->setText(QString::fromStdString(row.waste));
        f2->Grammi[r]->setText(QString::fromStdString(row.coils));
    }
}

void Form1::showSearchResult()
{
    const strip_search::SearchResult &res = m_result;
    List3 = toQ(res.list3);
    lstPro1 = toQ(res.lstPro1);
    lstPro2 = toQ(res.lstPro2);
    List1 = toQ(res.list1);
    List2 = toQ(res.list2);

    writePatternGrid(static_cast<int>(res.grid.size()));
    Form2Row = static_cast<int>(res.grid.size());
    RepeatText = toQ(res.repeatText);

    auto put = [](QLineEdit *box, const std::optional<std::string> &text) {
        if (text) box->setText(QString::fromStdString(*text));
    };
    put(Text3, res.proposal1.netWaste);
    put(Text5, res.proposal1.netWasteKg);
    put(Text8, res.proposal1.totalWaste);
    put(Text10, res.proposal1.totalWasteKg);
    put(Text7, res.proposal2.netWaste);
    put(Text6, res.proposal2.netWasteKg);
    put(Text9, res.proposal2.totalWaste);
    put(Text11, res.proposal2.totalWasteKg);
    for (int i = 0; i < static_cast<int>(res.rows1.size()) && i < kc::kOrderRows; ++i) {
        Roles1[i]->setText(QString::fromStdString(res.rows1[i].strips));
        Proion[i]->setText(QString::fromStdString(res.rows1[i].productWeight));
    }
    for (int i = 0; i < static_cast<int>(res.rows2.size()) && i < kc::kOrderRows; ++i) {
        Roles2[i]->setText(QString::fromStdString(res.rows2[i].strips));
        Proion1[i]->setText(QString::fromStdString(res.rows2[i].productWeight));
    }
}

// ---- Proposal tables and grids ---------------------------------------------

void Form1::bindGrid(QTableView *grid, QSqlQueryModel *model, const QString &table)
{
    QSqlQuery q(plat::Database::db());
    q.exec(QStringLiteral("select * from %1").arg(table));
    model->setQuery(std::move(q));
    while (model->canFetchMore()) model->fetchMore();
    model->setHeaderData(0, Qt::Horizontal, QStringLiteral("Αλλ. μαχ."));
    model->setHeaderData(1, Qt::Horizontal, QStringLiteral("Παραγγελία"));
    grid->setModel(model);
    grid->verticalHeader()->setVisible(false);
    const float w = static_cast<float>(DataGrid1->width());
    grid->setColumnWidth(0, static_cast<int>(w * 0.1f));
    grid->setColumnWidth(1, static_cast<int>(w * 0.8f));
}

// The coil counts of one proposal and its grid over the table SaveProposal1
// wrote.
void Form1::saveProposal(int proposal, QStringList &counts, QTableView *grid, QSqlQueryModel *model)
{
    const QString table = proposal == 1 ? QStringLiteral("Protasis1") : QStringLiteral("Protasis2");
    counts.clear();
    for (const strip_search::DistinctPattern &p : m_result.patterns)
        counts << QString::fromStdString(proposal == 1 ? p.countText1 : p.countText2);
    bindGrid(grid, model, table);
}

void Form1::SaveProposal1()
{
    // One table line per distinct pattern, in the order the patterns first
    // appeared, each with all the coils that proposal cuts with it. Both
    // proposals of one search are written in one transaction: a failure or a
    // crash leaves both tables old or both new, never one of each.
    QStringList lines1, lines2;
    for (const strip_search::DistinctPattern &p : m_result.patterns) {
        lines1 << QString::fromStdString(p.line1);
        lines2 << QString::fromStdString(p.line2);
    }
    QString err;
    const QString column = QStringLiteral("Paraggelia");
    if (!plat::Database::rewriteTables({plat::TableRewrite::lines(QStringLiteral("Protasis1"), column, lines1),
                                        plat::TableRewrite::lines(QStringLiteral("Protasis2"), column, lines2)},
                                       &err))
        plat::msgBox(err);
    saveProposal(1, lstPro11, DataGrid1, m_model1);
    DataGrid1->setVisible(true);
    cmdP1->setVisible(true);
    cmdP2->setVisible(true);
    SaveProposal2();
}

void Form1::SaveProposal2() { saveProposal(2, lstPro22, DataGrid2, m_model2); }

void Form1::ShowWastePercentages()
{
    auto show = [this](const strip_search::WasteShare &share, QLineEdit *box) {
        values.dblBarosParaggelias = 0;
        if (!share.show) return;
        values.dblBarosParaggelias = share.productTonnes;
        // An undefined share (no product weight) leaves the box empty.
        if (share.percent) {
            values.intPosostoX1000 = std::llround(*share.percent * 1000);
            box->setText(plat::numText(*share.percent) + QStringLiteral("%"));
        } else {
            box->setText(QString());
        }
    };
    show(m_result.waste1, Text12);
    show(m_result.waste2, Text13);
    plat::FormInstance<Form2>::get()->hideForm();
}

void Form1::cmdP1_Click()
{
    DataGrid1->setVisible(true);
    DataGrid2->setVisible(false);
}

void Form1::cmdP2_Click()
{
    DataGrid2->setVisible(true);
    DataGrid1->setVisible(false);
}

// ---- Hand-over and lifecycle -----------------------------------------------

void Form1::Command1_Click()
{
    // The plan window reads the database as it opens.
    if (!plat::Database::checkFileTold()) return;
    PlanHandOver h;
    // After a Solve the plan goes across with the rows that Solve computed,
    // so that its width columns are exactly those of the patterns; before
    // any Solve, the rows ticked now.
    h.intLastRow = m_solved ? values.intLastRow : tickedLastRow();
    for (int i = 0; i < kc::kOrderRows; ++i) {
        h.Mikos[i] = Mikos[i]->text();
        h.Baros[i] = Baros[i]->text();
        h.Roles[i] = Roles[i]->text();
        h.Proion[i] = Proion[i]->text();
        h.Roles1[i] = Roles1[i]->text();
        h.Proion1[i] = Proion1[i]->text();
        h.Roles2[i] = Roles2[i]->text();
    }
    h.Text3 = Text3->text();
    h.Text5 = Text5->text();
    h.Text8 = Text8->text();
    h.Text10 = Text10->text();
    h.Text12 = Text12->text();
    h.Form2Row = Form2Row;
    h.RepeatText = RepeatText;
    h.planner = this;
    h.values = &values;
    // A plan window closed since the search went with the patterns the
    // search wrote into it: the new one gets them again.
    if (!plat::FormInstance<Form2>::loaded()) writePatternGrid(Form2Row);
    handOverToForm2(h);
}

void Form1::Form_Load()
{
    plat::setScrollerBackColor(DScroller1, palette().color(QPalette::Window));
    Module1::LoadParameters(this, false);
    Timer1->start();
}

void Form1::Form_Unload()
{
    // A request still pending is dropped with the window.
    Timer1->stop();
    blnStartSearch = false;
    plat::FormInstance<Form2>::unloadIfLoaded();
}

void Form1::Exit_Click() { unload(); }
