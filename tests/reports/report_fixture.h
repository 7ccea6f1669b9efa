#pragma once
// A fresh database per test, the prints' opener installed, and the report
// windows and planning windows a test opened closed again at its end.
#include "common/db_test.h"
#include "fixed_knife/form3.h"
#include "knife_change/form1.h"
#include "user_plan/form2.h"
#include "pdf_read.h"
#include "platform/reportwindow.h"
#include "reports/prints.h"

#include <QCoreApplication>
#include <QFile>

class ReportTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        reports::registerPrints();
    }
    void TearDown() override
    {
        const QString dump = qEnvironmentVariable("REPORT_DUMP_DIR");
        int n = 0;
        for (plat::ReportWindow *w : reportWindows()) {
            if (!dump.isEmpty())
                w->grab().save(QStringLiteral("%1/window-%2-%3.png")
                                   .arg(dump, QString::fromLatin1(
                                                  ::testing::UnitTest::GetInstance()->current_test_info()->name()))
                                   .arg(++n));
            w->unloadWithoutAsking();
        }
        plat::FormInstance<Form2>::unloadIfLoaded();
        plat::FormInstance<Form1>::unloadIfLoaded();
        plat::FormInstance<Form3>::unloadIfLoaded();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        DbTest::TearDown();
    }

    static QList<plat::ReportWindow *> reportWindows()
    {
        QList<plat::ReportWindow *> out;
        for (plat::Form *f : plat::Form::loadedForms())
            if (auto *w = qobject_cast<plat::ReportWindow *>(f)) out << w;
        return out;
    }

    // When REPORT_DUMP_DIR is set, the PDF is kept there to be looked at.
    static void keep(const pdfread::Pdf &pdf, const QString &name)
    {
        const QString dir = qEnvironmentVariable("REPORT_DUMP_DIR");
        if (dir.isEmpty()) return;
        QFile::remove(dir + u'/' + name + QStringLiteral(".pdf"));
        QFile::copy(pdf.path(), dir + u'/' + name + QStringLiteral(".pdf"));
    }

    // Whitespace runs made one blank, so captions compare whatever the gaps.
    static QString squeeze(const QString &s) { return s.simplified(); }
};
