#include "frmmain.h"

#include "frmbackground.h"
#include "module1.h"
#include "platform/database.h"
#include "platform/forms.h"
#include "platform/msgbox.h"
#include "platform/qnum.h"
#include "platform/settings.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTime>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {
frmMain *g_main = nullptr;

const QString kExitQuestion = QStringLiteral("Παρακαλώ επιβεβαιώστε τήν έξοδόν σας από τήν εφαρμογή!");

// The commands whose windows show or edit the database: without it they
// would open half filled, so they first make sure it is open.
bool needsDatabase(const QString &itemName)
{
    static const QStringList items = {QStringLiteral("mnStandar"), QStringLiteral("mnChange"),
                                      QStringLiteral("mnEidos"),   QStringLiteral("mnType"),
                                      QStringLiteral("mnPrint"),   QStringLiteral("mnParameters")};
    return items.contains(itemName);
}

int readTwips(const QString &key, int def)
{
    const QString text = plat::getProgramSetting(key, QString::number(def));
    // A value that is not a number, or none a screen could hold (edited by
    // hand), falls back to its default.
    auto v = plat::toNumber(text);
    return v && std::fabs(*v) < 1e9 ? int(*v) : def;
}
} // namespace

frmMain *frmMain::instance() { return g_main; }

frmMain::frmMain(QWidget *parent) : QMainWindow(parent)
{
    g_main = this;
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Velantra"));

    m_area = new QMdiArea(this);
    m_area->setObjectName(QStringLiteral("MDIClient"));
    m_area->setBackground(QColor(192, 192, 192));
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // When a window closes, the one used before it comes back, as on any
    // desktop; in creation order the background picture would be raised over
    // the planner the user was working in.
    m_area->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    setCentralWidget(m_area);

    plat::setChildHost([this](plat::Form *f) -> QWidget * {
        QMdiSubWindow *sub = m_area->addSubWindow(f, f->windowFlags() & ~Qt::Window);
        sub->setWindowTitle(f->windowTitle());
        sub->setWindowIcon(QIcon());
        return sub;
    });

    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (!now || !isAncestorOf(now)) return;
        m_lastFocus = now;
        m_lastFocusHolder = nullptr;
        for (QWidget *w = now->parentWidget(); w && w != this; w = w->parentWidget()) {
            if (qobject_cast<QMdiSubWindow *>(w)) break;
            if (w->focusPolicy() != Qt::NoFocus) {
                m_lastFocusHolder = w;
                break;
            }
        }
    });

    buildMenus();

    auto *sb = new QStatusBar(this);
    sb->setObjectName(QStringLiteral("sbStatusBar"));
    setStatusBar(sb);
    auto *text = new QLabel(QStringLiteral("Velantra — προγραμματισμός κοπής ρόλων"), sb);
    m_date = new QLabel(sb);
    m_time = new QLabel(sb);
    sb->addWidget(text, 1);
    sb->addPermanentWidget(m_date);
    sb->addPermanentWidget(m_time);
    m_clock = new QTimer(this);
    auto tick = [this] {
        m_date->setText(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
        m_time->setText(QTime::currentTime().toString(QStringLiteral("HH:mm")));
    };
    connect(m_clock, &QTimer::timeout, this, tick);
    tick();
    m_clock->start(1000);
}

frmMain::~frmMain()
{
    plat::setChildHost(nullptr);
    if (g_main == this) g_main = nullptr;
}

void frmMain::buildMenus()
{
    auto item = [this](QMenu *menu, const char *name, const QString &caption, std::function<void()> builtin = {}) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        m_items.insert(a->objectName(), a);
        if (builtin) {
            connect(a, &QAction::triggered, this, builtin);
        } else {
            a->setEnabled(false);
            connect(a, &QAction::triggered, this, [this, n = a->objectName()] {
                if (needsDatabase(n) && !plat::Database::ensureOpen()) return;
                if (auto h = m_handlers.value(n)) h();
            });
        }
        return a;
    };
    auto separator = [this](QMenu *menu, const char *name) {
        QAction *a = menu->addSeparator();
        a->setObjectName(QString::fromLatin1(name));
        m_items.insert(a->objectName(), a);
    };

    QMenu *divor = menuBar()->addMenu(QStringLiteral("Κοπές"));
    divor->setObjectName(QStringLiteral("mnDivor"));
    item(divor, "mnStandar", QStringLiteral("Χωρίς Αλλαγές Μαχαιριών "));
    item(divor, "mnChange", QStringLiteral("Με Αλλαγές Μαχαιριών "));
    separator(divor, "mnGrammi");
    item(divor, "mnExit", QStringLiteral("Έξοδος"), [this] { mnExit_Click(); });

    QMenu *files = menuBar()->addMenu(QStringLiteral("Αρχεία"));
    files->setObjectName(QStringLiteral("mnfiles"));
    item(files, "mnEidos", QStringLiteral("Πίνακας Ειδών"));
    item(files, "mnType", QStringLiteral("Τύποι Ειδών"));
    item(files, "mnPrint", QStringLiteral("Εκτύπωσις Ειδών"));
    separator(files, "mnGrammi1");
    item(files, "mnParameters", QStringLiteral("Παράμετροι προγράμματος"));

    m_windowMenu = menuBar()->addMenu(QStringLiteral("Ενεργές εργασίες"));
    m_windowMenu->setObjectName(QStringLiteral("mnEnergy"));
    connect(m_windowMenu, &QMenu::aboutToShow, this, &frmMain::fillWindowList);
    fillWindowList();

    QMenu *about = menuBar()->addMenu(QStringLiteral("Βοήθεια"));
    about->setObjectName(QStringLiteral("mnAbout"));
    item(about, "mnAbout2", QStringLiteral("Βοήθεια"), [this] { mnAbout2_Click(); });
    item(about, "mnAbout1", QStringLiteral("Σχετικά με..."));
}

void frmMain::fillWindowList()
{
    m_windowMenu->clear();
    QAction *h = m_windowMenu->addAction(QStringLiteral("Οριζόντια στοίχησις"), this, [this] { arrange(1); });
    h->setObjectName(QStringLiteral("mnHorizon"));
    QAction *v = m_windowMenu->addAction(QStringLiteral("Κάθετη στοίχησις"), this, [this] { arrange(2); });
    v->setObjectName(QStringLiteral("mnVertical"));
    m_items.insert(h->objectName(), h);
    m_items.insert(v->objectName(), v);
    const auto subs = m_area->subWindowList();
    bool first = true;
    for (QMdiSubWindow *sub : subs) {
        if (!sub->isVisible()) continue;
        if (first) {
            m_windowMenu->addSeparator();
            first = false;
        }
        QAction *a = m_windowMenu->addAction(sub->windowTitle().isEmpty() ? sub->widget()->windowTitle()
                                                                          : sub->windowTitle());
        a->setCheckable(true);
        a->setChecked(sub == m_area->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, s = QPointer<QMdiSubWindow>(sub)] {
            if (!s) return;
            // A minimised window chosen here comes back as it was, in front:
            // its icon could lie under the active window.
            plat::restoreIfMinimized(s);
            m_area->setActiveSubWindow(s);
        });
    }
}

void frmMain::setMenuHandler(const QString &itemName, std::function<void()> handler)
{
    QAction *a = m_items.value(itemName);
    if (!a) return;
    m_handlers.insert(itemName, std::move(handler));
    a->setEnabled(true);
}

QAction *frmMain::menuItem(const QString &itemName) const { return m_items.value(itemName); }

void frmMain::MDIForm_Load()
{
    const int left = readTwips(QStringLiteral("MainLeft"), 1000);
    const int top = readTwips(QStringLiteral("MainTop"), 1000);
    const int width = readTwips(QStringLiteral("MainWidth"), 6500);
    const int height = readTwips(QStringLiteral("MainHeight"), 6500);
    QRect placed(left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel, height / TwipsPerPixel);
    // A placement saved on a screen that is no longer there (or edited by
    // hand) would open the program where nobody can reach it.
    bool reachable = false;
    for (QScreen *screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(placed.adjusted(0, 0, 0, -placed.height() + 30))) reachable = true;
    if (!reachable || placed.width() < 100 || placed.height() < 100)
        placed = QRect(1000 / TwipsPerPixel, 1000 / TwipsPerPixel, 6500 / TwipsPerPixel, 6500 / TwipsPerPixel);
    move(placed.topLeft());
    resize(placed.size());
    // A placement kept from a larger screen must not put the close box or
    // the status bar out of reach. The window manager's frame is known only
    // once the window is on screen; it is fitted again then.
    fitIntoScreen();
    m_fitWhenFramed = true;
    frmBackground *bg = plat::FormInstance<frmBackground>::get();
    bg->showForm();
    keepBehind(qobject_cast<QMdiSubWindow *>(bg->frame()));
    bg->focusForm();
}

void frmMain::fitIntoScreen()
{
    const QRect inner = geometry();
    const QRect outer = frameGeometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    const QRect fitted = plat::fitIntoArea(outer, plat::screenAreaFor(outer));
    if (fitted == outer) return;
    // pos() is the frame's corner, the size the inside's (as they are saved).
    resize(fitted.size().shrunkBy(frame));
    move(fitted.topLeft());
}

void frmMain::keepBehind(QMdiSubWindow *background)
{
    m_background = background;
    if (!background) return;
    // The picture never takes the keyboard: when the main window becomes
    // active again with no focused control (a message box closed while a
    // grid's editor went away), the toolkit gives the focus to the first
    // control that takes it, and a focused sub-window comes to the front.
    background->setFocusPolicy(Qt::NoFocus);
    if (background->widget()) background->widget()->setFocusPolicy(Qt::NoFocus);
    background->installEventFilter(this);
    connect(m_area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *s) {
        if (s && s == m_background) sendBackgroundBehind();
    });
}

QMdiSubWindow *frmMain::frontWindow() const
{
    const auto stack = m_area->subWindowList(QMdiArea::StackingOrder);
    for (auto it = stack.rbegin(); it != stack.rend(); ++it)
        if (*it != m_background && (*it)->isVisible() && !(*it)->isMinimized()) return *it;
    return nullptr;
}

void frmMain::sendBackgroundBehind()
{
    if (!m_background || m_sendingBack) return;
    m_sendingBack = true;
    // With another window open, the background is neither active nor above
    // anything; alone it may be active (it is the start window).
    if (QMdiSubWindow *front = frontWindow(); front && m_area->activeSubWindow() == m_background)
        m_area->setActiveSubWindow(front);
    const auto stack = m_area->subWindowList(QMdiArea::StackingOrder);
    if (!stack.isEmpty() && stack.first() != m_background) m_background->lower();
    m_sendingBack = false;
}

bool frmMain::eventFilter(QObject *watched, QEvent *e)
{
    // The type first: the background's own events while it is being
    // destroyed must not reach its typed pointer.
    if (e->type() == QEvent::ZOrderChange && watched == m_background) sendBackgroundBehind();
    return QMainWindow::eventFilter(watched, e);
}

bool frmMain::event(QEvent *e)
{
    const bool done = QMainWindow::event(e);
    switch (e->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
        // The first time the frame is known, the window is fitted with it.
        if (m_fitWhenFramed && isVisible() && !isMaximized() && !isFullScreen() && frameGeometry() != geometry()) {
            m_fitWhenFramed = false;
            fitIntoScreen();
        }
        break;
    case QEvent::WindowActivate:
        giveFocusToActiveChild();
        break;
    default:
        break;
    }
    return done;
}

void frmMain::giveFocusToActiveChild()
{
    // The control that had the focus may be gone (a grid's editor closes
    // while a message is on screen): the active child window keeps the
    // keyboard instead of the toolkit's first control in the main window.
    if (QWidget *fw = focusWidget(); fw && fw->isVisible()) return;
    QMdiSubWindow *sub = m_area->currentSubWindow();
    if (!sub || sub == m_background || !sub->isVisible()) sub = frontWindow();
    if (!sub || !sub->widget()) return;
    QWidget *content = sub->widget();
    auto usable = [content](QWidget *w) { return w && content->isAncestorOf(w) && w->isVisible() && w->isEnabled(); };
    // The control the keyboard was in, else the one around it (the grid
    // whose cell editor went away), else the window's first control.
    QWidget *target = content->focusWidget();
    if (!usable(target)) target = m_lastFocus;
    if (!usable(target)) target = m_lastFocusHolder;
    if (!usable(target)) {
        target = nullptr;
        for (QWidget *w = content->nextInFocusChain(); w && w != content; w = w->nextInFocusChain()) {
            if (content->isAncestorOf(w) && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
                target = w;
                break;
            }
        }
    }
    if (target) target->setFocus(Qt::ActiveWindowFocusReason);
    m_area->setActiveSubWindow(sub);
}

void frmMain::arrange(int arrangement)
{
    QList<QMdiSubWindow *> subs;
    for (QMdiSubWindow *s : m_area->subWindowList())
        if (s->isVisible() && !s->isMinimized()) subs << s;
    if (subs.isEmpty()) return;
    const QRect r = m_area->viewport()->rect();
    const int n = int(subs.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow *s = subs[i];
        if (s->isMaximized()) s->showNormal();
        if (arrangement == 1) {
            const int h = r.height() / n;
            s->setGeometry(0, i * h, r.width(), i == n - 1 ? r.height() - i * h : h);
        } else {
            const int w = r.width() / n;
            s->setGeometry(i * w, 0, i == n - 1 ? r.width() - i * w : w, r.height());
        }
    }
}

void frmMain::mnAbout2_Click()
{
    const QString path = QDir(Module1::AppPath()).filePath(QStringLiteral("DivorHelp.doc"));
    const QString result = Module1::OpenDocument(winId(), path);
    if (!result.isEmpty()) plat::msgBox(result, plat::MsgCritical);
}

void frmMain::mnExit_Click() { close(); }

bool frmMain::MDIForm_QueryUnload()
{
    // Every window's own question comes first (the fixed-knife planner asks
    // one), then the main window's; nothing closes before all are answered, so
    // Cancel anywhere leaves every window open with its work.
    for (plat::Form *f : plat::Form::loadedForms())
        if (!f->Form_QueryUnload()) return false;
    return plat::msgBox(kExitQuestion, plat::MsgOkCancelQuestion) == plat::MsgAnswer::Ok;
}

void frmMain::savePlacement()
{
    if (isMinimized()) return;
    const QRect g = geometry();
    const QPoint p = pos();
    plat::saveProgramSetting(QStringLiteral("MainLeft"), QString::number(p.x() * TwipsPerPixel));
    plat::saveProgramSetting(QStringLiteral("MainTop"), QString::number(p.y() * TwipsPerPixel));
    plat::saveProgramSetting(QStringLiteral("MainWidth"), QString::number(g.width() * TwipsPerPixel));
    plat::saveProgramSetting(QStringLiteral("MainHeight"), QString::number(g.height() * TwipsPerPixel));
}

void frmMain::closeEvent(QCloseEvent *e)
{
    if (m_closing) {
        e->accept();
        return;
    }
    if (!MDIForm_QueryUnload()) {
        e->ignore();
        return;
    }
    m_closing = true;
    savePlacement();
    for (plat::Form *f : plat::Form::loadedForms()) f->unloadWithoutAsking();
    e->accept();
    QApplication::closeAllWindows();
}
