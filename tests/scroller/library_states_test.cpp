// The scroller library as a planner's machine may hold it: a file beside the
// program that is cut short or is no library of this machine, and a per-user
// registry that cannot be written or names the library wrongly. A bad file
// must count as a missing one (loading it would kill the program), and a
// sound library beside the program must give the windows their scroll bars
// whatever the registry's state.
//
// Each state runs in a separate process (scroller_probe, copied into a folder
// of its own beside the library of the case), as the unprivileged user
// "nobody" when the tests run as root, so that read-only folders and files
// really are read-only; a process that hangs (on a FIFO it opened) is killed
// and fails its case.
#include "common/qstring_print.h"
#include "platform/controls.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <cstring>
#include <elf.h>
#include <functional>
#include <grp.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kLibrary = QStringLiteral(SCROLLER_LIBRARY_PATH);
const QString kProbe = QStringLiteral(SCROLLER_PROBE_PATH);
const QString kClass = QStringLiteral("Scroller.DScroller");
const QString kClassId = QStringLiteral("{177484F0-29FD-4685-9C34-9E7D7E691A1F}");
const QString kOtherId = QStringLiteral("{00000000-1111-2222-3333-444444444444}");

const QString kUnavailable = QStringLiteral("Οι μπάρες κύλισης δέν είναι διαθέσιμες: η βιβλιοθήκη τους δέν βρέθηκε "
                                            "ή δέν φορτώθηκε. Τα παράθυρα ανοίγουν χωρίς μπάρες κύλισης.");
QString unregistered(const QString &library, const QString &reason)
{
    return QStringLiteral("Η βιβλιοθήκη των μπαρών κύλισης <%1> δέν καταχωρήθηκε: %2. "
                          "Οι μπάρες κύλισης λειτουργούν κανονικά.")
        .arg(library, reason);
}

const QFile::Permissions kOpen = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                 QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther |
                                 QFile::ExeOther;
const QFile::Permissions kEnterOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::ExeOther;
const QFile::Permissions kReadOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
const QFile::Permissions kReadWrite = kReadOnly | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;

QByteArray libraryBytes()
{
    QFile f(kLibrary);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << kLibrary.toStdString();
    return f.readAll();
}

void writeBytes(const QString &path, const QByteArray &bytes, QFile::Permissions perms = kOpen)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
    f.close();
    ASSERT_TRUE(QFile::setPermissions(path, perms));
}

void makeFolder(const QString &path, QFile::Permissions perms = kOpen)
{
    ASSERT_TRUE(QDir().mkpath(path)) << path.toStdString();
    ASSERT_TRUE(QFile::setPermissions(path, perms));
}

// The library's bytes with its headers edited in place.
ElfW(Ehdr) *header(QByteArray &b) { return reinterpret_cast<ElfW(Ehdr) *>(b.data()); }
ElfW(Phdr) *segment(QByteArray &b, int i)
{
    return reinterpret_cast<ElfW(Phdr) *>(b.data() + header(b)->e_phoff) + i;
}
int firstLoad(QByteArray &b)
{
    for (int i = 0; i < header(b)->e_phnum; ++i)
        if (segment(b, i)->p_type == PT_LOAD) return i;
    return -1;
}
int lastLoad(QByteArray &b)
{
    int last = -1;
    for (int i = 0; i < header(b)->e_phnum; ++i)
        if (segment(b, i)->p_type == PT_LOAD) last = i;
    return last;
}
// Where the last byte any segment holds ends.
qsizetype segmentsEnd(QByteArray b)
{
    quint64 end = header(b)->e_phoff + quint64(header(b)->e_phnum) * sizeof(ElfW(Phdr));
    for (int i = 0; i < header(b)->e_phnum; ++i) end = std::max<quint64>(end, segment(b, i)->p_offset + segment(b, i)->p_filesz);
    return qsizetype(end);
}

struct FileCase {
    const char *name;
    std::function<QByteArray(QByteArray)> make;
};

QByteArray cutAt(const QByteArray &b, qsizetype n) { return b.left(n); }

const FileCase kBadFiles[] = {
    {"zero bytes", [](QByteArray) { return QByteArray(); }},
    {"cut inside the ELF header", [](QByteArray b) { return cutAt(b, 40); }},
    {"cut after the ELF header", [](QByteArray b) { return cutAt(b, sizeof(ElfW(Ehdr))); }},
    {"cut at 4096 bytes", [](QByteArray b) { return cutAt(b, 4096); }},
    {"cut halfway through its segments", [](QByteArray b) { return cutAt(b, segmentsEnd(b) / 2); }},
    {"cut one byte before its last segment ends", [](QByteArray b) { return cutAt(b, segmentsEnd(b) - 1); }},
    {"not ELF", [](QByteArray b) { return QByteArray("#!/bin/sh\necho not a library\n").append(b.mid(40)); }},
    {"ELF of the other class", [](QByteArray b) {
         header(b)->e_ident[EI_CLASS] = header(b)->e_ident[EI_CLASS] == ELFCLASS64 ? ELFCLASS32 : ELFCLASS64;
         return b;
     }},
    {"ELF of the other byte order", [](QByteArray b) {
         header(b)->e_ident[EI_DATA] = header(b)->e_ident[EI_DATA] == ELFDATA2LSB ? ELFDATA2MSB : ELFDATA2LSB;
         return b;
     }},
    {"ELF of another machine", [](QByteArray b) {
         header(b)->e_machine = header(b)->e_machine == EM_AARCH64 ? EM_X86_64 : EM_AARCH64;
         return b;
     }},
    {"an object file, not a shared library", [](QByteArray b) {
         header(b)->e_type = ET_REL;
         return b;
     }},
    {"program headers beyond the end", [](QByteArray b) {
         header(b)->e_phoff = b.size() - 8;
         return b;
     }},
    {"a segment beyond the end", [](QByteArray b) {
         segment(b, lastLoad(b))->p_offset = b.size();
         return b;
     }},
    {"a segment running past the end", [](QByteArray b) {
         segment(b, firstLoad(b))->p_filesz = b.size() + 4096;
         segment(b, firstLoad(b))->p_memsz = b.size() + 4096;
         return b;
     }},
    {"a segment whose end overflows", [](QByteArray b) {
         segment(b, firstLoad(b))->p_offset = ~decltype(ElfW(Phdr)::p_offset)(0) - 16;
         return b;
     }},
    {"no loadable segment", [](QByteArray b) {
         for (int i = 0; i < header(b)->e_phnum; ++i)
             if (segment(b, i)->p_type == PT_LOAD) segment(b, i)->p_type = PT_NOTE;
         return b;
     }},
};

// Files of other kinds than regular ones, made at a path. Opening the FIFO
// waits for a writer that never comes.
struct NodeCase {
    const char *name;
    std::function<void(const QString &)> make;
};

void makeFifo(const QString &path)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0) << path.toStdString();
    ASSERT_TRUE(QFile::setPermissions(path, kReadWrite));
}
void linkToDevice(const QString &path) { ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), path)); }

const NodeCase kNotRegularFiles[] = {
    {"a FIFO", makeFifo},
    {"a link to a character device", linkToDevice},
};

} // namespace

TEST(LibraryFileTest, BadFilesAreNotLoadableAndSoundOnesAre)
{
    const QByteArray sound = libraryBytes();
    ASSERT_GT(sound.size(), 4096 * 2);
    QTemporaryDir dir;
    for (const FileCase &c : kBadFiles) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QStringLiteral("libBad.so"));
        writeBytes(path, c.make(sound));
        EXPECT_FALSE(plat::isLoadableLibrary(path));
    }
    EXPECT_FALSE(plat::isLoadableLibrary(dir.filePath(QStringLiteral("libNone.so"))));
    EXPECT_FALSE(plat::isLoadableLibrary(dir.path()));

    // The library itself, and the same cut just after its last segment (what
    // lies beyond, the section table, the loader never reads).
    EXPECT_TRUE(plat::isLoadableLibrary(kLibrary));
    const QString cut = dir.filePath(QStringLiteral("libCut.so"));
    writeBytes(cut, cutAt(sound, segmentsEnd(sound)));
    EXPECT_TRUE(plat::isLoadableLibrary(cut));
}

namespace {

struct ProbeRun {
    bool finished = false;
    bool exitedNormally = false;
    int exitCode = -1;
    QStringList windows; // "control bar" per window
    QStringList messages;
};

// A folder for one case: the probe in app/ with the case's library beside
// it, and a home folder of its own. Everybody may enter both, so that the
// probe can run as "nobody".
class Machine {
public:
    Machine()
    {
        EXPECT_TRUE(m_dir.isValid());
        EXPECT_TRUE(QFile::setPermissions(m_dir.path(), kEnterOnly | QFile::WriteOwner));
        makeFolder(app(), kEnterOnly | QFile::WriteOwner);
        makeFolder(home());
        const QString probe = app() + QStringLiteral("/scroller_probe");
        EXPECT_TRUE(QFile::copy(kProbe, probe));
        EXPECT_TRUE(QFile::setPermissions(probe, kEnterOnly));
    }
    QString app() const { return m_dir.filePath(QStringLiteral("app")); }
    QString home() const { return m_dir.filePath(QStringLiteral("home")); }
    QString beside() const { return app() + QStringLiteral("/libScroller.so"); }
    QString config() const { return home() + QStringLiteral("/.config/velantra"); }
    QString registry() const { return config() + QStringLiteral("/components.ini"); }
    QString path(const QString &name) const { return m_dir.filePath(name); }

    // The class's entry as the file on the disk holds it ("" when none): what
    // a process keeps in memory of a registry it failed to write is no proof.
    // Only a regular file is read (a FIFO would keep this process waiting).
    QStringList registered() const
    {
        QFile f(registry());
        if (!QFileInfo(registry()).isFile() || !f.open(QIODevice::ReadOnly)) return {QString(), QString()};
        QString id, path;
        bool inClass = false;
        for (const QString &line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
            if (line.startsWith(QLatin1Char('['))) inClass = line == QLatin1Char('[') + kClass + QLatin1Char(']');
            else if (inClass && line.startsWith(QLatin1String("CLSID="))) id = line.mid(6);
            else if (inClass && line.startsWith(QLatin1String("InprocServer="))) path = line.mid(13);
        }
        return {id, path};
    }

    // The class registered under `classId` for `library`, after a first line
    // `before` when one is given.
    void writeRegistry(const QString &classId, const QString &library, const QByteArray &before = {})
    {
        makeFolder(config());
        {
            QSettings s(registry(), QSettings::IniFormat);
            s.setValue(kClass + QStringLiteral("/CLSID"), classId);
            s.setValue(kClass + QStringLiteral("/InprocServer"), library);
        }
        if (!before.isEmpty()) {
            QFile f(registry());
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            const QByteArray written = f.readAll();
            f.close();
            writeBytes(registry(), before + '\n' + written);
        }
        ASSERT_TRUE(QFile::setPermissions(registry(), kOpen));
    }

    ProbeRun run()
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("VELANTRA_COMPONENT_REGISTRY"));
        env.remove(QStringLiteral("XDG_CONFIG_HOME"));
        env.insert(QStringLiteral("HOME"), home());
        p.setProcessEnvironment(env);
        if (::geteuid() == 0) {
            p.setChildProcessModifier([] {
                const gid_t g = 65534;
                if (::setgroups(1, &g) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(99);
            });
        }
        p.start(app() + QStringLiteral("/scroller_probe"), {});
        ProbeRun r;
        r.finished = p.waitForFinished(60000);
        if (!r.finished) {
            p.kill();
            p.waitForFinished();
            return r;
        }
        r.exitedNormally = p.exitStatus() == QProcess::NormalExit;
        r.exitCode = p.exitCode();
        for (const QString &line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
            const QStringList f = line.split(QLatin1Char('\t'));
            if (f.size() == 3 && f[0] == QLatin1String("window")) r.windows << f[1] + QLatin1Char(' ') + f[2];
            else if (f.size() == 2 && f[0] == QLatin1String("message")) r.messages << f[1];
        }
        return r;
    }

private:
    QTemporaryDir m_dir{QDir::tempPath() + QStringLiteral("/velantra-scroller-XXXXXX")};
};

const QStringList kWithBars{QStringLiteral("1 1"), QStringLiteral("1 1")};
const QStringList kWithoutBars{QStringLiteral("0 0"), QStringLiteral("0 0")};

// Runs the probe: it must end by itself, its windows as given, with these
// messages.
void expectRun(Machine &m, const QStringList &windows, const QStringList &messages)
{
    const ProbeRun r = m.run();
    ASSERT_TRUE(r.finished) << "the probe hung";
    ASSERT_TRUE(r.exitedNormally) << "the probe died";
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.windows, windows);
    EXPECT_EQ(r.messages, messages);
}

} // namespace

// A bad file beside the program is a missing library: the windows open
// without scroll bars, the user hears it once, and nothing is registered.
TEST(LibraryStatesTest, ABadLibraryBesideTheProgramIsAMissingOne)
{
    const QByteArray sound = libraryBytes();
    for (const FileCase &c : kBadFiles) {
        SCOPED_TRACE(c.name);
        Machine m;
        writeBytes(m.beside(), c.make(sound), kReadOnly);
        expectRun(m, kWithoutBars, {kUnavailable});
        EXPECT_EQ(m.registered(), QStringList({QString(), QString()}));
    }
}

TEST(LibraryStatesTest, ABadLibraryNamedByTheRegistryIsNotLoadedEither)
{
    const QByteArray sound = libraryBytes();
    // Registered when it was sound, cut short since.
    Machine m;
    writeBytes(m.beside(), cutAt(sound, 4096), kReadOnly);
    m.writeRegistry(kClassId, m.beside());
    expectRun(m, kWithoutBars, {kUnavailable});

    // A sound library elsewhere that the registry names stands in, as it
    // does when none lies beside the program.
    makeFolder(m.path(QStringLiteral("elsewhere")), kEnterOnly | QFile::WriteOwner);
    const QString elsewhere = m.path(QStringLiteral("elsewhere/libScroller.so"));
    writeBytes(elsewhere, sound, kReadOnly);
    m.writeRegistry(kClassId, elsewhere);
    expectRun(m, kWithBars, {});
    EXPECT_EQ(m.registered(), QStringList({kClassId, elsewhere}));
}

namespace {

struct RegistryCase {
    const char *name;
    std::function<void(Machine &)> prepare;
    // The reason the message gives, with %C the config folder and %R the
    // registry file; empty when the library is registered.
    const char *reason;
    // The registry afterwards: registered beside the program, or left as it was.
    bool registered;
    // Staged with a file of another user: only when the probe runs as a user
    // of its own (the tests as root).
    bool anotherUser = false;
};

const char kReadOnlyRegistry[] = "το αρχείο <%R> δέν γράφεται (είναι μόνο για ανάγνωση)";
const char kUnwrittenRegistry[] = "το αρχείο <%R> δέν γράφτηκε";

const RegistryCase kRegistryStates[] = {
    {"no registry yet", [](Machine &) {}, "", true},
    {"the right identifier and path", [](Machine &m) { m.writeRegistry(kClassId, m.beside()); }, "", true},
    {"a wrong identifier with the right path", [](Machine &m) { m.writeRegistry(kOtherId, m.beside()); }, "",
     true},
    {"the right identifier with a path elsewhere",
     [](Machine &m) { m.writeRegistry(kClassId, m.path(QStringLiteral("old/libScroller.so"))); }, "", true},
    {"the config folder read-only",
     [](Machine &m) {
         makeFolder(m.config());
         ASSERT_TRUE(QFile::setPermissions(m.config(), kEnterOnly));
     },
     "ο φάκελος <%C> δέν δέχεται αρχεία", false},
    {"a file where the config folder belongs",
     [](Machine &m) { writeBytes(m.home() + QStringLiteral("/.config"), "not a folder\n"); },
     "ο φάκελος <%C> δέν μπορεί να δημιουργηθεί", false},
    {"the registry file a folder", [](Machine &m) { makeFolder(m.registry()); },
     "το <%R> είναι φάκελος και όχι αρχείο", false},
    {"a wrong identifier in a read-only config folder",
     [](Machine &m) {
         m.writeRegistry(kOtherId, m.beside());
         ASSERT_TRUE(QFile::setPermissions(m.registry(), kReadOnly));
         ASSERT_TRUE(QFile::setPermissions(m.config(), kEnterOnly));
     },
     "ο φάκελος <%C> δέν δέχεται αρχεία", false},
    // The settings reader's complaint about what it cannot parse is no
    // failure of the write.
    {"a key alone on a line", [](Machine &m) { m.writeRegistry(kOtherId, m.beside(), "k"); }, "", true},
    {"a group left unclosed", [](Machine &m) { m.writeRegistry(kOtherId, m.beside(), "["); }, "", true},
    {"a 0xFF byte", [](Machine &m) { m.writeRegistry(kOtherId, m.beside(), "\xff"); }, "", true},
    // The folder would let a new file be renamed over these.
    {"the registry file read-only in a writable folder",
     [](Machine &m) {
         m.writeRegistry(kOtherId, m.beside());
         ASSERT_TRUE(QFile::setPermissions(m.registry(), kReadOnly));
     },
     kReadOnlyRegistry, false},
    {"the registry file a link to another user's file",
     [](Machine &m) {
         const QString other = m.path(QStringLiteral("other"));
         makeFolder(other);
         {
             QSettings s(other + QStringLiteral("/components.ini"), QSettings::IniFormat);
             s.setValue(kClass + QStringLiteral("/CLSID"), kOtherId);
             s.setValue(kClass + QStringLiteral("/InprocServer"), m.beside());
         }
         ASSERT_TRUE(QFile::setPermissions(other + QStringLiteral("/components.ini"), kReadOnly | QFile::WriteOwner));
         makeFolder(m.config());
         ASSERT_TRUE(QFile::link(other + QStringLiteral("/components.ini"), m.registry()));
     },
     kReadOnlyRegistry, false, true},
    // No regular file: neither read nor written, whoever may write it.
    {"the registry file a FIFO",
     [](Machine &m) {
         makeFolder(m.config());
         makeFifo(m.registry());
     },
     kUnwrittenRegistry, false},
    {"the registry file a link to a character device",
     [](Machine &m) {
         makeFolder(m.config());
         linkToDevice(m.registry());
     },
     kUnwrittenRegistry, false},
    // Nor is a lock that cannot be taken waited for: its writers' lock file
    // a FIFO (reading its holder would wait for a writer) or a folder (never
    // removed as stale).
    {"a FIFO where the registry's lock file belongs",
     [](Machine &m) {
         m.writeRegistry(kOtherId, m.beside());
         makeFifo(m.registry() + QStringLiteral(".lock"));
     },
     kUnwrittenRegistry, false},
    {"a folder where the registry's lock file belongs",
     [](Machine &m) {
         m.writeRegistry(kOtherId, m.beside());
         makeFolder(m.registry() + QStringLiteral(".lock"));
     },
     kUnwrittenRegistry, false},
};

} // namespace

// A sound library beside the program always gives the scroll bars; a
// registry that cannot be written costs the registration only, and the
// message says what kept it from being written.
TEST(LibraryStatesTest, TheLibraryBesideTheProgramLoadsWhateverTheRegistry)
{
    const QByteArray sound = libraryBytes();
    for (const RegistryCase &c : kRegistryStates) {
        SCOPED_TRACE(c.name);
        if (c.anotherUser && ::geteuid() != 0) continue;
        Machine m;
        writeBytes(m.beside(), sound, kReadOnly);
        c.prepare(m);
        const QStringList before = m.registered();

        const QString reason = QString::fromUtf8(c.reason)
                                   .replace(QStringLiteral("%C"), m.config())
                                   .replace(QStringLiteral("%R"), m.registry());
        expectRun(m, kWithBars, reason.isEmpty() ? QStringList() : QStringList{unregistered(m.beside(), reason)});
        EXPECT_EQ(m.registered(), c.registered ? QStringList({kClassId, m.beside()}) : before);
    }
}

// Only regular files are opened: a FIFO would keep the program waiting for a
// writer at its first window. A library that is none is a missing one, a
// registry that is none one that cannot be read.
TEST(LibraryStatesTest, NoFileButARegularOneIsOpened)
{
    for (const NodeCase &c : kNotRegularFiles) {
        SCOPED_TRACE(c.name);
        {
            SCOPED_TRACE("beside the program");
            Machine m;
            c.make(m.beside());
            expectRun(m, kWithoutBars, {kUnavailable});
            EXPECT_EQ(m.registered(), QStringList({QString(), QString()}));
        }
        {
            SCOPED_TRACE("named by the registry");
            Machine m;
            const QString library = m.path(QStringLiteral("libScroller.so"));
            c.make(library);
            m.writeRegistry(kClassId, library);
            expectRun(m, kWithoutBars, {kUnavailable});
        }
        {
            SCOPED_TRACE("the registry, no library beside the program");
            Machine m;
            makeFolder(m.config());
            c.make(m.registry());
            expectRun(m, kWithoutBars, {kUnavailable});
        }
    }
}
