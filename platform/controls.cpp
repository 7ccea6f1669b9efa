#include "controls.h"

#include "msgbox.h"
#include "scroller/component.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLibrary>
#include <QWidget>

namespace plat {

namespace {

bool sameFile(const QString &a, const QString &b)
{
    const QString ca = QFileInfo(a).canonicalFilePath(), cb = QFileInfo(b).canonicalFilePath();
    return !ca.isEmpty() && ca == cb;
}

void registerLibrary(const QString &path)
{
    QLibrary lib(path);
    auto reg = reinterpret_cast<component::DllRegisterServerFn>(lib.resolve("DllRegisterServer"));
    if (reg) reg();
}

// Keeps the control the size of its content.
class FollowContent : public QObject {
public:
    FollowContent(QWidget *control, QWidget *content) : QObject(control), m_control(control)
    {
        content->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() == QEvent::Resize) m_control->resize(static_cast<QWidget *>(watched)->size());
        return false;
    }

private:
    QWidget *m_control;
};

} // namespace

QWidget *createControl(const QString &className, QWidget *host)
{
    if (!host) return nullptr;
    const QString library = className.section(QLatin1Char('.'), 0, 0);
    const QString beside =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("lib%1.so").arg(library));
    component::ClassEntry entry = component::registeredClass(className);
    if (QFileInfo::exists(beside) && (entry.isEmpty() || !sameFile(entry.path, beside))) {
        registerLibrary(beside);
        entry = component::registeredClass(className);
    }
    if (entry.isEmpty()) return nullptr;

    // The library stays loaded for the rest of the run: its controls live on.
    QLibrary lib(entry.path);
    auto getClass = reinterpret_cast<component::DllGetClassObjectFn>(lib.resolve("DllGetClassObject"));
    if (!getClass) return nullptr;
    const component::ControlClassFactory *factory = nullptr;
    const QByteArray classId = entry.classId.toLatin1();
    if (getClass(classId.constData(), &factory) != component::S_OK || !factory || !factory->CreateInstance)
        return nullptr;
    return factory->CreateInstance(host);
}

QWidget *hostScroller(QWidget *host, QWidget *content, const QString &className)
{
    QWidget *control = createControl(className, host);
    if (!control) {
        content->setParent(host);
        content->move(0, 0);
        content->show();
        static bool told = false;
        if (!told) {
            told = true;
            msgBox(QStringLiteral("Οι μπάρες κύλισης δέν είναι διαθέσιμες: η βιβλιοθήκη τους δέν βρέθηκε "
                                  "ή δέν φορτώθηκε. Τα παράθυρα ανοίγουν χωρίς μπάρες κύλισης."));
        }
        return nullptr;
    }
    control->setObjectName(QStringLiteral("DScroller1"));
    content->setParent(control);
    content->move(0, 0);
    content->show();
    control->resize(content->size());
    new FollowContent(control, content);
    return control;
}

} // namespace plat
