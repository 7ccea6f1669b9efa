#pragma once
// What the program and a control library agree on: the per-user registry of
// control classes (an INI file: one group per class name, holding the class
// identifier and the library's path) and the library's C entry points.
// Header only, so that the program needs no link to a control library.
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QString>

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

inline ClassEntry registeredClass(const QString &className)
{
    QSettings s(registryPath(), QSettings::IniFormat);
    s.beginGroup(className);
    return {s.value(QStringLiteral("CLSID")).toString(), s.value(QStringLiteral("InprocServer")).toString()};
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
