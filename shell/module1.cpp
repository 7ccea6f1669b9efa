#include "module1.h"

#include "platform/database.h"
#include "platform/document.h"
#include "platform/forms.h"
#include "platform/msgbox.h"
#include "platform/qnum.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace Module1 {

QString strPrintTitle;
int intSinexeia = 0;
QString strYpoloipa[7][6];
bool blnOikonomikoPrint = false;

QString AppPath() { return QCoreApplication::applicationDirPath(); }

namespace {

const QString kNoParameters =
    QStringLiteral("Δεν βρέθηκαν οι παράμετροι τού προγράμματος. Παρακαλώ ορίστε τες από τό μενού "
                   "«Αρχεία» → «Παράμετροι προγράμματος».");

void setText(QWidget *frm, const char *name, const QString &text)
{
    if (auto *box = frm->findChild<QLineEdit *>(QString::fromLatin1(name))) {
        if (box->text() != text) box->setText(text);
    }
}

void setPrintFlag(QWidget *frm, const QVariant &v)
{
    if (auto *chk = frm->findChild<QCheckBox *>(QStringLiteral("chkPrint")))
        chk->setChecked(!v.isNull() && v.toBool());
}

} // namespace

bool LoadParameters(QWidget *frm, bool OnlyPrint)
{
    QSqlQuery q(plat::Database::db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("select * from tblParameters"))) {
        plat::msgBox(kNoParameters + QLatin1Char('\n') + plat::dbErrorText(q.lastError()));
        return false;
    }
    if (!q.next()) {
        plat::msgBox(kNoParameters);
        return false;
    }
    const QSqlRecord r = q.record();
    if (OnlyPrint) {
        setPrintFlag(frm, r.value(QStringLiteral("OikonomikoPrint")));
        return true;
    }
    static const char *const columns[][2] = {
        {"AristeroXakrisma", "txtArxi"}, {"DexiXakrisma", "txtTelos"}, {"MikosTainias", "txtMikos"},
        {"BarosTainias", "Text2"},       {"ArithmosTainion", "Text4"}, {"AnektiApoklisi", "txtApoklisi"},
    };
    // An empty value would wipe the window's own default; report it and keep
    // the window's value instead.
    for (const auto &c : columns) {
        if (r.value(QString::fromLatin1(c[0])).isNull()) {
            plat::msgBox(kNoParameters);
            return false;
        }
    }
    for (const auto &c : columns) setText(frm, c[1], plat::numText(r.value(QString::fromLatin1(c[0])).toDouble()));
    setPrintFlag(frm, r.value(QStringLiteral("OikonomikoPrint")));
    return true;
}

QString OpenDocument(WId, const QString &FileName)
{
    switch (plat::openWithDesktop(FileName)) {
    case plat::OpenOutcome::Opened:
        return {};
    case plat::OpenOutcome::OutOfResources:
        return QStringLiteral("Οι πόροι ή η μνήμη τού συστήματος δέν επαρκούν") + QStringLiteral("\r\n") +
               QStringLiteral("για να ανοίξει το έγγραφο <") + FileName + QStringLiteral(">.");
    case plat::OpenOutcome::FileNotFound:
        return QStringLiteral("Τό έγγραφο <") + FileName + QStringLiteral("> δέν βρέθηκε.");
    case plat::OpenOutcome::PathNotFound:
        return QStringLiteral("Δέν βρέθηκε η διαδρομή.");
    case plat::OpenOutcome::BadFormat:
        return QStringLiteral("Η μορφή τού εγγράφου <") + FileName + QStringLiteral("> δεν είναι σωστή.");
    case plat::OpenOutcome::NoAssociation:
        return QStringLiteral("Το έγγραφο <") + FileName +
               QStringLiteral("> δέν είναι συσχετισμένο μέ καμμία εφαρμογή.");
    case plat::OpenOutcome::Other:
        break;
    }
    return QStringLiteral("Αδιευκρίνιστο σφάλμα.");
}

void ShowChildForm(plat::Form *frm)
{
    if (!frm || frm->isUnloaded()) return;
    if (!frm->isFormVisible()) frm->showForm();
    frm->focusForm();
}

} // namespace Module1
