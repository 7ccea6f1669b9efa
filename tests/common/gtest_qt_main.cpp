#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                      : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    // Settings and data of a test run never touch the user's own.
    QTemporaryDir home;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.path());
    // The toolkit keeps its own (the file dialog's columns) in the native format.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
    QStandardPaths::setTestModeEnabled(true);
    qputenv("VELANTRA_COMPONENT_REGISTRY", QFile::encodeName(home.filePath(QStringLiteral("components.ini"))));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
