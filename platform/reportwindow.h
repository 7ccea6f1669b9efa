#pragma once
// The window that shows a report: its pages one at a time with page
// navigation and zoom, printing through the system's print dialog and saving
// as PDF. Modeless and a window of its own (never inside the main window's
// area, no owner), one per print; closing it deletes the window and with it
// the report and its rows. It is one of the program's forms, so the main
// window closes it when the program ends.
//
//   auto *w = plat::openReport(std::move(def), "select ... order by ID", {}, "ΠΡΟΤΑΣΙΣ 1η");
//   // w is null when the rows could not be read (the message has been shown)
#include "platform/forms.h"
#include "platform/report.h"

#include <memory>

class QLabel;
class QComboBox;
class QPushButton;
class QScrollArea;
class QSpinBox;

namespace plat {

class ReportWindow : public Form {
    Q_OBJECT
public:
    ReportWindow(std::unique_ptr<Report> report, const QString &title);
    ~ReportWindow() override;

    const Report &report() const { return *m_report; }
    // Puts another report in the window (a window that serves every print of
    // one kind) and goes back to its first page.
    void setReport(std::unique_ptr<Report> report);

    // Shows the window on its own, never in the main window's area (stands
    // in for Form::showForm, which would put it there).
    void showForm();

    int currentPage() const { return m_page; } // 0-based
    void showPage(int index);                  // clamped to the report's pages
    double zoom() const { return m_zoom; }     // 1.0 = 100 %
    void setZoom(double zoom);

    // The two buttons' work without their dialogs (the dialogs call these).
    bool saveAsPdf(const QString &path); // shows a Greek message on failure
    bool printTo(QPrinter *printer);

public slots:
    void askPrint();     // "Εκτύπωση…"
    void askSavePdf();   // "Αποθήκευση ως PDF…"

private:
    void buildUi();
    void refreshPage();

    std::unique_ptr<Report> m_report;
    int m_page = 0;
    double m_zoom = 1.0;
    QScrollArea *m_scroll = nullptr;
    QLabel *m_view = nullptr;
    QLabel *m_pageLabel = nullptr;
    QSpinBox *m_pageBox = nullptr;
    QComboBox *m_zoomBox = nullptr;
    QPushButton *m_first = nullptr;
    QPushButton *m_prev = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_last = nullptr;
};

// Shows a new report window for a report already made.
ReportWindow *showReport(std::unique_ptr<Report> report, const QString &title);

// Reads the rows of `sql` (values bound), binds them to `def` and shows a new
// report window titled `title`. When the rows cannot be read, shows the Greek
// message and opens nothing: returns null.
ReportWindow *openReport(ReportDefinition def, const QString &sql, const QVariantList &params,
                         const QString &title);

// The folder the PDF dialog opens in: `last` (the folder of the last PDF
// saved) while it is a folder, else `documents` while it is one, else `home`.
QString pdfStartFolder(const QString &last, const QString &documents, const QString &home);
// The same for this user: the folder kept in the program's settings, the
// user's documents and home folders.
QString pdfStartFolder();
// Keeps `folder` as the one the next PDF dialog opens in.
void rememberPdfFolder(const QString &folder);

} // namespace plat
