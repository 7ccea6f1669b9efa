#include "settings.h"

#include <QSettings>

namespace plat {

namespace {
QString keyPath(const QString &section, const QString &key) { return section + QLatin1Char('/') + key; }
}

QString getSetting(const QString &appName, const QString &section, const QString &key, const QString &defaultValue)
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Velantra"), appName);
    return s.value(keyPath(section, key), defaultValue).toString();
}

void saveSetting(const QString &appName, const QString &section, const QString &key, const QString &value)
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Velantra"), appName);
    s.setValue(keyPath(section, key), value);
    s.sync();
}

namespace {
const QString kProgram = QStringLiteral("Velantra");
const QString kProgramSection = QStringLiteral("Settings");
} // namespace

QString getProgramSetting(const QString &key, const QString &defaultValue)
{
    return getSetting(kProgram, kProgramSection, key, defaultValue);
}

void saveProgramSetting(const QString &key, const QString &value) { saveSetting(kProgram, kProgramSection, key, value); }

} // namespace plat
