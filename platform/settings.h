#pragma once
// Per-user settings: values stored as text under an application name and a
// section, as the original's registry settings were.
#include <QString>

namespace plat {

QString getSetting(const QString &appName, const QString &section, const QString &key,
                   const QString &defaultValue = QString());
void saveSetting(const QString &appName, const QString &section, const QString &key,
                 const QString &value);

} // namespace plat
