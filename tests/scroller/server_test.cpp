// The control library as the program meets it: registered in a per-user
// registry of its own, loaded at run time and asked for a control by class
// name.
#include "platform/controls.h"
#include "platform/msgbox.h"
#include "scroller/component.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>

namespace {

const QString kClass = QStringLiteral("Scroller.DScroller");
const QString kClassId = QStringLiteral("{177484F0-29FD-4685-9C34-9E7D7E691A1F}");

class ServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        registry = dir.filePath(QStringLiteral("components.ini"));
        qputenv("VELANTRA_COMPONENT_REGISTRY", QFile::encodeName(registry));
        lib.setFileName(beside());
        ASSERT_TRUE(lib.load()) << lib.errorString().toStdString();
    }
    static QString beside()
    {
        return QFileInfo(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("libScroller.so")))
            .canonicalFilePath();
    }
    template <class Fn>
    Fn entry(const char *name)
    {
        auto fn = reinterpret_cast<Fn>(lib.resolve(name));
        EXPECT_NE(fn, nullptr) << name;
        return fn;
    }
    QString registeredPath() const
    {
        return QFileInfo(component::registeredClass(kClass).path).canonicalFilePath();
    }

    QTemporaryDir dir;
    QString registry;
    QLibrary lib;
};

} // namespace

TEST_F(ServerTest, RegistersAndUnregistersItsClassInTheRegistry)
{
    EXPECT_TRUE(component::registeredClass(kClass).isEmpty());
    ASSERT_EQ(entry<component::DllRegisterServerFn>("DllRegisterServer")(), component::S_OK);
    const component::ClassEntry e = component::registeredClass(kClass);
    EXPECT_EQ(e.classId, QStringLiteral("{177484F0-29FD-4685-9C34-9E7D7E691A1F}"));
    EXPECT_EQ(registeredPath(), beside());
    EXPECT_TRUE(QFileInfo::exists(registry));

    ASSERT_EQ(entry<component::DllUnregisterServerFn>("DllUnregisterServer")(), component::S_OK);
    EXPECT_TRUE(component::registeredClass(kClass).isEmpty());
    EXPECT_TRUE(QSettings(registry, QSettings::IniFormat).childGroups().isEmpty());
}

// Lines the settings reader cannot parse are dropped from the file written,
// and its complaint about them is no failure of the write.
TEST_F(ServerTest, UnparsableLinesDoNotFailTheRegistration)
{
    for (const char *line : {"k", "[", "\xff"}) {
        SCOPED_TRACE(line);
        QFile f(registry);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(line) + "\n[Other]\nkey=value\n");
        f.close();
        EXPECT_EQ(entry<component::DllRegisterServerFn>("DllRegisterServer")(), component::S_OK);
        EXPECT_EQ(registeredPath(), beside());
        EXPECT_EQ(QSettings(registry, QSettings::IniFormat).value(QStringLiteral("Other/key")), QStringLiteral("value"));
        EXPECT_EQ(entry<component::DllUnregisterServerFn>("DllUnregisterServer")(), component::S_OK);
        EXPECT_TRUE(component::registeredClass(kClass).isEmpty());
    }
}

TEST_F(ServerTest, ClassFactoryAndUnloadQuery)
{
    auto getClass = entry<component::DllGetClassObjectFn>("DllGetClassObject");
    auto canUnload = entry<component::DllCanUnloadNowFn>("DllCanUnloadNow");
    const component::ControlClassFactory *factory = nullptr;
    EXPECT_EQ(getClass("{00000000-0000-0000-0000-000000000000}", &factory), component::CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(factory, nullptr);
    EXPECT_EQ(getClass("{177484f0-29fd-4685-9c34-9e7d7e691a1f}", nullptr), component::E_POINTER);
    ASSERT_EQ(getClass("{177484f0-29fd-4685-9c34-9e7d7e691a1f}", &factory), component::S_OK);
    ASSERT_NE(factory, nullptr);

    EXPECT_EQ(canUnload(), component::S_OK);
    {
        QWidget host;
        QWidget *control = factory->CreateInstance(&host);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parentWidget(), &host);
        EXPECT_EQ(canUnload(), component::S_FALSE);
    }
    EXPECT_EQ(canUnload(), component::S_OK);
}

TEST_F(ServerTest, CreatingByClassNameRegistersTheLibraryBesideTheProgram)
{
    // Missing from the registry: registered, then created.
    QWidget host;
    QWidget *control = plat::createControl(kClass, kClassId, &host);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->metaObject()->className(), QByteArray("scroller::DScroller"));
    EXPECT_EQ(registeredPath(), beside());

    // Pointing elsewhere: registered again from beside the program.
    {
        QSettings s(registry, QSettings::IniFormat);
        s.setValue(kClass + QStringLiteral("/InprocServer"), dir.filePath(QStringLiteral("old/libScroller.so")));
    }
    QWidget host2;
    EXPECT_NE(plat::createControl(kClass, kClassId, &host2), nullptr);
    EXPECT_EQ(registeredPath(), beside());

    EXPECT_EQ(plat::createControl(QStringLiteral("Nothing.Here"), kClassId, &host2), nullptr);
    EXPECT_EQ(plat::createControl(kClass, kClassId, nullptr), nullptr);
}

TEST_F(ServerTest, HostedContentFollowsItsControlOrSitsOnTheWindowWithOneNotice)
{
    plat::MsgBoxRecorder rec;
    QWidget host;
    host.show();
    auto *content = new QWidget;
    content->resize(700, 900);
    QWidget *control = plat::hostScroller(&host, content);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->objectName(), QStringLiteral("DScroller1"));
    EXPECT_EQ(content->parentWidget(), control);
    EXPECT_EQ(control->size(), QSize(700, 900));
    content->resize(700, 1200);
    EXPECT_EQ(control->size(), QSize(700, 1200));
    control->setProperty("BackColor", QColor(1, 2, 3));
    EXPECT_EQ(control->property("BackColor").value<QColor>(), QColor(1, 2, 3));
    EXPECT_TRUE(rec.messages.isEmpty());

    // Without the library: no control, the content on the window, one notice.
    for (int i = 0; i < 2; ++i) {
        QWidget bare;
        auto *c = new QWidget;
        EXPECT_EQ(plat::hostScroller(&bare, c, QStringLiteral("Missing.Control")), nullptr);
        EXPECT_EQ(c->parentWidget(), &bare);
    }
    EXPECT_EQ(rec.texts(), QStringList({QStringLiteral("Οι μπάρες κύλισης δέν είναι διαθέσιμες: η βιβλιοθήκη τους "
                                                       "δέν βρέθηκε ή δέν φορτώθηκε. Τα παράθυρα ανοίγουν χωρίς "
                                                       "μπάρες κύλισης.")}));
}
