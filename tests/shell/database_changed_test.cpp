// The database file deleted, or something else put at its path, while the
// program runs: each action of the planner's windows says once what became
// of the file, shows nothing of the file that was opened, and writes neither
// to it nor to whatever now stands at the path.
#include "common/qstring_print.h"
#include "common/shown_form.h"
#include "fixed_knife/form3.h"
#include "fixed_knife/frm_search.h"
#include "knife_change/form1.h"
#include "platform/database.h"
#include "platform/msgbox.h"
#include "platform/reportwindow.h"
#include "reports/prints.h"
#include "shell/frmmain.h"
#include "shell/records/frmparameters.h"
#include "shell/records/frmtypos.h"
#include "shell/records/recordsetmodel.h"
#include "user_plan/form2.h"

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

using plat::FormInstance;

namespace {

const QString kGone =
    QStringLiteral("Δεν βρέθηκε το αρχείο της βάσης δεδομένων:\n%1\nΔιαγράφηκε ή μετακινήθηκε όσο το πρόγραμμα "
                   "ήταν ανοιχτό. Για να χρησιμοποιήσετε τη βάση δεδομένων, ξεκινήστε ξανά το πρόγραμμα.");
const QString kReplaced =
    QStringLiteral("Το αρχείο της βάσης δεδομένων:\n%1\nαντικαταστάθηκε από άλλο όσο το πρόγραμμα ήταν ανοιχτό. "
                   "Το πρόγραμμα δεν διαβάζει ούτε γράφει πια το αρχείο που άνοιξε. Για να χρησιμοποιήσετε το "
                   "αρχείο που βρίσκεται τώρα εκεί, ξεκινήστε ξανά το πρόγραμμα.");
const QString kNoPrint = QStringLiteral("\nΗ εκτύπωση δεν μπορεί να γίνει.");

QByteArray fileHash(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

void exec(const QString &sql)
{
    QSqlQuery q(plat::Database::db());
    ASSERT_TRUE(q.exec(sql)) << sql.toStdString();
}

QList<plat::ReportWindow *> reportWindows()
{
    QList<plat::ReportWindow *> out;
    for (plat::Form *f : plat::Form::loadedForms())
        if (auto *w = qobject_cast<plat::ReportWindow *>(f)) out << w;
    return out;
}

// The knife-change planner with an order of 200, 310 and 420 mm typed, on
// the coils of the default parameters.
Form1 *plannerWithAnOrder()
{
    Form1 *f = shownForm<Form1>();
    f->Timer1->stop();
    const char *widths[3] = {"200", "310", "420"};
    for (int i = 0; i < 3; ++i) {
        f->Check1[i]->setChecked(true);
        f->Mikos[i]->setText(QString::fromLatin1(widths[i]));
        f->Baros[i]->setText(QStringLiteral("10"));
    }
    return f;
}

// The fixed-knife planner's chooser with the catalogue's narrow items found.
frmSearch *chooserWithAResult()
{
    Form3 *f = shownForm<Form3>();
    f->Timer1->stop();
    f->Timer2->stop();
    f->cmdGrid->click();
    frmSearch *s = FormInstance<frmSearch>::ifLoaded();
    EXPECT_TRUE(s);
    if (!s) return nullptr;
    s->txtEvros1->setText(QStringLiteral("40"));
    s->txtEvros2->setText(QStringLiteral("160"));
    s->cmdShow->click();
    EXPECT_EQ(s->DataGrid1->model()->rowCount(), 2);
    return s;
}

void closeEverything()
{
    for (plat::ReportWindow *w : reportWindows()) w->unloadWithoutAsking();
    FormInstance<frmTypos>::unloadIfLoaded();
    FormInstance<frmParameters>::unloadIfLoaded();
    FormInstance<frmSearch>::unloadIfLoaded();
    FormInstance<Form3>::unloadIfLoaded();
    FormInstance<Form2>::unloadIfLoaded();
    FormInstance<Form1>::unloadIfLoaded();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    plat::Database::close();
}

} // namespace

TEST(DatabaseChanged, EachActionSaysOnceWhatBecameOfTheFileAndTouchesNeitherFile)
{
    enum After { Gone, Replaced };
    const struct {
        const char *name;
        After after;
        std::function<void(const QString &file, const QString &kept)> change;
    } changes[] = {
        {"deleted", Gone, [](const QString &file, const QString &) { ASSERT_TRUE(QFile::remove(file)); }},
        {"another Divor.db renamed over it", Replaced,
         [](const QString &file, const QString &kept) {
             const QString other = file + QStringLiteral(".new");
             ASSERT_TRUE(QFile::copy(kept, other));
             {
                 QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
                 db.setDatabaseName(other);
                 ASSERT_TRUE(db.open());
                 ASSERT_TRUE(QSqlQuery(db).exec(QStringLiteral("insert into Typos values (7, 'ΑΛΛΟΥ')")));
                 db.close();
             }
             QSqlDatabase::removeDatabase(QStringLiteral("other"));
             ASSERT_EQ(::rename(QFile::encodeName(other).constData(), QFile::encodeName(file).constData()), 0);
         }},
        {"a folder in its place", Replaced,
         [](const QString &file, const QString &) {
             ASSERT_TRUE(QFile::remove(file));
             ASSERT_TRUE(QDir().mkdir(file));
         }},
        {"a FIFO in its place", Replaced,
         [](const QString &file, const QString &) {
             ASSERT_TRUE(QFile::remove(file));
             ASSERT_EQ(::mkfifo(QFile::encodeName(file).constData(), 0666), 0);
         }},
    };

    frmMain main;
    main.setMenuHandler(QStringLiteral("mnType"), [] { frmTypos::openFromMenu(); });
    reports::registerPrints(&main);
    const auto openTypes = [&main] { main.menuItem(QStringLiteral("mnType"))->trigger(); };

    // Each opens what it needs while the file is still the one opened, and
    // returns the planner's action and what must still show after it.
    struct Prepared {
        std::function<void()> act;
        std::function<void()> nothingNewShown;
    };
    const struct {
        const char *name;
        bool print;
        std::function<Prepared()> prepare;
    } actions[] = {
        {"a type deleted in «ΤΥΠΟΣ ΕΙΔΩΝ»", false,
         [] {
             frmTypos *f = shownForm<frmTypos>();
             return Prepared{[f] { f->cmdDelete->click(); },
                             [f] { EXPECT_EQ(f->model()->rowCount(), 2); }};
         }},
        {"the parameters saved", false,
         [] {
             frmParameters *f = shownForm<frmParameters>();
             return Prepared{[f] {
                                 f->cmdEdit->click();
                                 f->txtFields[5]->setText(QStringLiteral("1300"));
                                 f->cmdUpdate->click();
                             },
                             [f] {
                                 EXPECT_TRUE(f->isEditing());
                                 EXPECT_EQ(f->txtFields[5]->text(), QStringLiteral("1300"));
                             }};
         }},
        {"a chooser count", false,
         [] {
             frmSearch *s = chooserWithAResult();
             return Prepared{[s] { emit s->DataGrid1->verticalHeader()->sectionClicked(0); },
                             [s] {
                                 EXPECT_EQ(s->DataGrid1->model()->index(0, SearchResultModel::ColCount).data(),
                                           QStringLiteral("0"));
                             }};
         }},
        {"«Λύση» writing its order rows", false,
         [] {
             Form1 *f = plannerWithAnOrder();
             return Prepared{[f] { f->lisi->click(); }, [f] { EXPECT_TRUE(f->Frame1->isHidden()); }};
         }},
        {"the plan window opened from the planner", false,
         [] {
             Form1 *f = plannerWithAnOrder();
             return Prepared{[f] { f->Command1->click(); }, [] { EXPECT_FALSE(FormInstance<Form2>::loaded()); }};
         }},
        {"the items print", true,
         [] { return Prepared{[] { reports::mnPrint_Click(); }, [] { EXPECT_TRUE(reportWindows().isEmpty()); }}; }},
        {"«Τύποι Ειδών» opened from the menu", false, [&] { return Prepared{openTypes, [] {}}; }},
    };

    plat::MsgBoxRecorder rec(plat::MsgAnswer::Ok);

    for (const auto &c : changes) {
        for (const auto &a : actions) {
            SCOPED_TRACE(std::string(c.name) + ": " + a.name);
            QTemporaryDir dir;
            const QString file = dir.filePath(QStringLiteral("Divor.db"));
            ASSERT_EQ(plat::Database::open(file), QString());
            exec(QStringLiteral("insert into Typos values (1, 'Μαύρο'), (2, 'Λευκό')"));
            exec(QStringLiteral("insert into ProtasisXristi (ID, Κωδικός, Εύρος, Τύπος, Πάχος) values"
                                " (1, 'Κ1', 60, 1, 0.5), (2, 'Κ2', 150, 2, 0.5), (3, 'Κ3', 300, 1, 0.5)"));
            const Prepared p = a.prepare();
            ASSERT_TRUE(rec.messages.isEmpty()) << rec.lastText().toStdString();

            // The file opened stays reachable under a second name, to be
            // compared afterwards.
            const QString kept = dir.filePath(QStringLiteral("kept.db"));
            ASSERT_EQ(::link(QFile::encodeName(file).constData(), QFile::encodeName(kept).constData()), 0);
            const QByteArray keptBefore = fileHash(kept);
            c.change(file, kept);
            const QByteArray nowBefore = QFileInfo(file).isFile() ? fileHash(file) : QByteArray();
            const QString told = (c.after == Gone ? kGone : kReplaced).arg(QDir::toNativeSeparators(file));

            const bool typesOpen = FormInstance<frmTypos>::loaded();
            rec.clear();
            p.act();
            EXPECT_EQ(rec.texts(), QStringList{a.print ? told + kNoPrint : told});
            p.nothingNewShown();
            // The next action says it again, and a window opens nothing.
            rec.clear();
            openTypes();
            EXPECT_EQ(rec.texts(), QStringList{told});
            EXPECT_EQ(FormInstance<frmTypos>::loaded(), typesOpen);

            EXPECT_EQ(fileHash(kept), keptBefore) << "the file opened is not written";
            if (!nowBefore.isEmpty()) {
                EXPECT_EQ(fileHash(file), nowBefore) << "the file now at the path is not written";
            }
            if (QFileInfo(file).isDir()) {
                EXPECT_TRUE(QDir(file).isEmpty());
            }
            closeEverything();
            rec.clear();
        }
    }
}
