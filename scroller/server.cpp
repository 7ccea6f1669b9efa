// The library's entry points as a component server: it registers its one
// control class, hands out the factory that creates it, and says whether it
// can be unloaded.
#include "component.h"
#include "dscroller.h"

#include <QFileInfo>

#include <dlfcn.h>

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

} // namespace

extern "C" {

__attribute__((visibility("default"))) int DllRegisterServer()
{
    const QString path = libraryPath();
    if (path.isEmpty()) return component::SELFREG_E_CLASS;
    QSettings s(component::registryPath(), QSettings::IniFormat);
    s.beginGroup(QString::fromLatin1(kScrollerClassName));
    s.setValue(QStringLiteral("CLSID"), QString::fromLatin1(kScrollerClassId));
    s.setValue(QStringLiteral("InprocServer"), path);
    s.setValue(QStringLiteral("TypeLib"), QString::fromLatin1(kTypeLibId));
    s.setValue(QStringLiteral("Interface_DScroller"), QString::fromLatin1(kInterfaceId));
    s.setValue(QStringLiteral("Interface__DScroller"), QString::fromLatin1(kEventInterfaceId));
    s.endGroup();
    s.sync();
    return s.status() == QSettings::NoError ? component::S_OK : component::SELFREG_E_CLASS;
}

__attribute__((visibility("default"))) int DllUnregisterServer()
{
    QSettings s(component::registryPath(), QSettings::IniFormat);
    s.remove(QString::fromLatin1(kScrollerClassName));
    s.sync();
    return s.status() == QSettings::NoError ? component::S_OK : component::SELFREG_E_CLASS;
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
