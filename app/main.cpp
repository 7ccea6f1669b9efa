#include "platform/database.h"
#include "platform/forms.h"
#include "platform/msgbox.h"
#include "shell/frmabout.h"
#include "shell/frmmain.h"
#include "shell/module1.h"
#ifdef VELANTRA_HAS_KNIFE_CHANGE
#include "knife_change/form1.h"
#endif
#ifdef VELANTRA_HAS_FIXED_KNIFE
#include "fixed_knife/form3.h"
#endif
#ifdef VELANTRA_HAS_REPORTS
#include "reports/prints.h"
#endif
#ifdef VELANTRA_HAS_RECORDS
#include "shell/records/frmparameters.h"
#include "shell/records/frmprotasisxristi.h"
#include "shell/records/frmtypos.h"
#endif

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velantra"));
    QApplication::setOrganizationName(QStringLiteral("Velantra"));

    frmMain main;
    using plat::FormInstance;
    main.setMenuHandler(QStringLiteral("mnAbout1"), [] { Module1::ShowChildForm(FormInstance<frmAbout>::get()); });
#ifdef VELANTRA_HAS_FIXED_KNIFE
    main.setMenuHandler(QStringLiteral("mnStandar"), [] { Module1::ShowChildForm(FormInstance<Form3>::get()); });
#endif
#ifdef VELANTRA_HAS_KNIFE_CHANGE
    main.setMenuHandler(QStringLiteral("mnChange"), [] { Module1::ShowChildForm(FormInstance<Form1>::get()); });
#endif
#ifdef VELANTRA_HAS_RECORDS
    main.setMenuHandler(QStringLiteral("mnEidos"), [] { frmProtasisXristi::openFromMenu(); });
    main.setMenuHandler(QStringLiteral("mnType"), [] { frmTypos::openFromMenu(); });
    main.setMenuHandler(QStringLiteral("mnParameters"), [] { frmParameters::openFromMenu(); });
#endif
#ifdef VELANTRA_HAS_REPORTS
    // The planners' print buttons and the catalogue print reach their reports.
    reports::registerPrints(&main);
#endif

    main.MDIForm_Load();
    main.show();

    // Says what is wrong with the file, offering to try again; the windows
    // that need the database offer it again when it is not open.
    plat::Database::ensureOpen();

    const int rc = app.exec();
    plat::Database::close();
    return rc;
}
