#include "reports/prints.h"

#include "platform/database.h"
#include "platform/msgbox.h"
#include "platform/reportwindow.h"
#include "reports/catalogue_report.h"
#include "reports/cutting_order_report.h"
#include "reports/data_environments.h"
#include "reports/proposal_reports.h"
#include "shell/frmmain.h"
#include "shell/module1.h"

#include <QPointer>
#include <QSqlQuery>

namespace reports {

namespace {

struct PrintKind {
    DataEnvironment (*environment)();
    const char *command;
    plat::ReportDefinition (*layout)();
    void (*initialize)(plat::ReportDefinition &);
    const char *caption;
};

const PrintKind &kind(PrintJob job)
{
    static const PrintKind kinds[] = {
        {DataEnvironment1, "Command1", DataReport1Layout, DataReport1_Initialize, "ΠΡΟΤΑΣΙΣ 1η"},
        {DataEnvironment2, "Command1", DataReport2Layout, DataReport2_Initialize, "ΠΡΟΤΑΣΙΣ 2η"},
        {DataEnvironment3, "Command1", DataReport3Layout, DataReport3_Initialize, "ΠΡΟΤΑΣΙΣ 3η"},
        {DataEnvironment4, "Command1", DataReport5Layout, DataReport5_Initialize, "ΠΡΟΤΑΣΙΣ ΧΩΡΙΣ ΑΛΛΑΓΗ ΜΑΧΑΙΡΙΩΝ"},
    };
    return kinds[static_cast<int>(job)];
}

// A definition and its rows made into a report; a control the start-up code
// names but the layout lacks is reported instead of ending the program.
template <class Fill>
std::unique_ptr<plat::Report> bind(plat::ReportDefinition def, Fill fill, const DataEnvironment &env,
                                   const QString &command, QString *error)
{
    try {
        fill(def);
    } catch (const plat::ReportNameError &e) {
        if (error) *error = QStringLiteral("Σφάλμα στη διάταξη τής εκτύπωσης: ") + QString::fromStdString(e.what());
        return nullptr;
    }
    std::optional<plat::ReportRows> rows = env.rsCommand(command, error);
    if (!rows) return nullptr;
    return std::make_unique<plat::Report>(std::move(def), std::move(*rows));
}

QPointer<plat::ReportWindow> &catalogueInstance()
{
    static QPointer<plat::ReportWindow> w;
    return w;
}

} // namespace

QString reportCaption(PrintJob job) { return QString::fromUtf8(kind(job).caption); }

std::unique_ptr<plat::Report> makeReport(PrintJob job, QString *error)
{
    const PrintKind &k = kind(job);
    const DataEnvironment env = k.environment();
    return bind(k.layout(), k.initialize, env, QString::fromLatin1(k.command), error);
}

plat::ReportWindow *printReport(PrintJob job)
{
    QString error;
    std::unique_ptr<plat::Report> report = makeReport(job, &error);
    if (!report) {
        plat::msgBox(error, plat::MsgCritical);
        return nullptr;
    }
    return plat::showReport(std::move(report), reportCaption(job));
}

std::unique_ptr<plat::Report> makeCatalogueReport(bool economical, QString *error)
{
    const DataEnvironment env = DataEnvironment4();
    auto pictureSetting = [economical](plat::ReportDefinition &def) {
        // Set on every print: a print without economical printing shows the
        // picture again.
        def.section(QStringLiteral("ReportHeader")).control(QStringLiteral("Image1")).visible = !economical;
    };
    return bind(DataReport4Layout(), pictureSetting, env, QStringLiteral("Command2"), error);
}

plat::ReportWindow *catalogueWindow() { return catalogueInstance().data(); }

void mnPrint_Click()
{
    // The print setting is read from the file checked, as the rows are.
    if (QString error; !plat::printDatabaseReady(&error)) {
        plat::msgBox(error, plat::MsgCritical);
        return;
    }
    QSqlQuery q(plat::Database::db());
    if (!q.exec(QStringLiteral("select OikonomikoPrint from tblParameters limit 1"))) {
        plat::msgBox(plat::dbErrorText(q.lastError()), plat::MsgCritical);
        return;
    }
    // No parameter row, or an empty setting: the full print.
    Module1::blnOikonomikoPrint = q.next() && q.value(0).toInt() != 0;
    q.finish();

    QString error;
    std::unique_ptr<plat::Report> report = makeCatalogueReport(Module1::blnOikonomikoPrint, &error);
    if (!report) {
        plat::msgBox(error, plat::MsgCritical);
        return;
    }
    QPointer<plat::ReportWindow> &w = catalogueInstance();
    // A window closed but not yet deleted shows nothing any more.
    if (w && !w->isUnloaded()) {
        w->setReport(std::move(report));
        w->showForm();
        w->focusForm();
    } else {
        w = plat::showReport(std::move(report), QStringLiteral("ΔΕΥΤΕΡΕΥΟΝΤΑ ΠΡΟΪΟΝΤΑ"));
    }
}

void registerPrints(frmMain *main)
{
    reportOpener() = [](PrintJob job) { printReport(job); };
    if (main) main->setMenuHandler(QStringLiteral("mnPrint"), [] { mnPrint_Click(); });
}

} // namespace reports
