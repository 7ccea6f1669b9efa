#include "platform/reportgreek.h"

#include <QCoreApplication>
#include <QHash>

namespace plat {

namespace {

// By the dialogs' own English texts; the same text reads the same in every
// dialog, so the context is not looked at.
const QHash<QString, QString> &words()
{
    static const QHash<QString, QString> w = [] {
        const char *pairs[][2] = {
            // buttons of every dialog
            {"OK", "Εντάξει"}, {"Cancel", "Άκυρο"}, {"&Cancel", "&Άκυρο"}, {"Close", "Κλείσιμο"},
            {"&Yes", "&Ναι"}, {"&No", "&Όχι"}, {"Save", "Αποθήκευση"}, {"&Save", "&Αποθήκευση"},
            {"Apply", "Εφαρμογή"},
            // file dialog
            {"Look in:", "Αναζήτηση σε:"}, {"File &name:", "Ό&νομα αρχείου:"}, {"Files of type:", "Τύπος αρχείων:"},
            {"Name", "Όνομα"}, {"Size", "Μέγεθος"}, {"Type", "Τύπος"}, {"Date Modified", "Τροποποίηση"},
            {"Computer", "Υπολογιστής"}, {"Back", "Πίσω"}, {"Forward", "Εμπρός"},
            {"Parent Directory", "Γονικός φάκελος"}, {"Create New Folder", "Νέος φάκελος"},
            {"New Folder", "Νέος φάκελος"}, {"&New Folder", "&Νέος φάκελος"}, {"List View", "Λίστα"},
            {"Detail View", "Λεπτομέρειες"}, {"Recent Places", "Πρόσφατες θέσεις"}, {"Folder", "Φάκελος"},
            {"&Delete", "&Διαγραφή"}, {"&Rename", "&Μετονομασία"}, {"Show &hidden files", "Εμφάνιση &κρυφών αρχείων"},
            {"&Open", "Ά&νοιγμα"},
            // print dialog
            {"Print", "Εκτύπωση"}, {"&Print", "&Εκτύπωση"}, {"Printer", "Εκτυπωτής"}, {"&Name:", "Ό&νομα:"},
            {"P&roperties", "&Ιδιότητες"}, {"Location:", "Θέση:"}, {"Type:", "Τύπος:"},
            {"Output &file:", "&Αρχείο:"}, {"&Options >>", "&Επιλογές >>"}, {"&Options <<", "&Επιλογές <<"},
            {"Print to File (PDF)", "Εκτύπωση σε αρχείο (PDF)"}, {"Local file", "Τοπικό αρχείο"},
            {"Write PDF file", "Εγγραφή αρχείου PDF"}, {"Options", "Επιλογές"}, {"Copies", "Αντίγραφα"},
            {"Copies:", "Αντίγραφα:"}, {"Collate", "Συρραφή αντιγράφων"}, {"Reverse", "Αντίστροφη σειρά"},
            {"Print range", "Σελίδες"}, {"Print all", "Όλες"}, {"Pages from", "Σελίδες από"}, {"to", "έως"},
            {"Pages", "Σελίδες"}, {"Current Page", "Τρέχουσα σελίδα"}, {"Selection", "Επιλογή"},
            {"Output Settings", "Ρυθμίσεις εξόδου"}, {"Color Mode", "Χρώμα"}, {"Color", "Έγχρωμη"},
            {"Grayscale", "Ασπρόμαυρη"}, {"Duplex Printing", "Εκτύπωση διπλής όψης"}, {"None", "Καμία"},
            {"Long side", "Μεγάλη πλευρά"}, {"Short side", "Μικρή πλευρά"}, {"Page Set:", "Σελίδες:"},
            {"All Pages", "Όλες οι σελίδες"}, {"Odd Pages", "Μονές σελίδες"}, {"Even Pages", "Ζυγές σελίδες"},
            {"Printer Properties", "Ιδιότητες εκτυπωτή"}, {"Page", "Σελίδα"}, {"Advanced", "Για προχωρημένους"},
            {"Paper", "Χαρτί"}, {"Page size:", "Μέγεθος χαρτιού:"}, {"Width:", "Πλάτος:"}, {"Height:", "Ύψος:"},
            {"Paper source:", "Τροφοδοσία χαρτιού:"}, {"Orientation", "Προσανατολισμός"},
            {"Portrait", "Κατακόρυφος"}, {"Landscape", "Οριζόντιος"}, {"Reverse landscape", "Ανεστραμμένος οριζόντιος"},
            {"Reverse portrait", "Ανεστραμμένος κατακόρυφος"}, {"Margins", "Περιθώρια"},
            {"Page Layout", "Διάταξη σελίδας"}, {"Pages per sheet:", "Σελίδες ανά φύλλο:"},
            {"Page order:", "Σειρά σελίδων:"}, {"Unit:", "Μονάδα:"}, {"Millimeters (mm)", "Χιλιοστά (mm)"},
            {"Custom", "Προσαρμοσμένο"}, {"Job Options", "Επιλογές εργασίας"},
            {"Invalid Pages Definition", "Μη έγκυρες σελίδες"}, {"Print To File ...", "Εκτύπωση σε αρχείο…"},
        };
        QHash<QString, QString> h;
        for (const auto &p : pairs) h.insert(QString::fromUtf8(p[0]), QString::fromUtf8(p[1]));
        return h;
    }();
    return w;
}

} // namespace

DialogGreek::DialogGreek() { QCoreApplication::installTranslator(this); }

DialogGreek::~DialogGreek() { QCoreApplication::removeTranslator(this); }

QString DialogGreek::translate(const char *, const char *sourceText, const char *, int) const
{
    if (!sourceText) return {};
    return words().value(QString::fromUtf8(sourceText));
}

} // namespace plat
