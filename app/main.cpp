#include "fixed_knife/form3.h"
#include "knife_change/form1.h"
#include "platform/database.h"
#include "platform/enterkey.h"
#include "platform/forms.h"
#include "platform/greektexts.h"
#include "platform/msgbox.h"
#include "platform/pictures.h"
#include "reports/prints.h"
#include "shell/frmabout.h"
#include "shell/frmmain.h"
#include "shell/module1.h"
#include "shell/records/frmparameters.h"
#include "shell/records/frmprotasisxristi.h"
#include "shell/records/frmtypos.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velantra"));
    QApplication::setOrganizationName(QStringLiteral("Velantra"));
    // Every window, the child windows and the dialogs included, shows the
    // program's own coil.
    QApplication::setWindowIcon(plat::coilIcon());
    plat::installEnterPressesButtons();
    // Qt's own texts (context menus, print and file dialogs) and dates in Greek.
    plat::installGreekTexts();

    frmMain main;
    using plat::FormInstance;
    main.setMenuHandler(QStringLiteral("mnAbout1"), [] { Module1::ShowChildForm(FormInstance<frmAbout>::get()); });
    main.setMenuHandler(QStringLiteral("mnStandar"), [] { Module1::ShowChildForm(FormInstance<Form3>::get()); });
    main.setMenuHandler(QStringLiteral("mnChange"), [] { Module1::ShowChildForm(FormInstance<Form1>::get()); });
    main.setMenuHandler(QStringLiteral("mnEidos"), [] { frmProtasisXristi::openFromMenu(); });
    main.setMenuHandler(QStringLiteral("mnType"), [] { frmTypos::openFromMenu(); });
    main.setMenuHandler(QStringLiteral("mnParameters"), [] { frmParameters::openFromMenu(); });
    // The planners' print buttons and the catalogue print reach their reports.
    reports::registerPrints(&main);

    main.MDIForm_Load();
    main.show();

    // Says what is wrong with the file, offering to try again; the windows
    // that need the database offer it again when it is not open.
    plat::Database::ensureOpen();

    const int rc = app.exec();
    plat::Database::close();
    return rc;
}
