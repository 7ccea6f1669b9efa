#include "platform/greektexts.h"

#include <algorithm>

#include <QApplication>
#include <QDateTime>
#include <QEvent>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHash>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLineEdit>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTranslator>
#include <QTreeView>

namespace plat {

namespace {

struct Text {
    const char *context;
    const char *english;
    const char *greek;
};

// Qt's own English texts exactly as its classes ask for them (access keys
// and all), with the Greek the program shows instead. Buttons read as the
// program's message boxes have them ("OK", "Άκυρο", "Επανάληψη").
const Text kTexts[] = {
    // The context menu of a text box holding rich text (a selectable label);
    // the plain text box's menu has the same texts (below).
    {"QWidgetTextControl", "Copy &Link Location", "Αντιγραφή &θέσης συνδέσμου"},
    // A spin box's menu: its own entries after the text box's.
    {"QAbstractSpinBox", "&Select All", "Επι&λογή όλων"},
    {"QAbstractSpinBox", "&Step up", "&Αύξηση"},
    {"QAbstractSpinBox", "Step &down", "&Μείωση"},

    // A scroll bar's context menu.
    {"QScrollBar", "Scroll here", "Κύλιση εδώ"},
    {"QScrollBar", "Left edge", "Αριστερό άκρο"},
    {"QScrollBar", "Top", "Αρχή"},
    {"QScrollBar", "Right edge", "Δεξί άκρο"},
    {"QScrollBar", "Bottom", "Τέλος"},
    {"QScrollBar", "Page left", "Σελίδα αριστερά"},
    {"QScrollBar", "Page up", "Σελίδα επάνω"},
    {"QScrollBar", "Page right", "Σελίδα δεξιά"},
    {"QScrollBar", "Page down", "Σελίδα κάτω"},
    {"QScrollBar", "Scroll left", "Κύλιση αριστερά"},
    {"QScrollBar", "Scroll up", "Κύλιση επάνω"},
    {"QScrollBar", "Scroll right", "Κύλιση δεξιά"},
    {"QScrollBar", "Scroll down", "Κύλιση κάτω"},

    // A child window's system menu and the tips over its title-bar buttons
    // (also over the buttons a maximised child leaves in the menu bar).
    {"QMdiSubWindow", "&Restore", "&Επαναφορά"},
    {"QMdiSubWindow", "&Move", "&Μετακίνηση"},
    {"QMdiSubWindow", "&Size", "Μέ&γεθος"},
    {"QMdiSubWindow", "Mi&nimize", "Ελα&χιστοποίηση"},
    {"QMdiSubWindow", "Ma&ximize", "Μεγ&ιστοποίηση"},
    {"QMdiSubWindow", "Stay on &Top", "Πάντα σε &πρώτο πλάνο"},
    {"QMdiSubWindow", "&Close", "&Κλείσιμο"},
    {"QMdiSubWindow", "Minimize", "Ελαχιστοποίηση"},
    {"QMdiSubWindow", "Maximize", "Μεγιστοποίηση"},
    {"QMdiSubWindow", "Restore Down", "Επαναφορά κάτω"},
    {"QMdiSubWindow", "Restore", "Επαναφορά"},
    {"QMdiSubWindow", "Close", "Κλείσιμο"},
    {"QMdiSubWindow", "Help", "Βοήθεια"},
    {"QMdiSubWindow", "Menu", "Μενού"},
    {"QMdiSubWindow", "Shade", "Σύμπτυξη"},
    {"QMdiSubWindow", "Unshade", "Ανάπτυξη"},

    // The arrows of a tab row too long for its window.
    {"QTabBar", "Scroll Left", "Κύλιση αριστερά"},
    {"QTabBar", "Scroll Right", "Κύλιση δεξιά"},

    // The buttons of Qt's dialogs and of its own message boxes.
    {"QPlatformTheme", "OK", "OK"},
    {"QPlatformTheme", "Cancel", "Άκυρο"},
    {"QPlatformTheme", "Retry", "Επανάληψη"},
    {"QPlatformTheme", "Save", "Αποθήκευση"},
    {"QPlatformTheme", "Save All", "Αποθήκευση όλων"},
    {"QPlatformTheme", "Open", "Άνοιγμα"},
    {"QPlatformTheme", "&Yes", "&Ναι"},
    {"QPlatformTheme", "Yes to &All", "Ναι σε ό&λα"},
    {"QPlatformTheme", "&No", "&Όχι"},
    {"QPlatformTheme", "N&o to All", "Όχι σε &κανένα"},
    {"QPlatformTheme", "Abort", "Διακοπή"},
    {"QPlatformTheme", "Ignore", "Παράβλεψη"},
    {"QPlatformTheme", "Close", "Κλείσιμο"},
    {"QPlatformTheme", "Discard", "Απόρριψη"},
    {"QPlatformTheme", "Help", "Βοήθεια"},
    {"QPlatformTheme", "Apply", "Εφαρμογή"},
    {"QPlatformTheme", "Reset", "Επαναφορά"},
    {"QPlatformTheme", "Restore Defaults", "Επαναφορά προεπιλογών"},

    // The file dialog. Its key sequences ("Alt+Left" …) stay as they are:
    // they are the keys themselves.
    {"QFileDialog", "Look in:", "Αναζήτηση σε:"},
    {"QFileDialog", "Back", "Πίσω"},
    {"QFileDialog", "Go back", "Μετάβαση πίσω"},
    {"QFileDialog", "Forward", "Εμπρός"},
    {"QFileDialog", "Go forward", "Μετάβαση εμπρός"},
    {"QFileDialog", "Parent Directory", "Γονικός φάκελος"},
    {"QFileDialog", "Go to the parent directory", "Μετάβαση στον γονικό φάκελο"},
    {"QFileDialog", "Create New Folder", "Δημιουργία νέου φακέλου"},
    {"QFileDialog", "Create a New Folder", "Δημιουργία νέου φακέλου"},
    {"QFileDialog", "List View", "Λίστα"},
    {"QFileDialog", "Change to list view mode", "Προβολή λίστας"},
    {"QFileDialog", "Detail View", "Λεπτομέρειες"},
    {"QFileDialog", "Change to detail view mode", "Προβολή λεπτομερειών"},
    {"QFileDialog", "Sidebar", "Πλευρική στήλη"},
    {"QFileDialog", "List of places and bookmarks", "Θέσεις και σελιδοδείκτες"},
    {"QFileDialog", "Files", "Αρχεία"},
    {"QFileDialog", "Files of type:", "Τύπος αρχείων:"},
    {"QFileDialog", "File &name:", "Ό&νομα αρχείου:"},
    {"QFileDialog", "Directory:", "Φάκελος:"},
    {"QFileDialog", "&Open", "Άν&οιγμα"},
    {"QFileDialog", "&Choose", "&Επιλογή"},
    {"QFileDialog", "&Save", "&Αποθήκευση"},
    {"QFileDialog", "Open", "Άνοιγμα"},
    {"QFileDialog", "Save As", "Αποθήκευση ως"},
    {"QFileDialog", "Find Directory", "Εύρεση φακέλου"},
    {"QFileDialog", "All Files (*)", "Όλα τα αρχεία (*)"},
    {"QFileDialog", "All files (*)", "Όλα τα αρχεία (*)"},
    {"QFileDialog", "Directories", "Φάκελοι"},
    // The header's menu reads "Show " + the column's name.
    {"QFileDialog", "Show ", "Στήλη: "},
    {"QFileDialog", "&Rename", "&Μετονομασία"},
    {"QFileDialog", "&Delete", "&Διαγραφή"},
    {"QFileDialog", "Show &hidden files", "Εμφάνιση &κρυφών αρχείων"},
    {"QFileDialog", "&New Folder", "&Νέος φάκελος"},
    {"QFileDialog", "New Folder", "Νέος φάκελος"},
    {"QFileDialog", "Recent Places", "Πρόσφατες θέσεις"},
    {"QFileDialog", "%1\nDirectory not found.\nPlease verify the correct directory name was given.",
     "%1\nΟ φάκελος δεν βρέθηκε.\nΕλέγξτε ότι δώσατε το σωστό όνομα φακέλου."},
    {"QFileDialog", "%1\nFile not found.\nPlease verify the correct file name was given.",
     "%1\nΤο αρχείο δεν βρέθηκε.\nΕλέγξτε ότι δώσατε το σωστό όνομα αρχείου."},
    {"QFileDialog", "%1 already exists.\nDo you want to replace it?", "Το «%1» υπάρχει ήδη.\nΝα αντικατασταθεί;"},
    {"QFileDialog", "'%1' is write protected.\nDo you want to delete it anyway?",
     "Το «%1» προστατεύεται από εγγραφή.\nΝα διαγραφεί παρ' όλα αυτά;"},
    {"QFileDialog", "Delete", "Διαγραφή"},
    {"QFileDialog", "Are you sure you want to delete '%1'?", "Να διαγραφεί το «%1»;"},
    {"QFileDialog", "Could not delete directory.", "Ο φάκελος δεν διαγράφηκε."},
    {"QFileSystemModel", "Name", "Όνομα"},
    {"QFileSystemModel", "Size", "Μέγεθος"},
    {"QFileSystemModel", "Type", "Τύπος"},
    {"QFileSystemModel", "Date Modified", "Ημερομηνία τροποποίησης"},
    {"QFileSystemModel", "Computer", "Υπολογιστής"},
    {"QAbstractFileIconProvider", "Drive", "Μονάδα δίσκου"},
    {"QAbstractFileIconProvider", "Folder", "Φάκελος"},
    {"QAbstractFileIconProvider", "Unknown", "Άγνωστο"},

    // The print dialog.
    {"QPrintDialog", "Print", "Εκτύπωση"},
    {"QPrintDialog", "&Print", "&Εκτύπωση"},
    {"QPrintDialog", "&Options >>", "Επιλ&ογές >>"},
    {"QPrintDialog", "&Options <<", "Επιλ&ογές <<"},
    {"QPrintDialog", "All Pages", "Όλες οι σελίδες"},
    {"QPrintDialog", "Odd Pages", "Μονές σελίδες"},
    {"QPrintDialog", "Even Pages", "Ζυγές σελίδες"},
    {"QPrintDialog", "Print to File (PDF)", "Εκτύπωση σε αρχείο (PDF)"},
    {"QPrintDialog", "Local file", "Τοπικό αρχείο"},
    {"QPrintDialog", "Write PDF file", "Εγγραφή αρχείου PDF"},
    {"QPrintDialog", "Print To File ...", "Εκτύπωση σε αρχείο…"},
    {"QPrintDialog", "Left to Right, Top to Bottom", "Από αριστερά προς τα δεξιά, από πάνω προς τα κάτω"},
    {"QPrintDialog", "Left to Right, Bottom to Top", "Από αριστερά προς τα δεξιά, από κάτω προς τα πάνω"},
    {"QPrintDialog", "Right to Left, Bottom to Top", "Από δεξιά προς τα αριστερά, από κάτω προς τα πάνω"},
    {"QPrintDialog", "Right to Left, Top to Bottom", "Από δεξιά προς τα αριστερά, από πάνω προς τα κάτω"},
    {"QPrintDialog", "Bottom to Top, Left to Right", "Από κάτω προς τα πάνω, από αριστερά προς τα δεξιά"},
    {"QPrintDialog", "Bottom to Top, Right to Left", "Από κάτω προς τα πάνω, από δεξιά προς τα αριστερά"},
    {"QPrintDialog", "Top to Bottom, Left to Right", "Από πάνω προς τα κάτω, από αριστερά προς τα δεξιά"},
    {"QPrintDialog", "Top to Bottom, Right to Left", "Από πάνω προς τα κάτω, από δεξιά προς τα αριστερά"},
    {"QPrintDialog", "Invalid Pages Definition", "Μη έγκυρες σελίδες"},
    {"QPrintDialog",
     "%1 does not follow the correct syntax. Please use ',' to separate ranges and pages, '-' to define ranges "
     "and make sure ranges do not intersect with each other.",
     "Το «%1» δεν είναι σωστά γραμμένο. Χωρίστε σελίδες και περιοχές με «,», δώστε μια περιοχή με «-» ανάμεσα "
     "σε δύο σελίδες, και οι περιοχές να μην επικαλύπτονται."},
    {"QPrintDialog", "%1 is a directory.\nPlease choose a different file name.",
     "Το «%1» είναι φάκελος.\nΔώστε άλλο όνομα αρχείου."},
    {"QPrintDialog", "%1 already exists.\nDo you want to overwrite it?", "Το «%1» υπάρχει ήδη.\nΝα αντικατασταθεί;"},
    {"QPrintDialog", "File %1 is not writable.\nPlease choose a different file name.",
     "Στο αρχείο «%1» δεν γίνεται εγγραφή.\nΔώστε άλλο όνομα αρχείου."},
    {"QPrintDialog", "Options 'Pages Per Sheet' and 'Page Set' cannot be used together.\nPlease turn one of those "
                     "options off.",
     "Οι επιλογές «Σελίδες ανά φύλλο» και «Σύνολο σελίδων» δεν συνδυάζονται.\nΑφήστε μόνο τη μία από τις δύο."},
    {"QPrintDialog", "Duplex Settings Conflicts", "Σύγκρουση ρυθμίσεων διπλής όψης"},
    {"QPrintDialog", "There are conflicts in duplex settings. Do you want to fix them?",
     "Οι ρυθμίσεις διπλής όψης συγκρούονται. Να διορθωθούν;"},
    {"QPrintDialog", "Page Setup Conflicts", "Σύγκρουση ρυθμίσεων σελίδας"},
    {"QPrintDialog", "There are conflicts in page setup options. Do you want to fix them?",
     "Οι ρυθμίσεις σελίδας συγκρούονται. Να διορθωθούν;"},
    {"QPrintDialog", "Advanced Option Conflicts", "Σύγκρουση ρυθμίσεων για προχωρημένους"},
    {"QPrintDialog", "There are conflicts in some advanced options. Do you want to fix them?",
     "Ορισμένες ρυθμίσεις για προχωρημένους συγκρούονται. Να διορθωθούν;"},
    {"QPrintWidget", "Form", "Φόρμα"},
    {"QPrintWidget", "Printer", "Εκτυπωτής"},
    {"QPrintWidget", "&Name:", "Ό&νομα:"},
    {"QPrintWidget", "P&roperties", "&Ιδιότητες"},
    {"QPrintWidget", "Location:", "Θέση:"},
    {"QPrintWidget", "Preview", "Προεπισκόπηση"},
    {"QPrintWidget", "Type:", "Τύπος:"},
    {"QPrintWidget", "Output &file:", "&Αρχείο εξόδου:"},
    {"QPrintSettingsOutput", "Form", "Φόρμα"},
    {"QPrintSettingsOutput", "Print range", "Εύρος εκτύπωσης"},
    {"QPrintSettingsOutput", "Print all", "Όλες"},
    {"QPrintSettingsOutput", "Pages from", "Σελίδες από"},
    {"QPrintSettingsOutput", "to", "έως"},
    {"QPrintSettingsOutput", "Pages", "Σελίδες"},
    {"QPrintSettingsOutput",
     "Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. "
     "E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.",
     "Δώστε σελίδες ή περιοχές σελίδων χωρισμένες με κόμμα. Μια περιοχή είναι δύο αριθμοί με μια παύλα ανάμεσα. "
     "Π.χ. το 3,5-7,9 τυπώνει τις σελίδες 3, 5, 6, 7 και 9."},
    {"QPrintSettingsOutput", "Current Page", "Τρέχουσα σελίδα"},
    {"QPrintSettingsOutput", "Selection", "Επιλογή"},
    {"QPrintSettingsOutput", "Page Set:", "Σύνολο σελίδων:"},
    {"QPrintSettingsOutput", "Output Settings", "Ρυθμίσεις εξόδου"},
    {"QPrintSettingsOutput", "Copies:", "Αντίγραφα:"},
    {"QPrintSettingsOutput", "Collate", "Σελιδοποίηση"},
    {"QPrintSettingsOutput", "Reverse", "Αντίστροφη σειρά"},
    {"QPrintSettingsOutput", "Copies", "Αντίγραφα"},
    {"QPrintSettingsOutput", "Color Mode", "Χρώμα"},
    {"QPrintSettingsOutput", "Color", "Έγχρωμη"},
    {"QPrintSettingsOutput", "Grayscale", "Κλίμακα του γκρι"},
    {"QPrintSettingsOutput", "Double Sided Printing", "Εκτύπωση διπλής όψης"},
    {"QPrintSettingsOutput", "Off", "Όχι"},
    {"QPrintSettingsOutput", "Long side binding", "Βιβλιοδεσία στη μεγάλη πλευρά"},
    {"QPrintSettingsOutput", "Short side binding", "Βιβλιοδεσία στη μικρή πλευρά"},
    {"QPrintSettingsOutput", "Options", "Επιλογές"},

    // The printer's properties.
    {"QPrintPropertiesDialog", "Printer Properties", "Ιδιότητες εκτυπωτή"},
    {"QPrintPropertiesDialog", "Job Options", "Επιλογές εργασίας"},
    {"QPrintPropertiesWidget", "Form", "Φόρμα"},
    {"QPrintPropertiesWidget", "Page", "Σελίδα"},
    {"QPrintPropertiesWidget", "Advanced", "Για προχωρημένους"},
    {"QPrintPropertiesWidget", "There are conflicts in some options. Please fix them.",
     "Ορισμένες επιλογές συγκρούονται. Διορθώστε τις."},
    {"QPageSetupWidget", "Form", "Φόρμα"},
    {"QPageSetupWidget", "Paper", "Χαρτί"},
    {"QPageSetupWidget", "Page size:", "Μέγεθος σελίδας:"},
    {"QPageSetupWidget", "Width:", "Πλάτος:"},
    {"QPageSetupWidget", "Height:", "Ύψος:"},
    {"QPageSetupWidget", "Paper source:", "Τροφοδοσία χαρτιού:"},
    {"QPageSetupWidget", "Orientation", "Προσανατολισμός"},
    {"QPageSetupWidget", "Portrait", "Κατακόρυφος"},
    {"QPageSetupWidget", "Landscape", "Οριζόντιος"},
    {"QPageSetupWidget", "Reverse landscape", "Ανεστραμμένος οριζόντιος"},
    {"QPageSetupWidget", "Reverse portrait", "Ανεστραμμένος κατακόρυφος"},
    {"QPageSetupWidget", "Margins", "Περιθώρια"},
    {"QPageSetupWidget", "top margin", "επάνω περιθώριο"},
    {"QPageSetupWidget", "left margin", "αριστερό περιθώριο"},
    {"QPageSetupWidget", "right margin", "δεξί περιθώριο"},
    {"QPageSetupWidget", "bottom margin", "κάτω περιθώριο"},
    {"QPageSetupWidget", "Page Layout", "Διάταξη σελίδων"},
    {"QPageSetupWidget", "Page order:", "Σειρά σελίδων:"},
    {"QPageSetupWidget", "Pages per sheet:", "Σελίδες ανά φύλλο:"},
    {"QPageSetupWidget", "Millimeters (mm)", "Χιλιοστά (mm)"},
    {"QPageSetupWidget", "Inches (in)", "Ίντσες (in)"},
    {"QPageSetupWidget", "Points (pt)", "Στιγμές (pt)"},
    {"QPageSetupWidget", "Pica (P̸)", "Πίκα (P̸)"},
    {"QPageSetupWidget", "Didot (DD)", "Ντιντό (DD)"},
    {"QPageSetupWidget", "Cicero (CC)", "Κικερό (CC)"},
    {"QPageSetupWidget", "Custom", "Προσαρμοσμένο"},
    {"QPageSetupWidget", "in", "ίν."},
    {"QCupsJobWidget", "Job", "Εργασία"},
    {"QCupsJobWidget", "Job Control", "Έλεγχος εργασίας"},
    {"QCupsJobWidget", "Scheduled printing:", "Προγραμματισμένη εκτύπωση:"},
    {"QCupsJobWidget", "Billing information:", "Στοιχεία χρέωσης:"},
    {"QCupsJobWidget", "Job priority:", "Προτεραιότητα εργασίας:"},
    {"QCupsJobWidget", "Banner Pages", "Σελίδες διαχωρισμού"},
    {"QCupsJobWidget", "End:", "Τέλος:"},
    {"QCupsJobWidget", "Start:", "Αρχή:"},
    {"QCupsJobWidget", "Print Immediately", "Άμεση εκτύπωση"},
    {"QCupsJobWidget", "Hold Indefinitely", "Αναμονή επ' αόριστον"},
    {"QCupsJobWidget", "Day (06:00 to 17:59)", "Ημέρα (06:00 έως 17:59)"},
    {"QCupsJobWidget", "Night (18:00 to 05:59)", "Νύχτα (18:00 έως 05:59)"},
    {"QCupsJobWidget", "Second Shift (16:00 to 23:59)", "Δεύτερη βάρδια (16:00 έως 23:59)"},
    {"QCupsJobWidget", "Third Shift (00:00 to 07:59)", "Τρίτη βάρδια (00:00 έως 07:59)"},
    {"QCupsJobWidget", "Weekend (Saturday to Sunday)", "Σαββατοκύριακο (Σάββατο έως Κυριακή)"},
    {"QCupsJobWidget", "Specific Time", "Συγκεκριμένη ώρα"},
    {"QCupsJobWidget", "None", "Καμία"},
    {"QCupsJobWidget", "Standard", "Τυπική"},
    {"QCupsJobWidget", "Unclassified", "Μη διαβαθμισμένη"},
    {"QCupsJobWidget", "Confidential", "Εμπιστευτική"},
    {"QCupsJobWidget", "Classified", "Διαβαθμισμένη"},
    {"QCupsJobWidget", "Secret", "Απόρρητη"},
    {"QCupsJobWidget", "Top Secret", "Άκρως απόρρητη"},

    // The paper sizes the page-size list offers keep the names print
    // dialogs in Greek show them by, the world over: designations (A4, ANSI
    // B, JIS B5, PRC 16K, US 10, DL, Kaku, Chou) and named sizes (Letter,
    // Legal, Executive, Tabloid, Ledger, Folio …) alike; those named sizes
    // that carry no inches are listed apart (kPaperNames). What only
    // describes a paper is Greek: envelope, postcard, fan-fold, custom, and
    // inches written out.
    {"QPageSize", "Executive (7.5 x 10 in)", "Executive (7,5 x 10 ίντσες)"},
    {"QPageSize", "Executive (7.25 x 10.5 in)", "Executive (7,25 x 10,5 ίντσες)"},
    {"QPageSize", "Folio (8.27 x 13 in)", "Folio (8,27 x 13 ίντσες)"},
    {"QPageSize", "%1 x %2 in", "%1 x %2 ίντσες"},
    {"QPageSize", "Postcard", "Καρτ ποστάλ"},
    {"QPageSize", "Double Postcard", "Διπλή καρτ ποστάλ"},
    {"QPageSize", "PRC 32K Big", "PRC 32K μεγάλο"},
    {"QPageSize", "Fan-fold US (14.875 x 11 in)", "Συνεχές US (14,875 x 11 ίντσες)"},
    {"QPageSize", "Fan-fold German (8.5 x 12 in)", "Συνεχές γερμανικό (8,5 x 12 ίντσες)"},
    {"QPageSize", "Fan-fold German Legal (8.5 x 13 in)", "Συνεχές γερμανικό Legal (8,5 x 13 ίντσες)"},
    {"QPageSize", "Envelope Monarch", "Φάκελος Monarch"},
    {"QPageSize", "Envelope Personal", "Φάκελος Personal"},
    {"QPageSize", "Envelope Invite", "Φάκελος πρόσκλησης"},
    {"QPageSize", "Envelope Italian", "Φάκελος ιταλικός"},
    {"QPageSize", "Custom (%1mm x %2mm)", "Προσαρμοσμένο (%1mm x %2mm)"},
    {"QPageSize", "Custom (%1pt x %2pt)", "Προσαρμοσμένο (%1pt x %2pt)"},
    {"QPageSize", "Custom (%1in x %2in)", "Προσαρμοσμένο (%1 x %2 ίντσες)"},
    {"QPageSize", "Custom (%1pc x %2pc)", "Προσαρμοσμένο (%1P̸ x %2P̸)"},
    {"QPageSize", "Custom (%1DD x %2DD)", "Προσαρμοσμένο (%1DD x %2DD)"},
    {"QPageSize", "Custom (%1CC x %2CC)", "Προσαρμοσμένο (%1CC x %2CC)"},
};

// Every text box's context menu, for the plain and the rich text box alike.
const char *const kEditMenu[][2] = {
    {"&Undo", "&Αναίρεση"},
    {"&Redo", "Ακύρωση α&ναίρεσης"},
    {"Cu&t", "Απο&κοπή"},
    {"&Copy", "Αντι&γραφή"},
    {"&Paste", "&Επικόλληση"},
    {"Delete", "Διαγραφή"},
    {"Select All", "Επιλογή όλων"},
};

// Named paper sizes shown by their names as they are.
const char *const kPaperNames[] = {
    "Letter / ANSI A", "Legal",        "Ledger / ANSI B", "Tabloid / ANSI B", "Letter Extra", "Letter Plus",
    "Letter Small",    "Legal Extra",  "Tabloid Extra",   "A3 Extra",         "A4 Extra",     "A4 Plus",
    "A4 Small",        "A5 Extra",     "B5 Extra",        "Architect A",      "Architect B",  "Architect C",
    "Architect D",     "Architect E",  "Note",            "Quarto",           "Statement",    "Super A",
    "Super B"};

// The envelopes named only by their designation: "Envelope C5" and the like.
const char *const kEnvelopes[] = {"B4",    "B5",    "B6",    "C0",     "C1",     "C2",     "C3",     "C4",
                                  "C5",    "C6",    "C65",   "C7",     "DL",     "US 9",   "US 10",  "US 11",
                                  "US 12", "US 14", "PRC 1", "PRC 2",  "PRC 3",  "PRC 4",  "PRC 5",  "PRC 6",
                                  "PRC 7", "PRC 8", "PRC 9", "PRC 10", "Kaku 2", "Kaku 3", "Chou 3", "Chou 4"};

QString key(QLatin1String context, const QString &english) { return context + QChar(u'\x1f') + english; }

const QHash<QString, QString> &table()
{
    static const QHash<QString, QString> t = [] {
        QHash<QString, QString> h;
        for (const Text &x : kTexts)
            h.insert(key(QLatin1String(x.context), QString::fromUtf8(x.english)), QString::fromUtf8(x.greek));
        for (const auto &m : kEditMenu)
            for (const char *context : {"QLineEdit", "QWidgetTextControl"})
                h.insert(key(QLatin1String(context), QString::fromUtf8(m[0])), QString::fromUtf8(m[1]));
        for (const char *p : kPaperNames)
            h.insert(key(QLatin1String("QPageSize"), QLatin1String(p)), QLatin1String(p));
        for (const char *e : kEnvelopes)
            h.insert(key(QLatin1String("QPageSize"), QStringLiteral("Envelope ") + QLatin1String(e)),
                     QStringLiteral("Φάκελος ") + QLatin1String(e));
        return h;
    }();
    return t;
}

class GreekTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        if (!context || !sourceText) return {};
        return greekForQtText(context, sourceText);
    }
    bool isEmpty() const override { return false; }
};

// The file list of a file dialog shows sizes and dates in the system's
// locale whatever the program's is; this shows them in Greek.
class GreekFileColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex &index, int role) const override
    {
        auto *files = qobject_cast<QFileSystemModel *>(sourceModel());
        if (!files || role != Qt::DisplayRole || (index.column() != 1 && index.column() != 3))
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        if (index.column() == 3) return greekLocale().toString(files->lastModified(source), QLocale::ShortFormat);
        if (files->isDir(source)) return QIdentityProxyModel::data(index, role);
        return greekLocale().formattedDataSize(files->size(source), 2, QLocale::DataSizeTraditionalFormat);
    }
};

// Qt asks for one "Look in:" whatever the dialog does; a Save dialog says
// where it saves instead.
void nameTheFolderBox(QFileDialog *dialog)
{
    const QString look = greekForQtText("QFileDialog", "Look in:");
    const QString save = QStringLiteral("Αποθήκευση σε:");
    const QString now = dialog->labelText(QFileDialog::LookIn);
    // A label the program chose itself stays.
    if (now != look && now != save) return;
    dialog->setLabelText(QFileDialog::LookIn, dialog->acceptMode() == QFileDialog::AcceptSave ? save : look);
}

// Qt gives the date column the width of an English short date, and the last
// column never stretches, so the longer Greek date ("28/12/28 10:58 Μ.Μ.")
// showed cut short at any dialog width. The column is widened to the
// widest Greek date and to its own title; a wider one the planner chose
// stays.
void fitDateColumn(QTreeView *list)
{
    QHeaderView *header = list->header();
    int width = header->sectionSizeHint(3);
    QStyleOptionViewItem item;
    item.initFrom(list);
    item.features = QStyleOptionViewItem::HasDisplay;
    for (const QTime t : {QTime(10, 58), QTime(22, 58)}) {
        item.text = greekLocale().toString(QDateTime(QDate(2028, 12, 28), t), QLocale::ShortFormat);
        width = std::max(width, list->style()->sizeFromContents(QStyle::CT_ItemViewItem, &item, QSize(), list).width());
    }
    if (header->sectionSize(3) < width) header->resizeSection(3, width);
}

class GreekFileDialogs : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show) return false;
        auto *dialog = qobject_cast<QFileDialog *>(watched);
        if (!dialog) return false;
        nameTheFolderBox(dialog);
        if (dialog->proxyModel()) return false;
        // A new model resets the list's columns and forgets the file chosen
        // beforehand; both are put back.
        auto *list = dialog->findChild<QTreeView *>(QStringLiteral("treeView"));
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        const QByteArray columns = list ? list->header()->saveState() : QByteArray();
        const QString chosen = name ? name->text() : QString();
        dialog->setProxyModel(new GreekFileColumns(dialog));
        if (list) {
            list->header()->restoreState(columns);
            fitDateColumn(list);
        }
        if (!chosen.isEmpty()) {
            // The list marks the file named when the name changes.
            name->clear();
            dialog->selectFile(chosen);
        }
        return false;
    }
};

QPointer<GreekTranslator> g_installed;

} // namespace

QString greekForQtText(const char *context, const char *sourceText)
{
    return table().value(key(QLatin1String(context), QString::fromUtf8(sourceText)));
}

QLocale greekLocale()
{
    QLocale l(QLocale::Greek, QLocale::Greece);
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l;
}

void installGreekTexts()
{
    if (g_installed || !qApp) return;
    g_installed = new GreekTranslator(qApp);
    QCoreApplication::installTranslator(g_installed);
    // Dates and the names of file types follow the default locale. The
    // program's numbers never pass through a locale; widgets that show one of
    // their own (a spin box) write it without grouping, as the program does.
    QLocale::setDefault(greekLocale());
    qApp->installEventFilter(new GreekFileDialogs(qApp));
}

} // namespace plat
