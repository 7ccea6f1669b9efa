#pragma once
// Windows of the program. Each exists once and is reached through its
// accessor (FormInstance<T>::get()), which creates and loads it on first
// use, hidden, so other windows can address it at any time. A window shown as a
// child of the main window lives in the main window's MDI area.
#include <QList>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>

class QCloseEvent;

namespace plat {

class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(const QString &name, QWidget *parent = nullptr);

    // The load event: runs once, right after construction, by the accessor.
    virtual void Form_Load() {}
    // A close request: return false to keep the window open (the Cancel
    // answer of the close question).
    virtual bool Form_QueryUnload() { return true; }
    // Runs when the window is closing for good.
    virtual void Form_Unload() {}

    // Closes the window, asking its question (Form_QueryUnload) first.
    // Returns whether it closed.
    bool unload();
    // Closes the window without asking: the caller has asked already.
    void unloadWithoutAsking();
    bool isUnloaded() const { return m_unloaded; }

    // Shows the window (inside the main window's MDI area when there is one).
    void showForm();
    // Hides the window (or its MDI frame), keeping its contents.
    void hideForm();
    bool isFormVisible() const;
    // Brings the window to the front and gives it the focus.
    void focusForm();
    // The widget that frames this window on screen: its MDI sub-window, or itself.
    QWidget *frame() const;
    // Sets the outer size of the window in pixels (the frame's, in the MDI area).
    void setFormSize(int w, int h);

    static QList<Form *> loadedForms();

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    bool m_unloaded = false;
    bool m_skipQuery = false;
};

// The main window hands its MDI area to the forms through this hook.
void setChildHost(std::function<QWidget *(Form *)> addToHost);

// A window's outer rectangle fitted into an area: its size is cut to the
// area's first, then it is moved just far enough to lie whole inside. An
// empty area leaves the window as it is.
QRect fitIntoArea(const QRect &window, const QRect &area);

// The available area of the screen that holds the most of `window` (the
// primary screen when none does), which fitIntoArea uses for a restored
// placement.
QRect screenAreaFor(const QRect &window);

// Where a new child window of outer size `size` opens inside the free area
// `area`, given the outer rectangles of the windows open there. Its size is
// cut to the area's first; then it takes the first cascade place (the area's
// corner, one step down and right each time) that no open window has and
// where it lies whole inside the area. When it fits whole at no free place,
// it takes the first free cascade place and is cut to the room left there;
// only when every cascade place is taken does it go to the first free spot
// of a grid of steps, cut to the room there (the area's corner when every
// spot is taken): a new window always lies inside the area. A place counts as taken when an open
// window's corner lies less than half a step from it.
// A minimised child window comes back as it was before it was minimised
// (maximised or not); any other window is left as it is.
void restoreIfMinimized(QWidget *frame);

QRect cascadePlace(const QSize &size, const QRect &area, const QList<QRect> &open, int step = 24);

template <class T>
class FormInstance {
public:
    static T *get()
    {
        if (!loaded()) {
            ptr() = new T();
            ptr()->Form_Load();
        }
        return ptr();
    }
    static bool loaded() { return ptr() && !ptr()->isUnloaded(); }
    static T *ifLoaded() { return loaded() ? ptr().data() : nullptr; }
    // Unloads a loaded window; asks nothing and does nothing when not loaded.
    static void unloadIfLoaded()
    {
        if (loaded()) ptr()->unloadWithoutAsking();
    }

private:
    static QPointer<T> &ptr()
    {
        static QPointer<T> p;
        return p;
    }
};

} // namespace plat
