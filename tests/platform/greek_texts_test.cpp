// Every text Qt itself shows in the program's windows is Greek: the menus and
// dialogs are opened offscreen, every visible text is listed, and any English
// word fails the test with the texts that carry it.
#include "platform/greektexts.h"

#include "common/qstring_print.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMap>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QSettings>
#include <QSpinBox>
#include <QStyle>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QTranslator>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace {

// Names, not English: units, standard designations, key names as printed on
// the keys, and the button text the program's own message boxes have.
const QSet<QString> kAllowed = {
    QStringLiteral("OK"),   QStringLiteral("PDF"),   QStringLiteral("pdf"),  QStringLiteral("mm"),
    QStringLiteral("pt"),   QStringLiteral("DD"),    QStringLiteral("CC"),   QStringLiteral("ANSI"),
    QStringLiteral("JIS"),  QStringLiteral("PRC"),   QStringLiteral("US"),   QStringLiteral("DL"),
    QStringLiteral("Kaku"), QStringLiteral("Chou"),  QStringLiteral("Ctrl"), QStringLiteral("Shift"),
    QStringLiteral("Alt"),  QStringLiteral("byte"),  QStringLiteral("kB"),   QStringLiteral("MB"),
};

// Words that are data of the machine the test runs on: the home folder's
// name, the printers' names and descriptions.
QSet<QString> machineWords()
{
    QStringList texts{QDir::home().dirName()};
    for (const QPrinterInfo &p : QPrinterInfo::availablePrinters())
        texts << p.printerName() << p.description() << p.location() << p.makeAndModel();
    QSet<QString> words;
    static const QRegularExpression word(QStringLiteral("[A-Za-z0-9_.-]+"));
    for (const QString &t : texts)
        for (auto it = word.globalMatch(t); it.hasNext();) words << it.next().captured();
    return words;
}

// The paper sizes print dialogs in Greek show by their international names;
// they pass in the list of paper sizes only.
const QStringList kPaperNames = {
    QStringLiteral("Letter"),        QStringLiteral("Letter Extra"), QStringLiteral("Letter Plus"),
    QStringLiteral("Letter Small"),  QStringLiteral("Legal"),        QStringLiteral("Legal Extra"),
    QStringLiteral("Executive"),     QStringLiteral("Folio"),        QStringLiteral("Ledger"),
    QStringLiteral("Tabloid"),       QStringLiteral("Tabloid Extra"), QStringLiteral("A3 Extra"),
    QStringLiteral("A4 Extra"),      QStringLiteral("A4 Plus"),      QStringLiteral("A4 Small"),
    QStringLiteral("A5 Extra"),      QStringLiteral("B5 Extra"),     QStringLiteral("Architect A"),
    QStringLiteral("Architect B"),   QStringLiteral("Architect C"),  QStringLiteral("Architect D"),
    QStringLiteral("Architect E"),   QStringLiteral("Note"),         QStringLiteral("Quarto"),
    QStringLiteral("Statement"),     QStringLiteral("Super A"),      QStringLiteral("Super B"),
    QStringLiteral("Monarch"),       QStringLiteral("Personal"),
};

QStringList englishWords(QString text, bool paperSize = false)
{
    static const QSet<QString> data = machineWords();
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    static const QRegularExpression paperName = [] {
        QStringList longestFirst = kPaperNames;
        std::sort(longestFirst.begin(), longestFirst.end(),
                  [](const QString &a, const QString &b) { return a.size() > b.size(); });
        return QRegularExpression(QStringLiteral("\\b(") + longestFirst.join(u'|') + QStringLiteral(")\\b"));
    }();
    if (paperSize) text.remove(paperName);
    QStringList out;
    for (QString token : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
        // A path is data, whatever its folders are called.
        if (token.contains(u'/') && token.size() > 1) continue;
        // The inch's symbol, written after its name as the other units' are.
        if (token == QLatin1String("(in)")) continue;
        token.remove(u'&');
        if (data.contains(token)) continue;
        for (auto it = word.globalMatch(token); it.hasNext();) {
            const QString w = it.next().captured();
            if (!kAllowed.contains(w) && !data.contains(w)) out << w;
        }
    }
    return out;
}

// The letter of a text's access key ("&Εκτύπωση": ε), case and accents
// aside, as a planner presses it; empty when it has none ("&&" is an "&").
QString accessKey(const QString &text)
{
    for (qsizetype i = text.indexOf(u'&'); i >= 0 && i + 1 < text.size(); i = text.indexOf(u'&', i + 2))
        if (text[i + 1] != u'&')
            return QString(text[i + 1]).normalized(QString::NormalizationForm_D).left(1).toCaseFolded();
    return {};
}

// The access keys two or more visible texts of one window share, each with
// the texts that share it.
QStringList accessKeyClashes(QWidget *top)
{
    QMap<QString, QStringList> byKey;
    for (QWidget *w : top->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(top)) continue;
        QString text;
        if (auto *l = qobject_cast<QLabel *>(w)) text = l->text();
        if (auto *b = qobject_cast<QAbstractButton *>(w)) text = b->text();
        if (auto *g = qobject_cast<QGroupBox *>(w)) text = g->title();
        if (const QString k = accessKey(text); !k.isEmpty()) byKey[k] << text;
    }
    QStringList out;
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it)
        if (it->size() > 1) out << it.key() + QStringLiteral(": ") + it->join(QStringLiteral(" | "));
    return out;
}

// The texts seen, each with where it was seen, and the access keys that
// clash in a window.
struct Seen {
    QStringList texts;
    QStringList keyClashes;
    void add(const QString &where, const QString &text)
    {
        if (!text.trimmed().isEmpty()) texts << where + QStringLiteral(": ") + text;
    }
    void addMenu(const QString &where, const QList<QAction *> &actions)
    {
        for (QAction *a : actions) {
            if (a->isSeparator() || !a->isVisible()) continue;
            add(where, a->text());
            if (a->menu()) addMenu(where, a->menu()->actions());
        }
    }
    void addView(const QString &where, QAbstractItemView *view)
    {
        QAbstractItemModel *m = view->model();
        if (!m) return;
        if (auto *tree = qobject_cast<QTreeView *>(view); tree && !tree->isHeaderHidden())
            for (int c = 0; c < m->columnCount(view->rootIndex()); ++c)
                if (!tree->isColumnHidden(c))
                    add(where + QStringLiteral(" header"), m->headerData(c, Qt::Horizontal).toString());
        for (int r = 0; r < m->rowCount(view->rootIndex()); ++r)
            for (int c = 0; c < m->columnCount(view->rootIndex()); ++c) {
                const QModelIndex i = m->index(r, c, view->rootIndex());
                add(where, i.data(Qt::DisplayRole).toString());
                add(where + QStringLiteral(" tip"), i.data(Qt::ToolTipRole).toString());
            }
    }
    // Every text a planner can see in a window: its title, labels, buttons,
    // group titles, every entry of a list box, tab titles, tips and menus.
    void addWindow(const QString &where, QWidget *top)
    {
        add(where + QStringLiteral(" title"), top->windowTitle());
        for (const QString &clash : accessKeyClashes(top)) keyClashes << where + QStringLiteral(": ") + clash;
        QList<QWidget *> all = top->findChildren<QWidget *>();
        all.prepend(top);
        for (QWidget *w : all) {
            if (!w->isVisibleTo(top) && w != top) continue;
            add(where + QStringLiteral(" tip"), w->toolTip());
            if (auto *l = qobject_cast<QLabel *>(w)) add(where, l->text());
            if (auto *b = qobject_cast<QAbstractButton *>(w)) add(where, b->text());
            if (auto *g = qobject_cast<QGroupBox *>(w)) add(where, g->title());
            if (auto *s = qobject_cast<QAbstractSpinBox *>(w)) add(where, s->text());
            if (auto *e = qobject_cast<QLineEdit *>(w)) add(where, e->placeholderText());
            if (auto *c = qobject_cast<QComboBox *>(w)) {
                const QString list = c->objectName() == QLatin1String("pageSizeCombo") ? QStringLiteral(" paper sizes")
                                                                                       : QStringLiteral(" list");
                for (int i = 0; i < c->count(); ++i) add(where + list, c->itemText(i));
            }
            if (auto *t = qobject_cast<QTabWidget *>(w))
                for (int i = 0; i < t->count(); ++i) add(where + QStringLiteral(" tab"), t->tabText(i));
            if (auto *v = qobject_cast<QAbstractItemView *>(w); v && !qobject_cast<QComboBox *>(w->parentWidget()))
                addView(where, v);
            if (w->contextMenuPolicy() == Qt::ActionsContextMenu)
                addMenu(where + QStringLiteral(" menu"), w->actions());
        }
    }
    QStringList english() const
    {
        QStringList out;
        for (const QString &t : texts) {
            const qsizetype colon = t.indexOf(QStringLiteral(": "));
            if (!englishWords(t.mid(colon + 2), t.left(colon).endsWith(QLatin1String(" paper sizes"))).isEmpty())
                out << t;
        }
        return out;
    }
};

// Every text Qt asks for while the test runs and that has an English word
// and no Greek: texts on parts of a dialog the walk does not reach (a
// message not provoked, a tab not shown) still count.
class AskedTexts : public QTranslator {
public:
    AskedTexts() { QCoreApplication::installTranslator(this); }
    ~AskedTexts() override { QCoreApplication::removeTranslator(this); }
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (!context || !source) return {};
        const QString c = QString::fromLatin1(context), s = QString::fromUtf8(source);
        // Key names and key sequences ("Alt+Left") are the keys themselves.
        const bool keys = c == QLatin1String("QShortcut") || (s.contains(u'+') && !s.contains(u' '));
        if (!keys && c != QLatin1String("QGuiApplication") && plat::greekForQtText(context, source).isEmpty() &&
            !englishWords(s).isEmpty())
            missing << c + QStringLiteral(" / ") + s;
        return {};
    }
    bool isEmpty() const override { return false; }
    mutable QStringList missing;
};

void waitFor(const std::function<bool()> &ready, int ms = 5000)
{
    QElapsedTimer t;
    t.start();
    while (!ready() && t.elapsed() < ms) QTest::qWait(10);
}

// Runs open(), which shows a popup menu or a modal dialog (blocking or not),
// hands the window to inspect and closes it.
void whileShown(const std::function<void()> &open, const std::function<void(QWidget *)> &inspect)
{
    QWidget *const modalBefore = QApplication::activeModalWidget();
    bool done = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *w = QApplication::activePopupWidget();
        if (!w && QApplication::activeModalWidget() != modalBefore) w = QApplication::activeModalWidget();
        if (!w || done) return;
        done = true;
        poll.stop();
        inspect(w);
        if (!w->isVisible()) return;
        if (auto *d = qobject_cast<QDialog *>(w))
            d->reject();
        else
            w->close();
    });
    poll.start();
    open();
    waitFor([&] { return done; });
    EXPECT_TRUE(done) << "nothing opened";
}

QStringList contextMenu(QWidget *target, QPoint at = QPoint(4, 4))
{
    QStringList texts;
    whileShown(
        [&] {
            QContextMenuEvent e(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
            QApplication::sendEvent(target, &e);
        },
        [&](QWidget *w) {
            Seen s;
            if (auto *m = qobject_cast<QMenu *>(w)) s.addMenu(QString(), m->actions());
            for (const QString &t : s.texts) texts << t.mid(2);
        });
    return texts;
}

// The tips over a title bar's buttons, found by hovering along it.
QStringList hoverTips(QWidget *w, int y)
{
    QSet<QString> tips;
    for (int x = 1; x < w->width() - 1; x += 2) {
        const QPoint at(x, y);
        QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &move);
        QHelpEvent help(QEvent::ToolTip, at, w->mapToGlobal(at));
        QApplication::sendEvent(w, &help);
        if (QToolTip::isVisible()) tips << QToolTip::text();
        QToolTip::hideText();
    }
    return QStringList(tips.begin(), tips.end());
}

// The program's style shows no tips over a child window's title-bar buttons;
// a style that does must show them in Greek.
class TitleBarTips : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *data) const override
    {
        if (hint == SH_TitleBar_ShowToolTipsOnButtons) return 0;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

struct StyleWithTitleBarTips {
    const QString before = QApplication::style()->name();
    StyleWithTitleBarTips() { QApplication::setStyle(new TitleBarTips(QStyleFactory::create(before))); }
    ~StyleWithTitleBarTips() { QApplication::setStyle(QStyleFactory::create(before)); }
};

class GreekTexts : public ::testing::Test {
protected:
    void SetUp() override
    {
        plat::installGreekTexts();
        // Qt's file dialog keeps its columns in the native settings: a run
        // starts from none and leaves none behind.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    }
    void expectGreek(const Seen &seen)
    {
        EXPECT_TRUE(seen.english().isEmpty()) << "English in:\n" << seen.english().join(u'\n').toStdString();
        EXPECT_TRUE(asked.missing.isEmpty()) << "no Greek for:\n" << asked.missing.join(u'\n').toStdString();
        EXPECT_TRUE(seen.keyClashes.isEmpty()) << "access keys shared:\n"
                                               << seen.keyClashes.join(u'\n').toStdString();
    }
    QTemporaryDir settings;
    AskedTexts asked;
};

} // namespace

TEST(GreekTextCheck, FindsEnglishWordsAndLetsNamesAndDataPass)
{
    const struct {
        const char *text;
        QStringList english;
        bool paperSize = false;
    } cases[] = {
        {"&Αναίρεση\tCtrl+Z", {}},
        {"Εκτύπωση σε αρχείο (PDF)", {}},
        {"Φάκελος C5", {}},
        {"JIS B5", {}},
        {"Αναζήτηση σε: /tmp/qt-test-x/κοπή.pdf", {}},
        {"Save /tmp", {QStringLiteral("Save")}},
        {"5/12/23 3:07 μ.μ.", {}},
        {"10 Dec 2026 19:59:02", {QStringLiteral("Dec")}},
        {"Left to Right, Top to Bottom", {"Left", "to", "Right", "Top", "to", "Bottom"}},
        {"Cu&t", {QStringLiteral("Cut")}},
        {"1 bytes", {QStringLiteral("bytes")}},
        {"Ίντσες (in)", {}},
        {"Ίντσες", {}},
        {"Look in:", {"Look", "in"}},
        // Paper sizes keep their names, in the list of sizes only.
        {"Legal", {}, true},
        {"Executive (7,5 x 10 ίντσες)", {}, true},
        {"Συνεχές γερμανικό Legal (8,5 x 13 ίντσες)", {}, true},
        {"Φάκελος Monarch", {}, true},
        {"Letter Extra", {}, true},
        {"Legal", {QStringLiteral("Legal")}},
        {"Envelope C5", {QStringLiteral("Envelope")}, true},
        {"Legalese", {QStringLiteral("Legalese")}, true},
    };
    for (const auto &c : cases) EXPECT_EQ(englishWords(QString::fromUtf8(c.text), c.paperSize), c.english) << c.text;
}

TEST(GreekTextCheck, FindsAccessKeysSharedInOneWindow)
{
    QWidget w;
    auto *lay = new QVBoxLayout(&w);
    auto *print = new QPushButton(QStringLiteral("&Εκτύπωση"));
    auto *options = new QPushButton(QStringLiteral("&επιλογές >>"));
    auto *name = new QLabel(QStringLiteral("Ό&νομα:"));
    auto *group = new QGroupBox(QStringLiteral("&Νέο"));
    auto *no = new QCheckBox(QStringLiteral("&Όχι"));
    auto *on = new QRadioButton(QStringLiteral("&Ο&&Κ"));
    auto *amp = new QLabel(QStringLiteral("Α && Β"));
    auto *hidden = new QPushButton(QStringLiteral("&Αρχείο"));
    auto *file = new QPushButton(QStringLiteral("&αρχείο"));
    for (QWidget *c : std::initializer_list<QWidget *>{print, options, name, group, no, on, amp, hidden, file})
        lay->addWidget(c);
    hidden->hide();
    EXPECT_EQ(accessKeyClashes(&w),
              (QStringList{"ε: &Εκτύπωση | &επιλογές >>", "ν: Ό&νομα: | &Νέο", "ο: &Όχι | &Ο&&Κ"}));
    options->setText(QStringLiteral("Επιλ&ογές >>"));
    no->setText(QStringLiteral("Ό&χι"));
    on->setText(QStringLiteral("&&Ο&Κ"));
    group->setTitle(QStringLiteral("Νέ&ο"));
    EXPECT_EQ(accessKeyClashes(&w), (QStringList{"ο: Επιλ&ογές >> | Νέ&ο"}));
}

TEST_F(GreekTexts, TextBoxSpinBoxAndScrollBarMenus)
{
    QWidget w;
    auto *lay = new QVBoxLayout(&w);
    auto *edit = new QLineEdit(QStringLiteral("1250"));
    auto *spin = new QSpinBox;
    spin->setRange(1, 5000);
    spin->setValue(1250);
    auto *vbar = new QScrollBar(Qt::Vertical);
    auto *hbar = new QScrollBar(Qt::Horizontal);
    for (QWidget *c : {static_cast<QWidget *>(edit), static_cast<QWidget *>(spin), static_cast<QWidget *>(vbar),
                       static_cast<QWidget *>(hbar)})
        lay->addWidget(c);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    edit->selectAll();

    Seen seen;
    const QStringList editMenu = contextMenu(edit);
    for (const QString &t : editMenu) seen.add(QStringLiteral("text box"), t);
    EXPECT_EQ(editMenu.first(), QStringLiteral("&Αναίρεση\tCtrl+Z"));
    EXPECT_TRUE(editMenu.contains(QStringLiteral("Αντι&γραφή\tCtrl+C"))) << editMenu.join(u'|').toStdString();
    EXPECT_TRUE(editMenu.contains(QStringLiteral("Επιλογή όλων\tCtrl+A"))) << editMenu.join(u'|').toStdString();
    for (const QString &t : contextMenu(spin)) seen.add(QStringLiteral("spin box"), t);
    for (const QString &t : contextMenu(vbar)) seen.add(QStringLiteral("vertical scroll bar"), t);
    for (const QString &t : contextMenu(hbar)) seen.add(QStringLiteral("horizontal scroll bar"), t);
    EXPECT_GE(seen.texts.size(), 30) << seen.texts.join(u'|').toStdString();
    expectGreek(seen);

    // The Greek locale changes no number a widget writes on its own.
    EXPECT_EQ(spin->text(), QStringLiteral("1250"));
    EXPECT_EQ(QLocale().toString(1250), QStringLiteral("1250"));
}

TEST_F(GreekTexts, ChildWindowSystemMenuAndTitleBarTips)
{
    const StyleWithTitleBarTips style;
    QMainWindow main;
    auto *area = new QMdiArea;
    main.setCentralWidget(area);
    main.menuBar()->addMenu(QStringLiteral("Κοπές"));
    QMdiSubWindow *sub = area->addSubWindow(new QLabel(QStringLiteral("ΦΙΛΤΡΑ")));
    sub->setWindowTitle(QStringLiteral("ΦΙΛΤΡΑ"));
    main.resize(900, 600);
    main.show();
    sub->resize(400, 300);
    sub->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));

    Seen seen;
    seen.addMenu(QStringLiteral("system menu"), sub->systemMenu()->actions());
    const int titleMiddle = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sub) / 2;
    const QStringList tips = hoverTips(sub, titleMiddle);
    for (const QString &t : tips) seen.add(QStringLiteral("title bar tip"), t);
    EXPECT_TRUE(tips.contains(QStringLiteral("Κλείσιμο"))) << tips.join(u'|').toStdString();
    EXPECT_TRUE(tips.contains(QStringLiteral("Ελαχιστοποίηση"))) << tips.join(u'|').toStdString();

    // Maximised, the child leaves its buttons in the main window's menu bar.
    sub->showMaximized();
    QTest::qWait(50);
    QStringList barTips;
    for (QWidget *w : main.menuBar()->findChildren<QWidget *>())
        if (QByteArray(w->metaObject()->className()).startsWith("QMdi::") && w->isVisible())
            barTips << hoverTips(w, w->height() / 2);
    for (const QString &t : barTips) seen.add(QStringLiteral("menu bar tip"), t);
    EXPECT_TRUE(barTips.contains(QStringLiteral("Επαναφορά κάτω"))) << barTips.join(u'|').toStdString();
    const QStringList menu = [&] {
        QStringList m;
        for (QAction *a : sub->systemMenu()->actions())
            if (!a->isSeparator()) m << a->text();
        return m;
    }();
    EXPECT_EQ(menu, (QStringList{"&Επαναφορά", "&Μετακίνηση", "Μέ&γεθος", "Ελα&χιστοποίηση", "Μεγ&ιστοποίηση",
                                 "Πάντα σε &πρώτο πλάνο", "&Κλείσιμο"}));
    expectGreek(seen);
}

TEST_F(GreekTexts, PrintDialogItsOptionsMessagesAndPrinterProperties)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintDialog dialog(&printer);
    dialog.setMinMax(1, 3);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    Seen seen;
    seen.addWindow(QStringLiteral("print"), &dialog);
    // The options below, every tab of them.
    QPushButton *more = nullptr;
    for (QAbstractButton *b : dialog.findChild<QDialogButtonBox *>()->buttons())
        if (dialog.findChild<QDialogButtonBox *>()->buttonRole(b) == QDialogButtonBox::ResetRole)
            more = qobject_cast<QPushButton *>(b);
    ASSERT_NE(more, nullptr);
    QTest::mouseClick(more, Qt::LeftButton);
    for (QTabWidget *tabs : dialog.findChildren<QTabWidget *>())
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            seen.addWindow(QStringLiteral("print options"), &dialog);
        }
    const QString rangeTip = dialog.findChild<QLineEdit *>(QStringLiteral("pagesLineEdit"))->toolTip();
    EXPECT_TRUE(rangeTip.startsWith(QStringLiteral("Δώστε σελίδες"))) << rangeTip.toStdString();
    // Collated copies, as Greek office software calls them: not stapled.
    EXPECT_EQ(dialog.findChild<QCheckBox *>(QStringLiteral("collate"))->text(), QStringLiteral("Σελιδοποίηση"));
    // The page set (shown for printers that have one) is named apart from
    // the page range beside it.
    const QString pageRange = dialog.findChild<QRadioButton *>(QStringLiteral("pagesRadioButton"))->text();
    const QString pageSet = dialog.findChild<QLabel *>(QStringLiteral("pageSetLabel"))->text();
    EXPECT_EQ(pageRange, QStringLiteral("Σελίδες"));
    EXPECT_EQ(pageSet, QStringLiteral("Σύνολο σελίδων:"));
    QStringList pageSets;
    auto *pageSetList = dialog.findChild<QComboBox *>(QStringLiteral("pageSetCombo"));
    for (int i = 0; i < pageSetList->count(); ++i) pageSets << pageSetList->itemText(i);
    EXPECT_EQ(pageSets, (QStringList{"Όλες οι σελίδες", "Μονές σελίδες", "Ζυγές σελίδες"}));

    // A page range that cannot be read (into a file that can be written).
    QTemporaryDir out;
    dialog.findChild<QLineEdit *>(QStringLiteral("filename"))->setText(out.filePath(QStringLiteral("κοπή.pdf")));
    dialog.findChild<QRadioButton *>(QStringLiteral("pagesRadioButton"))->setChecked(true);
    dialog.findChild<QLineEdit *>(QStringLiteral("pagesLineEdit"))->setText(QStringLiteral("3-1"));
    QPushButton *print = dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
    EXPECT_EQ(print->text(), QStringLiteral("&Εκτύπωση"));
    whileShown([&] { print->click(); }, [&](QWidget *w) { seen.addWindow(QStringLiteral("page range message"), w); });

    // The printer's properties: every tab, every unit of the paper size.
    QString pagesPerSheet;
    whileShown([&] { dialog.findChild<QPushButton *>(QStringLiteral("properties"))->click(); },
               [&](QWidget *props) {
                   seen.addWindow(QStringLiteral("properties"), props);
                   for (QTabWidget *tabs : props->findChildren<QTabWidget *>())
                       for (int i = 0; i < tabs->count(); ++i) {
                           tabs->setCurrentIndex(i);
                           seen.addWindow(QStringLiteral("properties"), props);
                       }
                   for (QTabWidget *tabs : props->findChildren<QTabWidget *>()) tabs->setCurrentIndex(0);
                   auto *units = props->findChild<QComboBox *>(QStringLiteral("unitCombo"));
                   EXPECT_NE(units, nullptr);
                   if (units)
                       for (int i = 0; i < units->count(); ++i) {
                           units->setCurrentIndex(i);
                           seen.addWindow(QStringLiteral("properties unit ") + units->itemText(i), props);
                       }
                   EXPECT_TRUE(seen.texts.contains(QStringLiteral(
                       "properties list: Από αριστερά προς τα δεξιά, από πάνω προς τα κάτω")));
                   // Every unit names its symbol.
                   for (int i = 0; units && i < units->count(); ++i)
                       EXPECT_TRUE(units->itemText(i).endsWith(u')')) << units->itemText(i).toStdString();
                   for (QLabel *l : props->findChildren<QLabel *>())
                       if (l->text().contains(QStringLiteral("ανά φύλλο"))) pagesPerSheet = l->text();
               });
    // The message that forbids the page set with pages per sheet names
    // both as their labels read, and neither as the page range.
    const QString conflict = plat::greekForQtText(
        "QPrintDialog",
        "Options 'Pages Per Sheet' and 'Page Set' cannot be used together.\nPlease turn one of those options off.");
    EXPECT_EQ(pagesPerSheet, QStringLiteral("Σελίδες ανά φύλλο:"));
    for (const QString &label : {pagesPerSheet, pageSet})
        EXPECT_TRUE(conflict.contains(u'«' + label.chopped(1) + u'»')) << conflict.toStdString();
    EXPECT_FALSE(conflict.contains(u'«' + pageRange + u'»')) << conflict.toStdString();
    // Paper sizes keep their international names.
    for (const char *size : {"A4", "Letter / ANSI A", "Legal", "Executive (7,5 x 10 ίντσες)",
                             "Folio (8,27 x 13 ίντσες)", "Ledger / ANSI B", "Tabloid / ANSI B", "JIS B5", "Φάκελος C5",
                             "Φάκελος DL", "Φάκελος Monarch"})
        EXPECT_TRUE(seen.texts.contains(QStringLiteral("properties paper sizes: ") + QString::fromUtf8(size))) << size;

    // The file chooser behind "…".
    whileShown([&] { dialog.findChild<QToolButton *>(QStringLiteral("fileBrowser"))->click(); },
               [&](QWidget *w) { seen.addWindow(QStringLiteral("print to file"), w); });

    EXPECT_TRUE(seen.texts.contains(QStringLiteral("page range message title: Μη έγκυρες σελίδες")))
        << seen.texts.join(u'|').toStdString();
    for (const char *t : {"print: &Εκτύπωση", "print: Άκυρο", "print: Επιλ&ογές >>", "print options: Επιλ&ογές <<",
                          "print options: Εκτύπωση διπλής όψης",
                          "print options: Βιβλιοδεσία στη μεγάλη πλευρά", "print options: Όχι"})
        EXPECT_TRUE(seen.texts.contains(QString::fromUtf8(t))) << t;
    expectGreek(seen);
}

TEST_F(GreekTexts, FileDialogListsDatesInGreekAndSpeaksGreek)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("κοπή.pdf"));
    const QDateTime december(QDate(2023, 12, 5), QTime(15, 7));
    {
        QFile f(pdf);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(1500, '%'));
    }
    {
        QFile f(pdf);
        ASSERT_TRUE(f.open(QIODevice::Append));
        ASSERT_TRUE(f.setFileTime(december, QFileDevice::FileModificationTime));
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("φάκελος")));

    QFileDialog dialog(nullptr, QStringLiteral("Αποθήκευση ως PDF"), pdf, QStringLiteral("Αρχεία PDF (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setViewMode(QFileDialog::Detail);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto *tree = dialog.findChild<QTreeView *>(QStringLiteral("treeView"));
    ASSERT_NE(tree, nullptr);
    auto row = [&](const QString &name) {
        QAbstractItemModel *m = tree->model();
        for (int r = 0; r < m->rowCount(tree->rootIndex()); ++r)
            if (m->index(r, 0, tree->rootIndex()).data().toString() == name) return r;
        return -1;
    };
    waitFor([&] { return row(QStringLiteral("κοπή.pdf")) >= 0 && row(QStringLiteral("φάκελος")) >= 0; });
    ASSERT_GE(row(QStringLiteral("κοπή.pdf")), 0);
    // Rows move while the list sorts and loads: each look-up is by name.
    auto at = [&](const QString &name, int c) { return tree->model()->index(row(name), c, tree->rootIndex()); };
    auto cell = [&](const QString &name, int c) { return at(name, c).data().toString(); };
    const QString file = QStringLiteral("κοπή.pdf");
    // The Greek list keeps the file the dialog was opened on chosen.
    waitFor([&] { return tree->selectionModel()->isSelected(at(file, 0)); }, 2000);
    EXPECT_TRUE(tree->selectionModel()->isSelected(at(file, 0)));
    EXPECT_EQ(dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text(), QStringLiteral("κοπή.pdf"));
    EXPECT_EQ(cell(file, 3), plat::greekLocale().toString(december, QLocale::ShortFormat));
    EXPECT_TRUE(cell(file, 3).startsWith(QStringLiteral("5/12/23"))) << cell(file, 3).toStdString();
    EXPECT_EQ(cell(file, 1), QStringLiteral("1,46 kB"));
    EXPECT_EQ(cell(file, 2), QStringLiteral("Έγγραφο PDF"));
    EXPECT_EQ(cell(QStringLiteral("φάκελος"), 2), QStringLiteral("Φάκελος"));

    Seen seen;
    seen.addWindow(QStringLiteral("file dialog"), &dialog);
    seen.addMenu(QStringLiteral("column menu"), tree->header()->actions());
    for (const char *t : {"file dialog header: Ημερομηνία τροποποίησης", "file dialog: Αποθήκευση σε:"})
        EXPECT_TRUE(seen.texts.contains(QString::fromUtf8(t))) << t << "\n" << seen.texts.join(u'|').toStdString();

    // Wide, the dialog shows every date whole, and the column's title.
    dialog.resize(1000, 500);
    QTest::qWait(20);
    QHeaderView *header = tree->header();
    const int dates = static_cast<QAbstractItemView *>(tree)->sizeHintForColumn(3);
    EXPECT_GE(header->sectionSize(3), dates);
    EXPECT_GE(header->sectionSize(3), header->sectionSizeHint(3));
    EXPECT_LE(header->sectionViewportPosition(3) + header->sectionSize(3), tree->viewport()->width());

    // The list's own menu, over the file.
    const QPersistentModelIndex fileIndex = at(file, 0);
    tree->setCurrentIndex(fileIndex);
    whileShown([&] { emit tree->customContextMenuRequested(tree->visualRect(fileIndex).center()); },
               [&](QWidget *w) { seen.addMenu(QStringLiteral("file menu"), static_cast<QMenu *>(w)->actions()); });

    // Deleting asks first; the answer here is no.
    auto *del = dialog.findChild<QAction *>(QStringLiteral("qt_delete_action"));
    ASSERT_NE(del, nullptr);
    whileShown([&] { del->trigger(); },
               [&](QWidget *w) {
                   seen.addWindow(QStringLiteral("delete question"), w);
                   if (auto *box = qobject_cast<QMessageBox *>(w)) box->button(QMessageBox::No)->click();
               });
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(seen.texts.contains(QStringLiteral("delete question: &Όχι"))) << seen.texts.join(u'|').toStdString();

    // A new folder takes a Greek name.
    QTest::mouseClick(dialog.findChild<QToolButton *>(QStringLiteral("newFolderButton")), Qt::LeftButton);
    waitFor([&] { return row(QStringLiteral("Νέος φάκελος")) >= 0; });
    EXPECT_GE(row(QStringLiteral("Νέος φάκελος")), 0);
    seen.addView(QStringLiteral("file list"), tree);
    expectGreek(seen);
}

// An Open dialog looks for files where a Save dialog saves them; its own
// button's access key is its own.
TEST_F(GreekTexts, OpenDialogLooksInAFolder)
{
    QTemporaryDir dir;
    QFileDialog dialog(nullptr, QStringLiteral("Άνοιγμα"), dir.path());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    Seen seen;
    seen.addWindow(QStringLiteral("open dialog"), &dialog);
    for (const char *t : {"open dialog: Αναζήτηση σε:", "open dialog: Άν&οιγμα", "open dialog: Ό&νομα αρχείου:"})
        EXPECT_TRUE(seen.texts.contains(QString::fromUtf8(t))) << t << "\n" << seen.texts.join(u'|').toStdString();
    // The same dialog turned to saving says so when shown again.
    dialog.hide();
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.show();
    EXPECT_EQ(dialog.labelText(QFileDialog::LookIn), QStringLiteral("Αποθήκευση σε:"));
    // A folder label of the program's own stays.
    dialog.hide();
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Φάκελος αναφορών:"));
    dialog.show();
    EXPECT_EQ(dialog.labelText(QFileDialog::LookIn), QStringLiteral("Φάκελος αναφορών:"));
    expectGreek(seen);
}
