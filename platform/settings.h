#pragma once
// Per-user settings: values stored as text under an application name and a
// section (an INI file in the user's configuration folder).
#include <QString>

namespace plat {

QString getSetting(const QString &appName, const QString &section, const QString &key,
                   const QString &defaultValue = QString());
void saveSetting(const QString &appName, const QString &section, const QString &key,
                 const QString &value);

// The program's own settings (application "Velantra", section "Settings"):
// the main window's placement, the folder of the last PDF saved.
QString getProgramSetting(const QString &key, const QString &defaultValue = QString());
void saveProgramSetting(const QString &key, const QString &value);

} // namespace plat
