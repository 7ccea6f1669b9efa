#pragma once
// The program's banded reports: a definition (page set-up, five sections,
// controls placed in twips), the rows it prints, the split into pages and the
// one drawing routine that serves the preview, the printer and PDF.
//
// Usage:
//
//   plat::ReportDefinition def;
//   def.name = "DataReport1";
//   def.reportWidth = 9690;
//   def.leftMargin = def.rightMargin = 400;
//   auto &hdr = def.addSection(plat::SectionKind::ReportHeader, "ReportHeader", 3105);
//   hdr.addLabel("Label1", 6720, 180, 2445, 240, "%D");          // date field
//   auto &title = hdr.addLabel("Label3", 60, 2520, 9450, 390, "ΠΡΟΤΑΣΙΣ 1…");
//   title.font = plat::ReportFont::arial(15.75).underlined();
//   title.alignment = plat::ReportAlign::Center;
//   hdr.addImage("Image1", 7350, 840, 1800, 1395, plat::coilPicture());
//   def.addSection(plat::SectionKind::PageHeader, "PageHeader", 4005)
//      .addLine("Line1", 420, 420, 4905, 0);                     // horizontal rule
//   def.addSection(plat::SectionKind::Detail, "Command1_Detail", 240)
//      .addTextBox("txtParaggelia", 135, 0, 9360, 240, "Paraggelia");
//   ...
//   // start-up code: controls by section and name (throws when missing)
//   def.section("PageHeader").control("EvrosA").caption = " 1250";
//   def.section("ReportHeader").control("Image1").visible = false;
//
//   // rows, then a window (reportwindow.h) or a PDF:
//   QString err;
//   auto rows = plat::readReportRows("select Paraggelia from Protasis1 order by ID", {}, &err);
//   if (!rows) { plat::msgBox(err); return; }
//   plat::Report report(std::move(def), std::move(*rows));
//   report.writePdf("/tmp/p.pdf", &err);
//
// Captions may hold "%D" (date dd/MM/yyyy), "%T" (time HH:mm:ss) and "%p" (page
// number); date and time are those of the moment the report was made.
#include <QColor>
#include <QDateTime>
#include <QImage>
#include <QList>
#include <QPageSize>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <deque>
#include <optional>
#include <stdexcept>

class QPainter;
class QPrinter;

namespace plat {

// A definition names a section or control that it does not have.
class ReportNameError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

struct ReportFont {
    QString family = QStringLiteral("Arial"); // Arial / Times New Roman map to their metric twins
    double pointSize = 8.25;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    static ReportFont arial(double pt) { return {QStringLiteral("Arial"), pt}; }
    static ReportFont times(double pt) { return {QStringLiteral("Times New Roman"), pt}; }
    ReportFont boldened() const { ReportFont f = *this; f.bold = true; return f; }
    ReportFont italicised() const { ReportFont f = *this; f.italic = true; return f; }
    ReportFont underlined() const { ReportFont f = *this; f.underline = true; return f; }
};

enum class ReportControlKind { Label, TextBox, Image, Line, Shape };
enum class ReportAlign { Left, Center, Right };

struct ReportControl {
    ReportControlKind kind = ReportControlKind::Label;
    QString name;
    // Twips from the top-left corner of the section. A line runs from
    // (left, top) to (left + width, top + height): height 0 is a horizontal
    // rule, width 0 a vertical one.
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    QString caption;   // labels; may hold %D, %T, %p
    QString field;     // text boxes: the bound field's name
    QImage picture;    // images: drawn inside the rectangle keeping its proportions

    std::optional<ReportFont> font; // none: the report's default font
    ReportAlign alignment = ReportAlign::Left;
    QColor foreColor = Qt::black;
    QColor backColor = Qt::white;
    bool opaque = false;     // back style: false transparent, true filled with backColor
    bool border = false;     // a thin frame in foreColor around a label or text box
    bool wordWrap = false;   // the text breaks into lines inside the box
    // Twips at the box's right edge that its text keeps free: a shaded cell
    // drawn wider than its column's figures still ends them where the
    // column's other cells do.
    int paddingRight = 0;
    int lineWidth = 15;      // lines and shapes, twips
    bool visible = true;
};

enum class SectionKind { ReportHeader, PageHeader, Detail, PageFooter, ReportFooter };

class ReportSection {
public:
    ReportSection(SectionKind kind, QString name, int height)
        : kind(kind), name(std::move(name)), height(height)
    {
    }

    SectionKind kind;
    QString name;
    int height; // twips
    bool visible = true;
    QColor backColor = Qt::white;

    // The returned references stay valid while the section lives.
    ReportControl &addLabel(const QString &name, int left, int top, int width, int height,
                            const QString &caption);
    ReportControl &addTextBox(const QString &name, int left, int top, int width, int height,
                              const QString &field);
    ReportControl &addImage(const QString &name, int left, int top, int width, int height,
                            const QImage &picture);
    ReportControl &addLine(const QString &name, int left, int top, int width, int height);
    ReportControl &addShape(const QString &name, int left, int top, int width, int height);
    ReportControl &add(const ReportControl &control);

    // The control of that name; control() throws ReportNameError when missing.
    ReportControl *find(const QString &name);
    const ReportControl *find(const QString &name) const;
    ReportControl &control(const QString &name);
    const ReportControl &control(const QString &name) const;

    const std::deque<ReportControl> &controls() const { return m_controls; }

private:
    std::deque<ReportControl> m_controls;
};

class ReportDefinition {
public:
    QString name;                 // e.g. "DataReport1"
    QPageSize paper = QPageSize(QPageSize::A4);
    int reportWidth = 9360;       // twips: the width of every section
    int leftMargin = 1440;
    int rightMargin = 1440;
    int topMargin = 1440;
    int bottomMargin = 1440;
    ReportFont defaultFont;       // Arial 8.25

    // One section of each kind; adding a kind again replaces it.
    ReportSection &addSection(SectionKind kind, const QString &name, int height);
    ReportSection *find(SectionKind kind);
    const ReportSection *find(SectionKind kind) const;
    ReportSection *find(const QString &name);
    const ReportSection *find(const QString &name) const;
    // throws ReportNameError when missing
    ReportSection &section(const QString &name);
    const ReportSection &section(const QString &name) const;

    // Paper size in twips (portrait).
    QSize paperTwips() const;
    // The height between the top and bottom margins.
    int printableHeight() const;

private:
    std::deque<ReportSection> m_sections;
};

// The rows a report prints: field names and one text per field and row.
struct ReportRows {
    QStringList fields;
    QList<QStringList> rows;

    int fieldIndex(const QString &field) const; // -1 when missing (case-insensitive)
    QString value(int row, const QString &field) const;
    int count() const { return int(rows.size()); }
};

// Runs `sql` on the program's database (values bound, never pasted) and reads
// every row once. Numbers become text through the number layer; NULL becomes
// "". On failure (no database, missing file or table) returns nothing and a
// Greek message in *error.
std::optional<ReportRows> readReportRows(const QString &sql, const QVariantList &params = {},
                                         QString *error = nullptr);
// The whole of a print table in ascending ID.
std::optional<ReportRows> readReportTable(const QString &table, QString *error = nullptr);

// Whether a print can use the database now: it is open and its file is still
// the one opened. Otherwise false and, in *error, a Greek message that names
// the cause (a file deleted or replaced by its path).
bool printDatabaseReady(QString *error = nullptr);
// A print table rewritten with `lines` (ID 1..n, one text column) in one
// transaction, the old lines kept on failure. A missing database file is
// named as such, not as the write refused that SQLite reports for it.
bool rewritePrintLines(const QString &table, const QString &column, const QStringList &lines,
                       QString *error = nullptr);

// Pagination: which bands go where on which page.
struct PlacedBand {
    SectionKind kind;
    int row = -1;  // detail bands: the row printed
    int top = 0;   // twips from the top edge of the paper
};

struct ReportPage {
    int number = 1; // 1-based, as %p prints it
    QList<PlacedBand> bands;
};

// Report header once at the top of page 1, page header and footer on every
// page (the footer at the bottom margin), one detail band per row, the report
// footer once after the last row. A band that puts nothing on paper (no
// visible control draws anything) takes what room is left on its page but
// never opens a page of its own: a report footer with nothing in it never
// adds a page of headers without lines. Never returns an empty list.
QList<ReportPage> paginate(const ReportDefinition &def, int rowCount);

// A definition bound to its rows, split into pages, ready to draw.
class Report {
public:
    Report(ReportDefinition def, ReportRows rows, QDateTime madeAt = QDateTime::currentDateTime());

    const ReportDefinition &definition() const { return m_def; }
    const ReportRows &rows() const { return m_rows; }
    const QList<ReportPage> &pages() const { return m_pages; }
    int pageCount() const { return int(m_pages.size()); }
    QDateTime madeAt() const { return m_madeAt; }
    QSize pageTwips() const { return m_def.paperTwips(); }
    // The document's title (a saved PDF's, shown in a viewer's title bar);
    // the definition's name until one is given.
    QString title() const { return m_title.isEmpty() ? m_def.name : m_title; }
    void setTitle(const QString &title) { m_title = title; }

    // Draws page `index` (0-based) with the painter's coordinates in twips
    // from the paper's top-left corner. Does not fill the paper's background.
    void drawPage(QPainter &painter, int index) const;
    // Draws page `index` onto a device of `dpi`, scaled by `zoom`, paper in white.
    void drawPage(QPainter &painter, int index, double dpi, double zoom = 1.0) const;
    // A picture of one page at `dpi` (the preview).
    QImage pageImage(int index, double dpi) const;

    // Every page to a printer (already set up by its dialog).
    bool print(QPrinter *printer, QString *error = nullptr) const;
    // Every page to a PDF file, written whole or not at all.
    bool writePdf(const QString &path, QString *error = nullptr) const;
    QByteArray pdfBytes() const;

private:
    ReportDefinition m_def;
    ReportRows m_rows;
    QDateTime m_madeAt;
    QList<ReportPage> m_pages;
    QString m_title;
};

// "%D", "%T" and "%p" of a caption replaced.
QString expandReportFields(const QString &caption, const QDateTime &madeAt, int page);

} // namespace plat
