#include "controls.h"

#include "msgbox.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QSet>
#include <QWidget>

#include <cstring>
#include <dlfcn.h>
#include <elf.h>
#include <link.h>

namespace plat {

namespace {

// The ELF header of this program as it lies in memory: its class, byte order
// and machine are the ones a library must share to be loaded.
const ElfW(Ehdr) *ownHeader()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void *>(&ownHeader), &info) || !info.dli_fbase) return nullptr;
    return static_cast<const ElfW(Ehdr) *>(info.dli_fbase);
}

// Whether [offset, offset + length) lies within a file of `size` bytes,
// without overflowing.
bool within(quint64 offset, quint64 length, quint64 size) { return offset <= size && length <= size - offset; }

bool sameFile(const QString &a, const QString &b)
{
    const QString ca = QFileInfo(a).canonicalFilePath(), cb = QFileInfo(b).canonicalFilePath();
    return !ca.isEmpty() && ca == cb;
}

QString native(const QString &path) { return QDir::toNativeSeparators(path); }

const QString kUnavailable =
    QStringLiteral("Οι μπάρες κύλισης δέν είναι διαθέσιμες: η βιβλιοθήκη τους δέν βρέθηκε "
                   "ή δέν φορτώθηκε. Τα παράθυρα ανοίγουν χωρίς μπάρες κύλισης.");

// What on the disk kept the registry file from being written.
QString registryFault(const QString &registry)
{
    const QFileInfo file(registry);
    const QString folder = file.absolutePath();
    if (file.isDir()) return QStringLiteral("το <%1> είναι φάκελος και όχι αρχείο").arg(native(registry));
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("ο φάκελος <%1> δέν μπορεί να δημιουργηθεί").arg(native(folder));
    // The file is written anew beside the old one and renamed over it, so
    // the folder must take new files; and a file the user may not write is
    // left as it is, though the folder would let it be replaced.
    if (!QFileInfo(folder).isWritable())
        return QStringLiteral("ο φάκελος <%1> δέν δέχεται αρχεία").arg(native(folder));
    if (file.exists() && !file.isWritable())
        return QStringLiteral("το αρχείο <%1> δέν γράφεται (είναι μόνο για ανάγνωση)").arg(native(registry));
    return QStringLiteral("το αρχείο <%1> δέν γράφτηκε").arg(native(registry));
}

// The library's factory for the class, or null. A library that cannot give
// it is unloaded again; one that gives it stays loaded for the rest of the
// run, as its controls live on.
const component::ControlClassFactory *classFactory(const QString &path, const QString &classId,
                                                   QLibrary *lib = nullptr)
{
    if (!isLoadableLibrary(path)) return nullptr;
    QLibrary own;
    QLibrary &l = lib ? *lib : own;
    l.setFileName(path);
    if (!l.load()) return nullptr;
    auto getClass = reinterpret_cast<component::DllGetClassObjectFn>(l.resolve("DllGetClassObject"));
    const component::ControlClassFactory *factory = nullptr;
    const QByteArray id = classId.toLatin1();
    if (!getClass || getClass(id.constData(), &factory) != component::S_OK || !factory || !factory->CreateInstance) {
        l.unload();
        return nullptr;
    }
    return factory;
}

// Registers the library beside the program for the class unless the registry
// already names it there under the right identifier. Empty when the registry
// holds it afterwards, else why not.
QString registerBeside(const QString &className, const QString &classId, const QString &path, QLibrary &lib)
{
    const component::ClassEntry entry = component::registeredClass(className);
    if (entry.classId.compare(classId, Qt::CaseInsensitive) == 0 && sameFile(entry.path, path)) return {};
    auto reg = reinterpret_cast<component::DllRegisterServerFn>(lib.resolve("DllRegisterServer"));
    if (reg && reg() == component::S_OK) return {};
    return QStringLiteral("Η βιβλιοθήκη των μπαρών κύλισης <%1> δέν καταχωρήθηκε: %2. "
                          "Οι μπάρες κύλισης λειτουργούν κανονικά.")
        .arg(native(path), registryFault(component::registryPath()));
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

bool isLoadableLibrary(const QString &path)
{
    const ElfW(Ehdr) *own = ownHeader();
    QFile f;
    if (!own || !component::openRegularFile(path, f)) return false;
    const quint64 size = quint64(f.size());
    ElfW(Ehdr) h;
    if (size < sizeof h || f.read(reinterpret_cast<char *>(&h), sizeof h) != qint64(sizeof h)) return false;
    if (std::memcmp(h.e_ident, ELFMAG, SELFMAG) != 0 || h.e_ident[EI_CLASS] != own->e_ident[EI_CLASS] ||
        h.e_ident[EI_DATA] != own->e_ident[EI_DATA] || h.e_ident[EI_VERSION] != EV_CURRENT ||
        h.e_type != ET_DYN || h.e_machine != own->e_machine || h.e_version != EV_CURRENT)
        return false;
    if (h.e_phentsize != sizeof(ElfW(Phdr)) || h.e_phnum == 0 || h.e_phnum == PN_XNUM ||
        !within(h.e_phoff, quint64(h.e_phnum) * sizeof(ElfW(Phdr)), size) || !f.seek(qint64(h.e_phoff)))
        return false;
    bool loads = false;
    for (int i = 0; i < h.e_phnum; ++i) {
        ElfW(Phdr) p;
        if (f.read(reinterpret_cast<char *>(&p), sizeof p) != qint64(sizeof p)) return false;
        if (!within(p.p_offset, p.p_filesz, size)) return false;
        if (p.p_type == PT_LOAD) {
            if (p.p_filesz > p.p_memsz) return false;
            loads = true;
        }
    }
    return loads;
}

QWidget *createControl(const QString &className, const QString &classId, QWidget *host, QString *notice)
{
    if (notice) notice->clear();
    if (!host) return nullptr;
    const QString library = className.section(QLatin1Char('.'), 0, 0);
    const QString beside =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("lib%1.so").arg(library));
    QLibrary lib;
    const component::ControlClassFactory *factory = classFactory(beside, classId, &lib);
    if (factory) {
        // A registry that cannot be written costs the registration only.
        const QString unregistered = registerBeside(className, classId, beside, lib);
        if (notice) *notice = unregistered;
    } else {
        const component::ClassEntry entry = component::registeredClass(className);
        if (!entry.isEmpty() && entry.classId.compare(classId, Qt::CaseInsensitive) == 0)
            factory = classFactory(entry.path, classId);
    }
    QWidget *control = factory ? factory->CreateInstance(host) : nullptr;
    if (!control && notice) *notice = kUnavailable;
    return control;
}

QWidget *hostScroller(QWidget *host, QWidget *content, const QString &className, const QString &classId)
{
    QString notice;
    QWidget *control = createControl(className, classId, host, &notice);
    static QSet<QString> told;
    if (!notice.isEmpty() && !told.contains(notice)) {
        told.insert(notice);
        msgBox(notice);
    }
    if (!control) {
        content->setParent(host);
        content->move(0, 0);
        content->show();
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
