#pragma once
// What the program and a control library agree on: the per-user registry of
// control classes (an INI file: one group per class name, holding the class
// identifier and the library's path) and the library's C entry points.
// Header only, so that the program needs no link to a control library.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

class QWidget;

namespace component {

// Result codes of the entry points.
constexpr int S_OK = 0;
constexpr int S_FALSE = 1;
constexpr int E_POINTER = int(0x80004003u);
constexpr int CLASS_E_CLASSNOTAVAILABLE = int(0x80040111u);
constexpr int SELFREG_E_CLASS = int(0x80040201u);

// The registry file; VELANTRA_COMPONENT_REGISTRY names another (tests).
inline QString registryPath()
{
    const QString env = qEnvironmentVariable("VELANTRA_COMPONENT_REGISTRY");
    if (!env.isEmpty()) return env;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("velantra/components.ini"));
}

// The scroller control's class: the program's windows name it by both.
constexpr char kScrollerClassName[] = "Scroller.DScroller";
constexpr char kScrollerClassId[] = "{177484F0-29FD-4685-9C34-9E7D7E691A1F}";

struct ClassEntry {
    QString classId;
    QString path;
    bool isEmpty() const { return classId.isEmpty() || path.isEmpty(); }
};

// Opens `path` for reading when it is a regular file, links followed. Any
// other kind is refused unopened: the open of a FIFO waits for a writer for
// ever, and a device or a socket is no file to read. One swapped in after the
// check opens without waiting and is refused by its descriptor's kind.
inline bool openRegularFile(const QString &path, QFile &file)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

// The registry file's bytes into `bytes`, empty when there is no file. False
// when there is one that cannot be read, or that is not a regular file.
inline bool readRegistryFile(const QString &path, QByteArray *bytes)
{
    bytes->clear();
    QFile file;
    if (!openRegularFile(path, file)) return !QFileInfo::exists(path);
    *bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

// Registry contents as settings, kept in a file of their own. Qt's settings
// reader never meets the registry file itself: it opens its file by name
// (waiting for ever on a FIFO put in its place), and it keeps what it read of
// a file for the whole process, values it failed to write included, so that
// the registry read again by name would prove nothing about the disk.
class RegistryCopy {
public:
    explicit RegistryCopy(const QByteArray &bytes)
    {
        if (!m_dir.isValid()) return;
        QFile f(path());
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.flush()) return;
        f.close();
        m_settings.emplace(path(), QSettings::IniFormat);
    }
    // Null when no copy could be made.
    QSettings *settings() { return m_settings ? &*m_settings : nullptr; }
    // The copy's bytes with the settings' changes written; none when the copy
    // cannot be read.
    std::optional<QByteArray> bytes()
    {
        if (!m_settings) return std::nullopt;
        m_settings->sync();
        QFile f(path());
        if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
        return f.readAll();
    }

private:
    QString path() const { return m_dir.filePath(QStringLiteral("components.ini")); }
    QTemporaryDir m_dir;
    std::optional<QSettings> m_settings;
};

// The class's entry as the registry file on the disk holds it; empty when it
// holds none or cannot be read.
inline ClassEntry registeredClass(const QString &className)
{
    QByteArray bytes;
    if (!readRegistryFile(registryPath(), &bytes)) return {};
    RegistryCopy copy(bytes);
    QSettings *s = copy.settings();
    if (!s) return {};
    s->beginGroup(className);
    return {s->value(QStringLiteral("CLSID")).toString(), s->value(QStringLiteral("InprocServer")).toString()};
}

// Creates one control on the host window; null when it cannot.
struct ControlClassFactory {
    QWidget *(*CreateInstance)(QWidget *host);
};

using DllRegisterServerFn = int (*)();
using DllUnregisterServerFn = int (*)();
using DllGetClassObjectFn = int (*)(const char *classId, const ControlClassFactory **factory);
using DllCanUnloadNowFn = int (*)();

} // namespace component
