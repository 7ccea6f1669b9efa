#pragma once
// The program's main window: MDI area, menus, status bar, placement, exit.
#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QAction;
class QLabel;
class QTimer;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The one main window of the run (null before it is created).
    static frmMain *instance();

    // Restores the placement and brings the background window to the front.
    void MDIForm_Load();
    // Asks every question of the close; true when the program may end.
    bool MDIForm_QueryUnload();

    // Wires a menu item (by its name, e.g. "mnChange") to its handler and
    // enables it; items without a handler stay disabled.
    void setMenuHandler(const QString &itemName, std::function<void()> handler);
    QAction *menuItem(const QString &itemName) const;

    QMdiArea *mdiArea() const { return m_area; }

    // Tiling of the child windows: 1 horizontally, 2 vertically.
    void arrange(int arrangement);

    // Placement in twips as the settings store it.
    static constexpr int TwipsPerPixel = 15;

    void mnAbout2_Click();
    void mnExit_Click();

protected:
    void closeEvent(QCloseEvent *e) override;
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void fitIntoScreen();
    void keepBehind(QMdiSubWindow *background);
    void sendBackgroundBehind();
    QMdiSubWindow *frontWindow() const;
    void giveFocusToActiveChild();

    void buildMenus();
    void fillWindowList();
    void savePlacement();

    QMdiArea *m_area = nullptr;
    QMenu *m_windowMenu = nullptr;
    QHash<QString, QAction *> m_items;
    QHash<QString, std::function<void()>> m_handlers;
    QLabel *m_date = nullptr;
    QLabel *m_time = nullptr;
    QTimer *m_clock = nullptr;
    bool m_closing = false;
    bool m_fitWhenFramed = false;
    bool m_sendingBack = false;
    QPointer<QMdiSubWindow> m_background;
    // The control that last had the keyboard in a child window, and the one
    // around it that takes the focus (a grid around its cell editor).
    QPointer<QWidget> m_lastFocus;
    QPointer<QWidget> m_lastFocusHolder;
};
