#pragma once
// Windows of the program. Each exists once and is reached through its
// accessor (FormInstance<T>::get()), which creates and loads it on first
// use, hidden, so other windows can address it at any time. A window shown as a
// child of the main window lives in the main window's MDI area.
#include <QPointer>
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
