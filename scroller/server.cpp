// The library's entry points as a component server: it registers its one
// control class, hands out the factory that creates it, and says whether it
// can be unloaded.
#include "component.h"
#include "dscroller.h"

#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

#include <dlfcn.h>
#include <functional>

namespace {

using component::kScrollerClassId;
using component::kScrollerClassName;
const char kTypeLibId[] = "{CD7164F2-3859-41E8-B094-F6235461379C}";
const char kInterfaceId[] = "{0CF86F2B-5CB9-4762-AB2F-811347F77553}";
const char kEventInterfaceId[] = "{9AC61D9A-D181-4BD4-8BEA-9B2FA34E81A4}";

QString libraryPath()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void *>(&libraryPath), &info) || !info.dli_fname) return QString();
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
}

QWidget *createInstance(QWidget *host)
{
    if (!host) return nullptr;
    auto *control = new scroller::DScroller(host);
    // The program's windows keep no saved layout: every property starts at
    // its default.
    control->UserControl_ReadProperties(scroller::PropertyBag(), true);
    control->show();
    return control;
}

const component::ControlClassFactory kFactory{&createInstance};

// Whether a lock file may stand at `path`: none there, a regular file, or a
// link leading nowhere (the lock replaces it).
bool lockFileUsable(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0 || S_ISREG(st.st_mode)) return true;
    if (!S_ISLNK(st.st_mode)) return false;
    return ::stat(name.constData(), &st) != 0 || S_ISREG(st.st_mode);
}

// Applies `edit` to the registry file, or leaves the file as it is when it
// cannot be read or written. Whether the edit took is for the caller to read
// back from the disk.
void editRegistry(const std::function<void(QSettings &)> &edit)
{
    const QString registry = component::registryPath();
    if (!QDir().mkpath(QFileInfo(registry).absolutePath())) return;
    // The lock Qt's settings writer takes for the same file: writers of the
    // registry take turns. The lock waits for ever on a lock file it cannot
    // read or remove: a FIFO in its place holds its read of the holder, a
    // folder its removal of a stale lock. Only a regular lock file is waited
    // for, and not past any writer's turn, which takes a moment.
    const QString lockPath = registry + QStringLiteral(".lock");
    if (!lockFileUsable(lockPath)) return;
    QLockFile lock(lockPath);
    if (!lock.tryLock(10000)) return;
    QByteArray old;
    if (!component::readRegistryFile(registry, &old)) return;
    component::RegistryCopy copy(old);
    if (!copy.settings()) return;
    edit(*copy.settings());
    const std::optional<QByteArray> updated = copy.bytes();
    if (!updated || *updated == old) return;
    // The new contents are renamed over the old file, which the folder alone
    // would allow; a file the user may not write (made read-only, or another
    // user's behind a link) is not replaced behind their back.
    const QFileInfo file(registry);
    if (file.exists() && !file.isWritable()) return;
    QSaveFile out(registry);
    if (out.open(QIODevice::WriteOnly) && out.write(*updated) == updated->size()) out.commit();
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) int DllRegisterServer()
{
    const QString path = libraryPath();
    if (path.isEmpty()) return component::SELFREG_E_CLASS;
    const QString className = QString::fromLatin1(kScrollerClassName);
    const QString classId = QString::fromLatin1(kScrollerClassId);
    editRegistry([&](QSettings &s) {
        s.beginGroup(className);
        s.setValue(QStringLiteral("CLSID"), classId);
        s.setValue(QStringLiteral("InprocServer"), path);
        s.setValue(QStringLiteral("TypeLib"), QString::fromLatin1(kTypeLibId));
        s.setValue(QStringLiteral("Interface_DScroller"), QString::fromLatin1(kInterfaceId));
        s.setValue(QStringLiteral("Interface__DScroller"), QString::fromLatin1(kEventInterfaceId));
        s.endGroup();
    });
    // The file on the disk tells: the settings reader's complaint about old
    // lines it could not parse says nothing of the write.
    const component::ClassEntry written = component::registeredClass(className);
    return written.classId == classId && written.path == path ? component::S_OK : component::SELFREG_E_CLASS;
}

__attribute__((visibility("default"))) int DllUnregisterServer()
{
    const QString className = QString::fromLatin1(kScrollerClassName);
    editRegistry([&](QSettings &s) { s.remove(className); });
    return component::registeredClass(className).isEmpty() ? component::S_OK : component::SELFREG_E_CLASS;
}

__attribute__((visibility("default"))) int DllGetClassObject(const char *classId,
                                                              const component::ControlClassFactory **factory)
{
    if (!factory) return component::E_POINTER;
    *factory = nullptr;
    if (!classId || QString::fromLatin1(classId).compare(QString::fromLatin1(kScrollerClassId), Qt::CaseInsensitive) != 0)
        return component::CLASS_E_CLASSNOTAVAILABLE;
    *factory = &kFactory;
    return component::S_OK;
}

__attribute__((visibility("default"))) int DllCanUnloadNow()
{
    return scroller::DScroller::instances() == 0 ? component::S_OK : component::S_FALSE;
}

} // extern "C"
