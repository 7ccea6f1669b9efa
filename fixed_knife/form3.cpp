#include "fixed_knife/form3.h"
#include "fixed_knife/secondary_catalogue.h"
#include "platform/widgets.h"

#include "fixed_knife/evaluation.h"
#include "fixed_knife/frm_notice.h"
#include "fixed_knife/frm_search.h"
#include "fixed_knife/knife_search.h"
#include "fixed_knife/order_inputs.h"
#include "platform/controls.h"
#include "platform/msgbox.h"
#include "platform/numtext.h"
#include "platform/qnum.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using plat::tw;

namespace {

using plat::keepLegibleWhenDisabled;
using plat::makeBox;
using plat::makeButton;
using plat::makeLabel;
using plat::makeLine;

const QString kExitQuestion = QStringLiteral("Παρακαλώ επιβεβαιώστε τήν έξοδόν σας από τήν εφαρμογή!");

// The order grid, pixels: column lefts and widths, row pitch.
constexpr int kGridLeft = 8;
constexpr int kCheckX = 8, kCheckW = 40;
constexpr int kMikosX = 50, kBarosX = 110, kMainW = 58;
constexpr int kRolesX = 170, kRolesW = 48;
constexpr int kProionX = 220, kProionW = 60;
constexpr int kRoles1X = 282, kRoles1W = 44;
constexpr int kPosostoX = 330, kDiaforaX = 382, kEvalW = 52;
constexpr int kHeadTop = 26, kHeadBottom = 73;
constexpr int kRowTop = 77, kRowPitch = 26, kRowH = 23;
// Right ends of the two header lines, twips: without and with the
// evaluation columns.
constexpr int kHeadEndPlain = 4905, kHeadEndEvaluated = 6526;

// The cut-program row.
constexpr int kCutTop = 372, kCutLeft = 8, kCutHeadW = 84, kCutColX = 94, kCutColPitch = 52, kCutColW = 50;

const char *const kRowLetters[10] = {"A", "Β", "Γ", "Δ", "Ε", "ΣΤ", "Ζ", "Η", "Θ", "Ι"};

std::string str(const QString &s) { return s.toStdString(); }

// Writes a figure into a box so that its start shows, as a long figure in a
// narrow box should.
void setBoxText(QLineEdit *box, const QString &text)
{
    if (box->text() != text) box->setText(text);
    box->setCursorPosition(0);
}
QString qstr(const std::string &s) { return QString::fromStdString(s); }

// The coil seen from above: its width between the two edge trims.
class CoilSketch : public QWidget {
public:
    explicit CoilSketch(QWidget *parent) : QWidget(parent) { setObjectName(QStringLiteral("CoilSketch")); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const int trim = width() / 8;
        p.fillRect(rect(), QColor(236, 236, 236));
        p.fillRect(QRect(0, 0, trim, height()), QColor(190, 190, 190));
        p.fillRect(QRect(width() - trim, 0, trim, height()), QColor(190, 190, 190));
        p.setPen(Qt::black);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        p.drawLine(trim, 0, trim, height());
        p.drawLine(width() - 1 - trim, 0, width() - 1 - trim, height());
    }
};

} // namespace

Form3::Form3() : plat::Form(QStringLiteral("Form3"))
{
    setWindowTitle(QStringLiteral("ΠΡΟΓΡΑΜΜΑ ΚΟΠΗΣ ΧΩΡΙΣ ΑΛΛΑΓΗ ΜΑΧΑΙΡΙΩΝ"));
    buildControls();
    setFormSize(900, 600);
}

void Form3::buildControls()
{
    auto *content = new QWidget;
    content->setObjectName(QStringLiteral("content"));
    content->setFixedSize(880, 545);
    DScroller1 = plat::hostScroller(this, content);
    QWidget *w = content;

    m_light3d = palette().color(QPalette::Window);
    m_windowBack = palette().color(QPalette::Base);

    // --- order grid: group heads, column heads and the lines around them ---
    QFont bold = font();
    bold.setBold(true);
    makeLabel(w, "Label5", QStringLiteral("ΑΙΤΗΣΙΣ"), QRect(kMikosX, 6, kRolesX + kRolesW - kMikosX, 18),
              Qt::AlignCenter)
        ->setFont(bold);
    makeLabel(w, "Label6", QStringLiteral("ΠΡΟΤΑΣΙΣ"), QRect(kProionX, 6, kRoles1X + kRoles1W - kProionX, 18),
              Qt::AlignCenter)
        ->setFont(bold);
    const int headY = kHeadTop + 2, headH = kHeadBottom - kHeadTop - 3;
    makeLabel(w, "Label4", QStringLiteral("A/A"), QRect(kCheckX, headY, kCheckW, headH), Qt::AlignCenter);
    makeLabel(w, "Label3", QStringLiteral("Εύρος  (χιλ.)"), QRect(kMikosX, headY, kMainW, headH), Qt::AlignCenter);
    makeLabel(w, "Label7", QStringLiteral("Βάρος (τόνοι)"), QRect(kBarosX, headY, kMainW, headH), Qt::AlignCenter);
    makeLabel(w, "Label13", QStringLiteral("Ταινίες"), QRect(kRolesX, headY, kRolesW, headH), Qt::AlignCenter);
    makeLabel(w, "Label2", QStringLiteral("Βάρος προϊόντος"), QRect(kProionX, headY, kProionW, headH),
              Qt::AlignCenter);
    makeLabel(w, "Label9", QStringLiteral("Ταινίες"), QRect(kRoles1X, headY, kRoles1W, headH), Qt::AlignCenter);
    Label22 = makeLabel(w, "Label22", QStringLiteral("     %"), QRect(kPosostoX, headY, kEvalW, headH),
                        Qt::AlignCenter);
    Label23 = makeLabel(w, "Label23", QStringLiteral("Διαφορά βάρους"), QRect(kDiaforaX, headY, kEvalW, headH),
                        Qt::AlignCenter);

    Line21 = makeLine(w, QStringLiteral("Line21"), QRect(kGridLeft, kHeadTop, 1, 1));
    Line11 = makeLine(w, QStringLiteral("Line11"), QRect(kGridLeft, kHeadBottom, 1, 1));
    const int lineH = kHeadBottom - kHeadTop + 1;
    const int colLines[] = {kGridLeft, kMikosX - 1, kBarosX - 1, kRolesX - 1, kProionX - 1, kRoles1X - 1,
                            tw(kHeadEndPlain)};
    int n = 0;
    for (int x : colLines) makeLine(w, QStringLiteral("LineV%1").arg(n++), QRect(x, kHeadTop, 1, lineH));
    LineS.append(makeLine(w, QStringLiteral("LineS"), QRect(kDiaforaX - 2, kHeadTop, 1, lineH)));
    LineS.append(makeLine(w, QStringLiteral("LineS"), QRect(tw(kHeadEndEvaluated), kHeadTop, 1, lineH)));
    for (int i = 0; i < LineS.size(); ++i) LineS[i]->setProperty("Index", i);
    setHeaderLineEnd(kHeadEndPlain);
    setEvaluationHeadsVisible(false);

    // --- order grid rows ---
    for (int i = 0; i < 10; ++i) {
        const int y = kRowTop + kRowPitch * i;
        auto *chk = new QCheckBox(QString::fromUtf8(kRowLetters[i]), w);
        chk->setObjectName(QStringLiteral("Check1"));
        chk->setProperty("Index", i);
        chk->setGeometry(kCheckX + 4, y, kCheckW - 4, kRowH);
        chk->setVisible(i < fk::kOrderedSlots);
        Check1.append(chk);
        connect(chk, &QCheckBox::toggled, this, [this, i] { Check1_Click(i); });

        Mikos.append(makeBox(w, QStringLiteral("Mikos"), QRect(kMikosX, y, kMainW, kRowH), i));
        Baros.append(makeBox(w, QStringLiteral("Baros"), QRect(kBarosX, y, kMainW, kRowH), i));
        Roles.append(makeBox(w, QStringLiteral("Roles"), QRect(kRolesX, y, kRolesW, kRowH), i));
        Proion.append(makeBox(w, QStringLiteral("Proion"), QRect(kProionX, y, kProionW, kRowH), i));
        Roles1.append(makeBox(w, QStringLiteral("Roles1"), QRect(kRoles1X, y, kRoles1W, kRowH), i));
        for (QLineEdit *b : {Mikos[i], Baros[i], Roles[i], Proion[i], Roles1[i]}) b->hide();
        for (QLineEdit *b : {Roles[i], Proion[i], Roles1[i]}) {
            b->setEnabled(false);
            keepLegibleWhenDisabled(b);
        }
        Mikos[i]->installEventFilter(this);
        Baros[i]->installEventFilter(this);
        if (i < fk::kOrderedSlots) {
            txtPososto.append(makeBox(w, QStringLiteral("txtPososto"), QRect(kPosostoX, y, kEvalW, kRowH), i));
            txtDiafora.append(makeBox(w, QStringLiteral("txtDiafora"), QRect(kDiaforaX, y, kEvalW, kRowH), i));
            for (QLineEdit *b : {txtPososto[i], txtDiafora[i]}) {
                b->setReadOnly(true);
                b->setFocusPolicy(Qt::NoFocus);
                plat::showFromStart(b);
                b->hide();
            }
        }
    }

    // --- the coil and its parameters ---
    const int rx = 460, rValX = 790, rValW = 70;
    makeLabel(w, "Label18", QStringLiteral("Ταινία (coil)"), QRect(rx, 4, 200, 20))->setFont(bold);
    auto *coil = new CoilSketch(w);
    coil->setGeometry(rx, 52, 400, 22);
    txtArxi = makeBox(w, QStringLiteral("txtArxi"), QRect(rx, 26, 50, 22));
    txtMikos = makeBox(w, QStringLiteral("txtMikos"), QRect(rx + 165, 26, 70, 22));
    txtTelos = makeBox(w, QStringLiteral("txtTelos"), QRect(rx + 350, 26, 50, 22));
    txtArxi->setText(QStringLiteral("2"));
    txtMikos->setText(QStringLiteral("1250"));
    txtTelos->setText(QStringLiteral("2"));
    for (QLineEdit *b : {txtArxi, txtMikos, txtTelos}) b->setAlignment(Qt::AlignCenter);

    makeLabel(w, "Label1", QStringLiteral("Βάρος ταινίας:"), QRect(rx, 86, 320, 22));
    Text2 = makeBox(w, QStringLiteral("Text2"), QRect(rValX, 86, rValW, 22));
    Text2->setText(QStringLiteral("8"));
    makeLabel(w, "Label15", QStringLiteral("Μέγιστος αριθμός ταινιών ανά κοπή: "), QRect(rx, 112, 320, 22));
    Text4 = makeBox(w, QStringLiteral("Text4"), QRect(rValX, 112, rValW, 22));
    Text4->setText(QStringLiteral("11"));
    txtApoklisi = makeBox(w, QStringLiteral("txtApoklisi"), QRect(rValX, 112, rValW, 22));
    txtApoklisi->setText(QStringLiteral("10"));
    txtApoklisi->hide();
    makeLabel(w, "Label8", QStringLiteral("Πάχος ταινίας:"), QRect(rx, 138, 320, 22));
    txtPaxos = makeBox(w, QStringLiteral("txtPaxos"), QRect(rValX, 138, rValW, 22));
    makeLabel(w, "Label11", QStringLiteral("Τύπος ταινίας:"), QRect(rx, 164, 120, 22));
    txtTypos = makeBox(w, QStringLiteral("txtTypos"), QRect(rx + 124, 164, 120, 22));
    cmbEidos = new QComboBox(w);
    cmbEidos->setObjectName(QStringLiteral("cmbEidos"));
    cmbEidos->setEditable(true);
    cmbEidos->setGeometry(rx + 250, 164, 150, 22);

    // --- proposal totals ---
    Frame1 = new QGroupBox(QStringLiteral("ΠΡΟΤΑΣΙΣ:"), w);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(rx, 194, 400, 148);
    const struct {
        const char *label;
        const char *text;
        QLineEdit **box;
        const char *name;
    } totals[] = {
        {"Label19", "Καθαρή φύρα(χιλ):", &Text3, "Text3"},
        {"Label10", "Εκτιμώμενο βάρος καθαρής φύρας (Kg):", &Text5, "Text5"},
        {"Label21", "Συνολική φύρα (με ξακρισμα):", &Text8, "Text8"},
        {"Label20", "Εκτιμώμενο βάρος συνολικής φύρας:", &Text10, "Text10"},
        {"Label17", "Ποσοστό φύρας/βάρος παραγγελίας:", &Text12, "Text12"},
    };
    n = 0;
    for (const auto &t : totals) {
        const int y = 22 + 24 * n++;
        makeLabel(Frame1, t.label, QString::fromUtf8(t.text), QRect(10, y, 250, 22));
        *t.box = makeBox(Frame1, QString::fromLatin1(t.name), QRect(262, y, 128, 22));
        (*t.box)->setReadOnly(true);
        plat::showFromStart(*t.box);
    }
    Frame1->hide();

    // --- cut program ---
    makeLabel(w, "Label12", QStringLiteral("ΠΡΟΓΡΑΜΜΑ ΚΟΠΗΣ (μέ φύρα ανά ρόλο (Coil)):"),
              QRect(kCutLeft, kCutTop - 24, 440, 20))
        ->setFont(bold);
    Text6 = makeBox(w, QStringLiteral("Text6"), QRect(kCutLeft, kCutTop, kCutHeadW, 22));
    Text6->setText(QStringLiteral("Ταινίες(coil)"));
    Text6->setReadOnly(true);
    Text6->setFocusPolicy(Qt::NoFocus);
    Grammi0 = makeBox(w, QStringLiteral("Grammi"), QRect(kCutLeft, kCutTop + 24, kCutHeadW, 22), 0);
    for (int i = 0; i <= 10; ++i) {
        const int x = kCutColX + kCutColPitch * i;
        Text1.append(makeBox(w, QStringLiteral("Text1"), QRect(x, kCutTop, i < 10 ? kCutColW : 64, 22), i));
        if (i < 10) {
            Text1[i]->setEnabled(false);
            keepLegibleWhenDisabled(Text1[i]);
            Akommati.append(makeBox(w, QStringLiteral("Akommati"), QRect(x, kCutTop + 24, kCutColW, 22), i));
            Akommati[i]->setEnabled(false);
            keepLegibleWhenDisabled(Akommati[i]);
            setCellBackground(Akommati[i], m_light3d);
        }
    }
    Text1[10]->setText(QStringLiteral("  Φύρα"));
    Text1[10]->setReadOnly(true);
    Text1[10]->setFocusPolicy(Qt::NoFocus);
    txtFira1 = makeBox(w, QStringLiteral("txtFira"), QRect(Text1[10]->x(), kCutTop + 24, 64, 22), 1);
    plat::showFromStart(txtFira1);
    connect(txtFira1, &QLineEdit::textChanged, this, [this] { txtFira_Change(); });

    makeLabel(w, "Label14", QStringLiteral("Διαθέσιμα μαχαίρια:"), QRect(kCutLeft, kCutTop + 54, 150, 22));
    lblMaxairia = makeLabel(w, "lblMaxairia", QString(), QRect(kCutLeft + 152, kCutTop + 54, 50, 22));
    makeLabel(w, "Label26", QStringLiteral("Φύρα:"), QRect(kCutLeft + 220, kCutTop + 54, 46, 22));
    Label24 = makeLabel(w, "Label24", QString(), QRect(kCutLeft + 268, kCutTop + 54, 110, 22));
    lblMaxairia->setFont(bold);
    Label24->setFont(bold);

    // --- secondary widths ---
    Frame2 = new QGroupBox(QStringLiteral("ΔΕΥΤΕΡΕΥΟΝΤΑ"), w);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(690, kCutTop - 26, 186, 106);
    lstDefterevon = new QListWidget(Frame2);
    lstDefterevon->setObjectName(QStringLiteral("lstDefterevon"));
    lstDefterevon->setGeometry(8, 22, 170, 54);
    makeLabel(Frame2, "Label25", QStringLiteral("Σύνολο:"), QRect(8, 79, 60, 22));
    lblSinolo = makeLabel(Frame2, "lblSinolo", QString(), QRect(70, 79, 100, 22));

    // --- buttons ---
    const int b1 = kCutTop + 86, b2 = b1 + 38;
    lisi = makeButton(w, "lisi", QStringLiteral("Λύσις 1η:Με τήρησι αναλογίας"), QRect(8, b1, 226, 32));
    lisi2 = makeButton(w, "lisi2", QStringLiteral("Λύσις 2η: Χωρίς τήρησι αναλογίας"), QRect(240, b1, 226, 32));
    cmdKatAnal = makeButton(w, "cmdKatAnal", QStringLiteral("ΚΑΤΑΡΓΗΣΙΣ ΑΝΑΛΟΓΙΑΣ"), QRect(472, b1, 206, 32));
    lisi3 = makeButton(w, "lisi3", QStringLiteral("Λύσις"), QRect(8, b2, 80, 32));
    cmdClean = makeButton(w, "cmdClean", QStringLiteral("Καθαρισμός όλων"), QRect(94, b2, 136, 32));
    New = makeButton(w, "New", QStringLiteral("Νέα παραγγελία"), QRect(236, b2, 128, 32));
    cmdPrint = makeButton(w, "cmdPrint", QStringLiteral("Εκτύπωσις"), QRect(370, b2, 104, 32));
    chkPrint = new QCheckBox(QStringLiteral("Οικονομική"), w);
    chkPrint->setObjectName(QStringLiteral("chkPrint"));
    chkPrint->setGeometry(482, b2, 100, 32);
    Exit = makeButton(w, "Exit", QStringLiteral("Έξοδος"), QRect(586, b2, 92, 32));
    cmdGrid = makeButton(w, "cmdGrid", QStringLiteral("ΔΕΥΤΕΡΕΥΟΝΤΑ ΠΡΟΪΟΝΤΑ"), QRect(690, b1, 186, 32));
    cmdCleanSecontary =
        makeButton(w, "cmdCleanSecontary", QStringLiteral("Καθαρισμός δευτερευόντων"), QRect(690, b2, 186, 32));
    Command2 = makeButton(w, "Command2", QStringLiteral("Command2"), QRect(0, 0, 10, 10));
    Command3 = makeButton(w, "Command3", QStringLiteral("Command3"), QRect(0, 0, 10, 10));
    Command2->hide();
    Command3->hide();

    connect(lisi, &QPushButton::clicked, this, &Form3::lisi_Click);
    connect(lisi2, &QPushButton::clicked, this, &Form3::lisi2_Click);
    connect(cmdKatAnal, &QPushButton::clicked, this, &Form3::cmdKatAnal_Click);
    connect(Exit, &QPushButton::clicked, this, &Form3::Exit_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &Form3::cmdPrint_Click);
    connect(Command2, &QPushButton::clicked, this, &Form3::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form3::Command3_Click);
    connect(Text2, &QLineEdit::textChanged, this, [this] { Text2_Change(); });
    connectHandCut();
    connectContinuation();

    // --- wait panel ---
    Frame3 = new QFrame(w);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    Frame3->setFrameShape(QFrame::Box);
    Frame3->setLineWidth(2);
    Frame3->setAutoFillBackground(true);
    Frame3->setGeometry(230, 210, 420, 70);
    Label16 = makeLabel(Frame3, "Label16", QStringLiteral("Παρακαλώ περιμένετε. Γίνονται υπολογισμοί"),
                        QRect(10, 10, 400, 50), Qt::AlignCenter);
    QFont big = bold;
    big.setPointSize(big.pointSize() + 2);
    Label16->setFont(big);
    Frame3->hide();

    // Tab order: the coil, then the order rows, then the buttons.
    QList<QWidget *> chain = {txtArxi, txtMikos, txtTelos, Text2, Text4};
    for (int i = 0; i < 10; ++i) chain << Mikos[i] << Baros[i];
    chain << lisi << lisi2 << cmdKatAnal << Exit;
    for (int i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &Form3::Timer1_Timer);
    Timer1->start();
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(1000);
    connect(Timer2, &QTimer::timeout, this, &Form3::Timer2_Timer);
    Timer2->start();

    connectSecondaryItems();
}

// ---------------------------------------------------------------- load, close

void Form3::Form_Load()
{
    setHeaderLineEnd(kHeadEndPlain);

    cmbEidos->clear();
    QStringList types;
    if (const QString err = fk::catalogue::typeNames(&types); err.isEmpty())
        cmbEidos->addItems(types);
    else
        plat::msgBox(err);
    cmbEidos->setCurrentIndex(-1);
    cmbEidos->setEditText(QString());

    plat::setScrollerBackColor(DScroller1, palette().color(QPalette::Window));

    Module1::LoadParameters(this, false);
    lstDefterevon->clear();

    // A secondary selection left by an earlier use of the window is emptied.
    if (const QString err = fk::catalogue::resetChosenCounts(); !err.isEmpty()) plat::msgBox(err);

    blnAkommatiFocus = false;
    blnAkommatiChanged = false;
    intLisiMode = 0;
    blnPrint = false;
}

bool Form3::Form_QueryUnload()
{
    return plat::msgBox(kExitQuestion, plat::MsgOkCancelQuestion) == plat::MsgAnswer::Ok;
}

void Form3::Form_Unload()
{
    // Only a confirmed close empties the leftover table: a cancelled one
    // keeps the window and everything in it.
    for (auto &row : Module1::strYpoloipa)
        for (QString &cell : row) cell.clear();
    Timer1->stop();
    Timer2->stop();
    blnStartSearch = false;
    // The chooser fills this window's list: without it, what is chosen
    // there would be accepted into nothing.
    plat::FormInstance<frmSearch>::unloadIfLoaded();
}

void Form3::Exit_Click() { unload(); }

// ------------------------------------------------------------ order grid

void Form3::showMainCells(int row, bool show)
{
    for (QLineEdit *b : {Mikos[row], Baros[row], Roles[row], Proion[row], Roles1[row]}) b->setVisible(show);
}

void Form3::hideRowCells(int row)
{
    showMainCells(row, false);
    if (row < txtPososto.size()) {
        txtPososto[row]->hide();
        txtDiafora[row]->hide();
    }
}

void Form3::Check1_Click(int k)
{
    if (Check1[k]->isChecked()) {
        showMainCells(k, true);
        // The ticked rows stay one block from the first row: a tick beyond
        // the block activates the first free row instead.
        for (int i = 0; i < k; ++i) {
            if (Check1[i]->isChecked()) continue;
            Check1[i]->setChecked(true);
            Check1[k]->setChecked(false);
            showMainCells(i, true);
            showMainCells(k, false);
            break;
        }
        return;
    }

    hideRowCells(k);
    Mikos[k]->clear();
    Baros[k]->clear();
    // The last row of the block moves into the freed place.
    int m = -1;
    for (int i = k + 1; i <= 8; ++i) {
        if (Check1[i]->isChecked() && !Check1[i + 1]->isChecked()) {
            m = i;
            break;
        }
    }
    if (m < 0 && k < 9 && Check1[9]->isChecked()) m = 9;
    if (m < 0) return;

    const QString width = Mikos[m]->text(), weight = Baros[m]->text();
    const QString roles = Roles[m]->text(), proion = Proion[m]->text(), roles1 = Roles1[m]->text();
    const bool hasEval = m < txtPososto.size();
    const QString pososto = hasEval ? txtPososto[m]->text() : QString();
    const QString diafora = hasEval ? txtDiafora[m]->text() : QString();
    const QColor colour = hasEval ? textColor(txtPososto[m]) : palette().color(QPalette::Text);

    Check1[m]->setChecked(false);
    Check1[k]->setChecked(true);
    hideRowCells(m);
    setBoxText(Mikos[k], width);
    setBoxText(Baros[k], weight);
    if (k < txtPososto.size()) {
        setBoxText(txtPososto[k], pososto);
        setBoxText(txtDiafora[k], diafora);
        // The evaluation gives both cells of a row one colour; they move together.
        setTextColor(txtPososto[k], colour);
        setTextColor(txtDiafora[k], colour);
    }
    setBoxText(Roles[k], roles);
    setBoxText(Proion[k], proion);
    setBoxText(Roles1[k], roles1);
    if (k < txtPososto.size()) {
        txtDiafora[k]->show();
        txtPososto[k]->show();
    }
    showMainCells(k, true);
    Mikos[m]->clear();
    Baros[m]->clear();
}

int Form3::tickedOrderRows() const
{
    int n = 0;
    for (int i = 0; i < fk::kOrderedSlots; ++i) n += Check1[i]->isChecked() ? 1 : 0;
    return n;
}

void Form3::Mikos_KeyDown(int Index, int KeyCode) { gridKeyDown(Mikos, Index, KeyCode, nullptr, Baros[Index]); }
void Form3::Baros_KeyDown(int Index, int KeyCode) { gridKeyDown(Baros, Index, KeyCode, Mikos[Index], nullptr); }

void Form3::gridKeyDown(const QVector<QLineEdit *> &column, int r, int key, QLineEdit *left, QLineEdit *right)
{
    m_planning.intLastRow = tickedOrderRows() - 1;
    QLineEdit *to = nullptr;
    switch (key) {
    case Qt::Key_Left: to = left; break;
    case Qt::Key_Right: to = right; break;
    case Qt::Key_Up: to = r > 0 ? column[r - 1] : nullptr; break;
    case Qt::Key_Down: to = r < m_planning.intLastRow ? column[r + 1] : nullptr; break;
    default: break;
    }
    if (to) to->setFocus();
}

bool Form3::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        for (int i = 0; i < Mikos.size(); ++i) {
            if (watched == Mikos[i]) Mikos_KeyDown(i, key);
            else if (watched == Baros[i]) Baros_KeyDown(i, key);
        }
    }
    return plat::Form::eventFilter(watched, event);
}

// ------------------------------------------------------------ solve

void Form3::focusControl(const QString &name, int index)
{
    QLineEdit *box = nullptr;
    if (name == QLatin1String("Mikos") && index >= 0 && index < Mikos.size()) box = Mikos[index];
    else if (name == QLatin1String("Baros") && index >= 0 && index < Baros.size()) box = Baros[index];
    else if (name == QLatin1String("Akommati") && index >= 0 && index < Akommati.size()) box = Akommati[index];
    else box = findChild<QLineEdit *>(name);
    if (box) box->setFocus();
}

void Form3::showMessage(const fk::InputMessage &m)
{
    plat::msgBox(qstr(m.text));
    if (m.focus) focusControl(qstr(m.focus->control), m.focus->index);
}

void Form3::lisi_Click() { solve(fk::SolveMode::WithProportion); }
void Form3::lisi2_Click() { solve(fk::SolveMode::WithoutProportion); }

void Form3::solve(fk::SolveMode mode)
{
    // A request still pending belongs to the order being replaced: lower it
    // first, so that no tick during this solve's messages or notice starts a
    // search on half-written slots.
    blnStartSearch = false;
    m_armed.reset();

    fk::OrderInputTexts in;
    in.fields = {str(txtArxi->text()), str(txtTelos->text()), str(txtMikos->text()), str(Text2->text()),
                 str(Text4->text())};
    for (int i = 0; i < fk::kOrderedSlots; ++i)
        in.rows[i] = {Check1[i]->isChecked(), str(Mikos[i]->text()), str(Baros[i]->text())};
    const fk::OrderInputCheck c = fk::checkOrderInputs(in);

    const auto writeBack = [](QLineEdit *box, const std::string &text) {
        if (box->text() != qstr(text)) box->setText(qstr(text));
    };
    writeBack(txtArxi, c.fields.txtArxi);
    writeBack(txtTelos, c.fields.txtTelos);
    writeBack(txtMikos, c.fields.txtMikos);
    writeBack(Text2, c.fields.Text2);
    writeBack(Text4, c.fields.Text4);

    if (c.outcome == fk::InputOutcome::Rejected) {
        showMessage(c.message);
        return;
    }
    if (c.outcome == fk::InputOutcome::NotStarted) return;

    Frame3->show();
    Frame3->raise();
    const fk::OrderBounds b = fk::computeOrderBounds(c.values, mode, chosenSecondaries());
    Frame1->show();
    m_planning.intLastRow = b.lastRow;
    m_planning.dblKgPerMm = b.kgPerMm;
    m_planning.dblBarosParaggelias = 0;
    for (size_t i = 0; i < b.rows.size() && i < size_t(Roles.size()); ++i)
        setBoxText(Roles[int(i)], qstr(b.rows[i].roles));

    if (b.stop != fk::BoundsStop::None) {
        Frame3->hide();
        showMessage(b.message);
        return;
    }
    if (b.noticeForKnives) frmHelp::showNotice();
    if (b.noticeForWidth) frmHelp::showNotice();
    arm(b);
}

void Form3::arm(fk::OrderBounds bounds)
{
    for (int k = 0; k < fk::kSlotCount; ++k) m_planning.dblBarosRoles[k] = bounds.search.items[size_t(k)].tonnesPerStrip;
    intLisiMode = bounds.searchMode == fk::SearchMode::FirstWidest ? 1 : 2;
    m_armed = std::move(bounds);
    blnStartSearch = true;
}

void Form3::cmdKatAnal_Click()
{
    std::array<fk::OrderRowTexts, fk::kOrderedSlots> rows;
    for (int i = 0; i < fk::kOrderedSlots; ++i)
        rows[i] = {Check1[i]->isChecked(), str(Mikos[i]->text()), str(Baros[i]->text())};
    std::vector<std::string> counts;
    for (QLineEdit *a : Akommati) counts.push_back(str(a->text()));
    const bool cutShown = !Akommati[0]->text().trimmed().isEmpty();

    const fk::ReleaseCheck k = fk::releaseProportion(m_searched ? &*m_searched : nullptr, rows, counts,
                                                     cutShown ? chosenSecondaries() : std::vector<fk::SecondaryWidth>{});
    m_planning.intLastRow = k.lastRow;
    if (k.outcome == fk::ReleaseOutcome::NothingShown) return;
    blnStartSearch = false;
    m_armed.reset();
    Frame3->hide();
    if (k.outcome == fk::ReleaseOutcome::Rejected) {
        showMessage(k.message);
        return;
    }
    arm(k.bounds);
}

// ------------------------------------------------------------ search

void Form3::Timer1_Timer()
{
    if (!blnStartSearch || m_searchRunning) return;
    runArmedSearch(true);
}

void Form3::Text2_Change()
{
    if (!blnStartSearch || m_searchRunning) return;
    runArmedSearch(false);
}

void Form3::Timer2_Timer()
{
    // The print flag is raised by the cutting-order print. It is lowered
    // first: a message of the print must not let a tick open a second report.
    if (!blnPrint) return;
    blnPrint = false;
    PrintProtasis();
}

void Form3::runArmedSearch(bool hourglass)
{
    // The request is taken before the search runs: whatever the search then
    // shows (a message runs an event loop) cannot start it a second time.
    blnStartSearch = false;
    Frame3->show();
    Frame3->raise();
    Frame3->repaint();
    if (hourglass) setCursor(Qt::WaitCursor);
    if (intLisiMode == 1) Command2_Click();
    else Command3_Click();
}

void Form3::Command2_Click() { searchAndShow(fk::SearchMode::FirstWidest); }
void Form3::Command3_Click() { searchAndShow(fk::SearchMode::ScoreTieBreak); }

void Form3::searchAndShow(fk::SearchMode mode)
{
    if (!m_armed || m_searchRunning) {
        Frame3->hide();
        unsetCursor();
        return;
    }
    m_searchRunning = true;
    const fk::OrderBounds b = *m_armed;
    const fk::KnifeSearchResult r = fk::searchKnifeSetting(b.search, mode);
    m_searched = b;
    const fk::CutFigures f = fk::layoutCut(b.search, r, b.figures());
    showCut(b, f);
    m_searchRunning = false;
}

void Form3::setCellBackground(QLineEdit *box, const QColor &c)
{
    QPalette p = box->palette();
    p.setColor(QPalette::Base, c);
    box->setPalette(p);
}

void Form3::setTextColor(QLineEdit *box, const QColor &c)
{
    QPalette p = box->palette();
    p.setColor(QPalette::Text, c);
    box->setPalette(p);
}

QColor Form3::textColor(const QLineEdit *box) { return box->palette().color(QPalette::Text); }

void Form3::showCut(const fk::OrderBounds &b, const fk::CutFigures &f)
{
    const int lastRow = b.lastRow;
    for (QLineEdit *a : Akommati) setCellBackground(a, m_light3d);
    for (int i = 0; i <= lastRow && i < Akommati.size(); ++i) setCellBackground(Akommati[i], m_windowBack);
    setBoxText(Grammi0, qstr(f.grammi));
    for (int r = lastRow + 1; r < 10; ++r) {
        for (QLineEdit *c : {Mikos[r], Baros[r], Roles[r], Proion[r], Roles1[r]}) {
            c->hide();
            c->clear();
        }
    }
    for (int i = 0; i < 10; ++i) {
        Text1[i]->clear();
        Akommati[i]->clear();
    }
    Frame3->hide();
    setBoxText(txtFira1, qstr(f.fira));
    dblFira = f.dblFira;
    dblSavedAkommati = f.savedAkommati;
    blnAkommatiChanged = false;
    m_orderReplaced = false;

    if (!f.found) {
        // No combination fits: nothing of the previous cut may stay beside
        // this order's figures.
        for (int r = 0; r <= lastRow; ++r) {
            Proion[r]->clear();
            Roles1[r]->clear();
            if (r < txtPososto.size()) {
                txtPososto[r]->clear();
                txtDiafora[r]->clear();
                txtPososto[r]->hide();
                txtDiafora[r]->hide();
            }
        }
        for (QLineEdit *t : {Text3, Text5, Text8, Text10, Text12}) t->clear();
    }

    int c = 0;
    for (const fk::CutColumn &col : f.columns) {
        if (c >= 10) break;
        setBoxText(Text1[c], qstr(col.width));
        setBoxText(Akommati[c], qstr(col.akommati));
        setBoxText(Proion[c], qstr(col.proion));
        setBoxText(Roles1[c], qstr(col.roles1));
        if (col.secondary) {
            setBoxText(Mikos[c], qstr(col.width));
            for (QLineEdit *cell : {Mikos[c], Baros[c], Roles[c], Proion[c], Roles1[c]}) cell->show();
        }
        ++c;
    }
    for (QLineEdit *a : Akommati) a->setEnabled(false);
    for (int i = 0; i <= lastRow && i < Akommati.size(); ++i) Akommati[i]->setEnabled(true);

    dblTrims = b.rightTrim + b.leftTrim;
    if (f.found) {
        setBoxText(Text3, qstr(f.text3));
        setBoxText(Text5, qstr(f.text5));
        setBoxText(Text8, qstr(f.text8));
        setBoxText(Text10, qstr(f.text10));
        m_shown = b;
    } else {
        m_shown.reset();
    }

    CheckOrderRows();
    UpdateSummary();
    if (!f.found) plat::msgBox(qstr(f.message));
}

// ------------------------------------------------------------ evaluation

void Form3::setHeaderLineEnd(int twips)
{
    for (QFrame *l : {Line21, Line11}) l->setGeometry(kGridLeft, l->y(), tw(twips) - kGridLeft + 1, 1);
}

void Form3::setEvaluationHeadsVisible(bool visible)
{
    Label22->setVisible(visible);
    Label23->setVisible(visible);
    for (QFrame *l : LineS) l->setVisible(visible);
}

void Form3::CheckOrderRows()
{
    const int lastRow = std::min(m_planning.intLastRow, int(txtPososto.size()) - 1);
    std::vector<fk::OrderedRowCells> cells;
    for (int i = 0; i <= lastRow; ++i)
        cells.push_back(
            {str(Mikos[i]->text()), str(Baros[i]->text()), str(Proion[i]->text()), str(Roles1[i]->text())});

    fk::LeftoverTable leftovers;
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 6; ++c) leftovers[r][c] = str(Module1::strYpoloipa[r][c]);
    const fk::OrderJudgement j = fk::checkOrderRows(cells, str(txtApoklisi->text()), leftovers);
    if (!j.judged) return;
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 6; ++c) Module1::strYpoloipa[r][c] = qstr(leftovers[r][c]);

    for (int i = 0; i < txtPososto.size(); ++i) {
        txtPososto[i]->hide();
        txtDiafora[i]->hide();
        txtPososto[i]->clear();
        txtDiafora[i]->clear();
    }
    for (int i = 0; i <= lastRow && i < int(j.rows.size()); ++i) {
        const fk::RowJudgement &row = j.rows[size_t(i)];
        const QColor colour = row.band == fk::Band::None ? palette().color(QPalette::Text)
                                                         : QColor::fromRgb(QRgb(fk::bandRgb(row.band)));
        setBoxText(txtPososto[i], qstr(row.pososto));
        setBoxText(txtDiafora[i], qstr(row.diafora));
        setTextColor(txtPososto[i], colour);
        setTextColor(txtDiafora[i], colour);
        txtPososto[i]->show();
        txtDiafora[i]->show();
    }
    setEvaluationHeadsVisible(true);
    setHeaderLineEnd(kHeadEndEvaluated);
}

void Form3::UpdateSummary()
{
    std::vector<std::string> visibleProion, counts;
    for (QLineEdit *p : Proion)
        if (!p->isHidden()) visibleProion.push_back(str(p->text()));
    for (QLineEdit *a : Akommati) counts.push_back(str(a->text()));
    const fk::CutSummary s =
        fk::updateSummary(str(Text3->text()), str(Text10->text()), visibleProion, counts, str(Text4->text()));
    if (s.text12) setBoxText(Text12, qstr(*s.text12));
    lblMaxairia->setText(qstr(s.maxairia));
    intMaxairia = s.intMaxairia;
    unsetCursor();
}

void Form3::txtFira_Change() { Label24->setText(txtFira1->text()); }
