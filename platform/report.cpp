#include "platform/report.h"

#include "platform/database.h"
#include "platform/qnum.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace plat {

// ---------------------------------------------------------------- model

ReportControl &ReportSection::add(const ReportControl &control)
{
    m_controls.push_back(control);
    return m_controls.back();
}

static ReportControl placed(ReportControlKind kind, const QString &name, int left, int top, int width,
                            int height)
{
    ReportControl c;
    c.kind = kind;
    c.name = name;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    return c;
}

ReportControl &ReportSection::addLabel(const QString &name, int left, int top, int width, int height,
                                       const QString &caption)
{
    ReportControl c = placed(ReportControlKind::Label, name, left, top, width, height);
    c.caption = caption;
    return add(c);
}

ReportControl &ReportSection::addTextBox(const QString &name, int left, int top, int width, int height,
                                         const QString &field)
{
    ReportControl c = placed(ReportControlKind::TextBox, name, left, top, width, height);
    c.field = field;
    return add(c);
}

ReportControl &ReportSection::addImage(const QString &name, int left, int top, int width, int height,
                                       const QImage &picture)
{
    ReportControl c = placed(ReportControlKind::Image, name, left, top, width, height);
    c.picture = picture;
    return add(c);
}

ReportControl &ReportSection::addLine(const QString &name, int left, int top, int width, int height)
{
    return add(placed(ReportControlKind::Line, name, left, top, width, height));
}

ReportControl &ReportSection::addShape(const QString &name, int left, int top, int width, int height)
{
    return add(placed(ReportControlKind::Shape, name, left, top, width, height));
}

ReportControl *ReportSection::find(const QString &name)
{
    for (ReportControl &c : m_controls)
        if (c.name == name) return &c;
    return nullptr;
}

const ReportControl *ReportSection::find(const QString &name) const
{
    return const_cast<ReportSection *>(this)->find(name);
}

ReportControl &ReportSection::control(const QString &name)
{
    if (ReportControl *c = find(name)) return *c;
    throw ReportNameError(("section " + this->name + " has no control " + name).toStdString());
}

const ReportControl &ReportSection::control(const QString &name) const
{
    return const_cast<ReportSection *>(this)->control(name);
}

ReportSection &ReportDefinition::addSection(SectionKind kind, const QString &name, int height)
{
    for (ReportSection &s : m_sections) {
        if (s.kind == kind) {
            s = ReportSection(kind, name, height);
            return s;
        }
    }
    m_sections.emplace_back(kind, name, height);
    return m_sections.back();
}

ReportSection *ReportDefinition::find(SectionKind kind)
{
    for (ReportSection &s : m_sections)
        if (s.kind == kind) return &s;
    return nullptr;
}

const ReportSection *ReportDefinition::find(SectionKind kind) const
{
    return const_cast<ReportDefinition *>(this)->find(kind);
}

ReportSection *ReportDefinition::find(const QString &name)
{
    for (ReportSection &s : m_sections)
        if (s.name == name) return &s;
    return nullptr;
}

const ReportSection *ReportDefinition::find(const QString &name) const
{
    return const_cast<ReportDefinition *>(this)->find(name);
}

ReportSection &ReportDefinition::section(const QString &name)
{
    if (ReportSection *s = find(name)) return *s;
    throw ReportNameError(("report " + this->name + " has no section " + name).toStdString());
}

const ReportSection &ReportDefinition::section(const QString &name) const
{
    return const_cast<ReportDefinition *>(this)->section(name);
}

QSize ReportDefinition::paperTwips() const
{
    // Millimetres are exact for the ISO sizes (A4: 11906 x 16838 twips).
    const QSizeF mm = paper.size(QPageSize::Millimeter);
    return QSize(int(std::lround(mm.width() / 25.4 * 1440)), int(std::lround(mm.height() / 25.4 * 1440)));
}

int ReportDefinition::printableHeight() const { return paperTwips().height() - topMargin - bottomMargin; }

// ---------------------------------------------------------------- rows

int ReportRows::fieldIndex(const QString &field) const
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].compare(field, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QString ReportRows::value(int row, const QString &field) const
{
    if (row < 0 || row >= rows.size()) return {};
    const int i = fieldIndex(field);
    const QStringList &r = rows[row];
    return i >= 0 && i < r.size() ? r[i] : QString();
}

static QString cellText(const QVariant &v)
{
    if (v.isNull()) return {};
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return numText(v.toDouble());
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return intText(v.toLongLong());
    default:
        return v.toString();
    }
}

static const QString kNoPrint = QStringLiteral("Η εκτύπωση δεν μπορεί να γίνει.");

// The database must be open and its file still the one opened: SQLite would
// otherwise go on reading a file that is no longer the planner's database.
bool printDatabaseReady(QString *error)
{
    auto fail = [&](const QString &text) {
        if (error) *error = text;
        return false;
    };
    if (const QString lost = Database::checkFile(); !lost.isEmpty()) return fail(lost + u'\n' + kNoPrint);
    if (!Database::isOpen())
        return fail(QStringLiteral("Η βάση δεδομένων δεν είναι ανοικτή.\n") + kNoPrint);
    return true;
}

std::optional<ReportRows> readReportRows(const QString &sql, const QVariantList &params, QString *error)
{
    if (!printDatabaseReady(error)) return std::nullopt;
    QSqlQuery q(Database::db());
    q.setForwardOnly(true);
    bool ok = q.prepare(sql);
    if (ok) {
        for (const QVariant &p : params) q.addBindValue(p);
        ok = q.exec();
    }
    if (!ok) {
        if (error)
            *error = QStringLiteral("Δεν ήταν δυνατή η ανάγνωση των γραμμών της εκτύπωσης.\n") +
                     dbErrorText(q.lastError());
        return std::nullopt;
    }
    ReportRows out;
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i) out.fields << rec.fieldName(i);
    while (q.next()) {
        QStringList row;
        row.reserve(out.fields.size());
        for (int i = 0; i < out.fields.size(); ++i) row << cellText(q.value(i));
        out.rows << row;
    }
    if (q.lastError().isValid()) {
        if (error)
            *error = QStringLiteral("Δεν ήταν δυνατή η ανάγνωση των γραμμών της εκτύπωσης.\n") +
                     dbErrorText(q.lastError());
        return std::nullopt;
    }
    return out;
}

std::optional<ReportRows> readReportTable(const QString &table, QString *error)
{
    if (!printDatabaseReady(error)) return std::nullopt;
    QSqlDatabase db = Database::db();
    QString actual;
    for (const QString &t : db.tables())
        if (t.compare(table, Qt::CaseInsensitive) == 0) actual = t;
    if (actual.isEmpty()) {
        if (error)
            *error = QStringLiteral("Λείπει ο πίνακας «") + table +
                     QStringLiteral("» από τη βάση δεδομένων.\n") + kNoPrint;
        return std::nullopt;
    }
    return readReportRows(QStringLiteral("SELECT * FROM ") + sqlName(actual) + QStringLiteral(" ORDER BY ID"), {},
                          error);
}

bool rewritePrintLines(const QString &table, const QString &column, const QStringList &lines, QString *error)
{
    if (!printDatabaseReady(error)) return false;
    if (Database::rewriteLines(table, column, lines, error)) return true;
    // The file may have gone between the look and the write.
    printDatabaseReady(error);
    return false;
}

// ---------------------------------------------------------------- pages

static int bandHeight(const ReportSection *s) { return s && s->visible ? std::max(0, s->height) : 0; }

// Whether a band puts anything on paper. A bound text box counts: its rows
// may hold text.
static bool drawsSomething(const ReportSection *s)
{
    if (!s || !s->visible) return false;
    if (s->backColor.isValid() && s->backColor != Qt::white) return true;
    for (const ReportControl &c : s->controls()) {
        if (!c.visible) continue;
        if (c.opaque || c.border) return true;
        switch (c.kind) {
        case ReportControlKind::Label:
            if (!c.caption.isEmpty()) return true;
            break;
        case ReportControlKind::TextBox:
            if (!c.field.isEmpty()) return true;
            break;
        case ReportControlKind::Image:
            if (!c.picture.isNull()) return true;
            break;
        case ReportControlKind::Line:
        case ReportControlKind::Shape:
            return true;
        }
    }
    return false;
}

QList<ReportPage> paginate(const ReportDefinition &def, int rowCount)
{
    const ReportSection *rh = def.find(SectionKind::ReportHeader);
    const ReportSection *ph = def.find(SectionKind::PageHeader);
    const ReportSection *dt = def.find(SectionKind::Detail);
    const ReportSection *pf = def.find(SectionKind::PageFooter);
    const ReportSection *rf = def.find(SectionKind::ReportFooter);

    const int footerTop = def.paperTwips().height() - def.bottomMargin - bandHeight(pf);
    QList<ReportPage> pages;
    int y = 0;
    bool bodyOnPage = false; // a detail or the report footer stands on the current page

    auto place = [&](const ReportSection *s, SectionKind kind, int row = -1) {
        pages.last().bands.append(PlacedBand{kind, row, y});
        y += bandHeight(s);
    };
    auto openPage = [&] {
        ReportPage p;
        p.number = int(pages.size()) + 1;
        pages.append(p);
        y = def.topMargin;
        bodyOnPage = false;
        if (p.number == 1 && bandHeight(rh) > 0) place(rh, SectionKind::ReportHeader);
        if (bandHeight(ph) > 0) place(ph, SectionKind::PageHeader);
    };
    auto closePage = [&] {
        if (bandHeight(pf) > 0) pages.last().bands.append(PlacedBand{SectionKind::PageFooter, -1, footerTop});
    };
    // A band that does not fit goes to the next page, unless the page holds
    // nothing but its headers: then it stands there, cut at the footer. A
    // band with nothing to draw opens no page: it is left out instead.
    auto makeRoom = [&](const ReportSection *s, int h) {
        if (y + h > footerTop && bodyOnPage) {
            if (!drawsSomething(s)) return false;
            closePage();
            openPage();
        }
        bodyOnPage = true;
        return true;
    };

    openPage();
    const int dh = bandHeight(dt);
    if (dh > 0) {
        // Every row's band is alike: one that draws nothing leaves the
        // rest out too.
        for (int r = 0; r < rowCount && makeRoom(dt, dh); ++r) place(dt, SectionKind::Detail, r);
    }
    if (const int h = bandHeight(rf); h > 0 && makeRoom(rf, h)) place(rf, SectionKind::ReportFooter);
    closePage();
    return pages;
}

// ---------------------------------------------------------------- drawing

QString expandReportFields(const QString &caption, const QDateTime &madeAt, int page)
{
    if (!caption.contains(u'%')) return caption;
    QString out = caption;
    out.replace(QLatin1String("%D"), madeAt.toString(QStringLiteral("dd/MM/yyyy")));
    out.replace(QLatin1String("%T"), madeAt.toString(QStringLiteral("HH:mm:ss")));
    out.replace(QLatin1String("%p"), QString::number(page));
    return out;
}

namespace {

// The report fonts by their usual names; the installed metric twins carry
// the Greek letters.
QString fontFamily(const QString &family)
{
    if (family.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0) return QStringLiteral("Liberation Sans");
    if (family.compare(QLatin1String("Times New Roman"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Serif");
    if (family.compare(QLatin1String("Courier New"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Mono");
    return family;
}

// Below this a printed text is no longer comfortably read: 6 pt, in twips.
constexpr int kMinTextTwips = 120;

// Fonts are sized in twips (the painter's unit), so the same text measures
// the same on the screen, the printer and in the PDF.
QFont makeFont(const ReportFont &f, int sizeTwips)
{
    QFont font(fontFamily(f.family));
    font.setPixelSize(std::max(1, sizeTwips));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

Qt::Alignment alignFlags(ReportAlign a)
{
    switch (a) {
    case ReportAlign::Center:
        return Qt::AlignHCenter;
    case ReportAlign::Right:
        return Qt::AlignRight;
    case ReportAlign::Left:
        break;
    }
    return Qt::AlignLeft;
}

class Painter {
public:
    Painter(QPainter &p, const ReportDefinition &def, const ReportRows &rows, const QDateTime &madeAt)
        : m_p(p), m_def(def), m_rows(rows), m_madeAt(madeAt)
    {
    }

    void page(const ReportPage &page)
    {
        for (const PlacedBand &b : page.bands) {
            const ReportSection *s = m_def.find(b.kind);
            if (!s || !s->visible) continue;
            band(*s, b, page.number);
        }
    }

private:
    // A font at one size with its measures, built once per drawing.
    struct Face {
        QFont font;
        QFontMetricsF metrics;
    };
    const Face &face(const ReportFont &f, int sizeTwips)
    {
        const auto key = std::make_tuple(f.family, sizeTwips, f.bold, f.italic, f.underline);
        auto it = m_faces.find(key);
        if (it == m_faces.end()) {
            QFont font = makeFont(f, sizeTwips);
            it = m_faces.emplace(key, Face{font, QFontMetricsF(font)}).first;
        }
        return it->second;
    }

    void band(const ReportSection &s, const PlacedBand &b, int pageNo)
    {
        const double x0 = m_def.leftMargin;
        const double y0 = b.top;
        // A band ends where the page footer begins: a band too tall for its
        // page is cut there rather than drawn over the footer.
        double bottom = y0 + s.height;
        if (b.kind != SectionKind::PageFooter) {
            const ReportSection *pf = m_def.find(SectionKind::PageFooter);
            const double footerTop = m_def.paperTwips().height() - m_def.bottomMargin - bandHeight(pf);
            bottom = std::min(bottom, footerTop);
        }
        const QRectF bandRect(x0, y0, m_def.reportWidth, std::max(0.0, bottom - y0));
        m_p.save();
        m_p.setClipRect(bandRect);
        if (s.backColor != Qt::white && s.backColor.isValid()) m_p.fillRect(bandRect, s.backColor);
        // Three layers: the shading of every cell, then pictures, rules and
        // frames, then the texts. A shaded cell that overlaps a rule of its
        // table therefore never hides it, whatever order the layout lists
        // them in, and no shading covers a neighbour's text.
        for (const ReportControl &c : s.controls()) {
            if (c.visible && c.opaque && c.kind != ReportControlKind::Line)
                m_p.fillRect(QRectF(x0 + c.left, y0 + c.top, c.width, c.height), c.backColor);
        }
        for (const ReportControl &c : s.controls()) {
            if (!c.visible) continue;
            const QRectF r(x0 + c.left, y0 + c.top, c.width, c.height);
            switch (c.kind) {
            case ReportControlKind::Label:
            case ReportControlKind::TextBox:
                if (c.border) frame(c, r);
                break;
            case ReportControlKind::Image:
                image(c, r);
                break;
            case ReportControlKind::Line:
                // Straight rules stay sharp on the screen: a thin rule
                // smoothed over two pixel rows would print as a grey smear.
                m_p.setRenderHint(QPainter::Antialiasing, c.width != 0 && c.height != 0);
                m_p.setPen(QPen(c.foreColor, std::max(1, c.lineWidth), Qt::SolidLine, Qt::FlatCap));
                m_p.drawLine(QPointF(r.left(), r.top()), QPointF(r.left() + c.width, r.top() + c.height));
                m_p.setRenderHint(QPainter::Antialiasing, true);
                break;
            case ReportControlKind::Shape:
                frame(c, r);
                break;
            }
        }
        for (const ReportControl &c : s.controls()) {
            if (!c.visible) continue;
            const QRectF r(x0 + c.left, y0 + c.top, std::max(0, c.width - c.paddingRight), c.height);
            if (c.kind == ReportControlKind::Label)
                text(c, r, expandReportFields(c.caption, m_madeAt, pageNo));
            else if (c.kind == ReportControlKind::TextBox)
                text(c, r, b.row >= 0 ? m_rows.value(b.row, c.field) : QString());
        }
        m_p.restore();
    }

    void image(const ReportControl &c, const QRectF &r)
    {
        if (!c.picture.isNull() && r.width() > 0 && r.height() > 0) {
            QSizeF sz = QSizeF(c.picture.size()).scaled(r.size(), Qt::KeepAspectRatio);
            QRectF target(QPointF(0, 0), sz);
            target.moveCenter(r.center());
            m_p.drawImage(target, c.picture);
        }
        if (c.border) frame(c, r);
    }

    void frame(const ReportControl &c, const QRectF &r)
    {
        m_p.setPen(QPen(c.foreColor, std::max(1, c.lineWidth)));
        m_p.setBrush(Qt::NoBrush);
        m_p.drawRect(r);
    }

    void text(const ReportControl &c, const QRectF &r, const QString &value)
    {
        if (value.isEmpty() || r.width() <= 0 || r.height() <= 0) return;

        const ReportFont &rf = c.font ? *c.font : m_def.defaultFont;
        const int designSize = int(std::lround(rf.pointSize * 20));
        const int smallest = std::min(designSize, kMinTextTwips);
        int size = designSize;
        const Face *f = &face(rf, size);
        const Qt::Alignment align = alignFlags(c.alignment) | Qt::AlignTop;

        if (c.wordWrap) {
            // Shrinks until the wrapped lines fit the box's height.
            auto fits = [&](const Face &fc) {
                const QRectF need = fc.metrics.boundingRect(QRectF(0, 0, r.width(), 1e9),
                                                            int(align) | Qt::TextWordWrap, value);
                return need.height() <= r.height() + 1 && need.width() <= r.width() + 1;
            };
            while (size > smallest && !fits(*f)) {
                size = std::max(smallest, size - std::max(5, size / 20));
                f = &face(rf, size);
            }
            m_p.save();
            m_p.setClipRect(r, Qt::IntersectClip);
            m_p.setFont(f->font);
            m_p.setPen(c.foreColor);
            m_p.drawText(r, int(align) | Qt::TextWordWrap, value);
            m_p.restore();
            return;
        }

        double w = f->metrics.horizontalAdvance(value);
        if (w > r.width()) {
            // Straight to the size the width allows, then down until it fits.
            size = std::max(smallest, int(std::floor(size * r.width() / w)));
            f = &face(rf, size);
            w = f->metrics.horizontalAdvance(value);
            while (w > r.width() && size > smallest) {
                size = std::max(smallest, size - 5);
                f = &face(rf, size);
                w = f->metrics.horizontalAdvance(value);
            }
        }
        m_p.setFont(f->font);
        m_p.setPen(c.foreColor);
        // A shrunk text keeps the baseline it had at its own size, so it
        // stands on one line with its row's other cells instead of riding
        // at the top of its box.
        const double sink = size < designSize ? face(rf, designSize).metrics.ascent() - f->metrics.ascent() : 0.0;
        if (w <= r.width()) {
            // It fits: drawn as it is (no clip to set up, the common case).
            m_p.drawText(QRectF(r.left(), r.top() + sink, r.width(), std::max(r.height(), f->metrics.height())),
                         int(align) | Qt::TextSingleLine, value);
            return;
        }
        // Still too wide at the smallest size: it starts at the box's left
        // edge and is cut at the right one, so a figure keeps its leading
        // digits and is seen to be cut rather than read as a smaller one.
        // The line keeps its full height even in a box drawn a little too
        // low; only the sides are hard edges, so a neighbour is never touched.
        QRectF clip = r;
        clip.setHeight(std::max(r.height(), sink + f->metrics.height()));
        m_p.save();
        m_p.setClipRect(clip, Qt::IntersectClip);
        m_p.drawText(clip.adjusted(0, sink, 0, 0), int(Qt::AlignTop | Qt::AlignLeft) | Qt::TextSingleLine, value);
        m_p.restore();
    }

    QPainter &m_p;
    const ReportDefinition &m_def;
    const ReportRows &m_rows;
    QDateTime m_madeAt;
    std::map<std::tuple<QString, int, bool, bool, bool>, Face> m_faces;
};

} // namespace

// ---------------------------------------------------------------- report

Report::Report(ReportDefinition def, ReportRows rows, QDateTime madeAt)
    : m_def(std::move(def)), m_rows(std::move(rows)), m_madeAt(std::move(madeAt))
{
    m_pages = paginate(m_def, m_rows.count());
    // A text box bound to a field the rows lack prints blank; say so to
    // whoever runs the program from a terminal, it is a layout's mistake.
    if (const ReportSection *d = m_def.find(SectionKind::Detail); d && !m_rows.fields.isEmpty()) {
        for (const ReportControl &c : d->controls())
            if (c.kind == ReportControlKind::TextBox && m_rows.fieldIndex(c.field) < 0)
                qWarning("report %s: %s is bound to %s, which its rows do not have", qPrintable(m_def.name),
                         qPrintable(c.name), qPrintable(c.field));
    }
}

void Report::drawPage(QPainter &painter, int index) const
{
    if (index < 0 || index >= m_pages.size()) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    Painter(painter, m_def, m_rows, m_madeAt).page(m_pages[index]);
    painter.restore();
}

void Report::drawPage(QPainter &painter, int index, double dpi, double zoom) const
{
    painter.save();
    const double s = dpi / 1440.0 * zoom;
    painter.scale(s, s);
    const QSize paper = pageTwips();
    painter.fillRect(QRect(QPoint(0, 0), paper), Qt::white);
    drawPage(painter, index);
    painter.restore();
}

QImage Report::pageImage(int index, double dpi) const
{
    const QSize paper = pageTwips();
    QImage img(int(std::ceil(paper.width() * dpi / 1440.0)), int(std::ceil(paper.height() * dpi / 1440.0)),
               QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    drawPage(p, index, dpi);
    return img;
}

bool Report::print(QPrinter *printer, QString *error) const
{
    printer->setPageSize(m_def.paper);
    printer->setPageOrientation(QPageLayout::Portrait);
    printer->setFullPage(true);
    int from = 1, to = pageCount();
    if (printer->printRange() == QPrinter::PageRange && printer->fromPage() > 0) {
        from = std::max(1, printer->fromPage());
        to = std::min(pageCount(), std::max(from, printer->toPage()));
    }
    QPainter p;
    if (!p.begin(printer)) {
        if (error) *error = QStringLiteral("Ο εκτυπωτής δεν είναι διαθέσιμος.");
        return false;
    }
    for (int i = from - 1; i < to; ++i) {
        if (i > from - 1 && !printer->newPage()) {
            if (error) *error = QStringLiteral("Η εκτύπωση διακόπηκε.");
            p.end();
            return false;
        }
        drawPage(p, i, printer->resolution());
    }
    return p.end();
}

static bool writePdfTo(const Report &report, QIODevice *device)
{
    QPdfWriter writer(device);
    writer.setPageSize(report.definition().paper);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(1200);
    writer.setTitle(report.title());
    writer.setCreator(QStringLiteral("Velantra"));
    QPainter p;
    if (!p.begin(&writer)) return false;
    for (int i = 0; i < report.pageCount(); ++i) {
        if (i > 0 && !writer.newPage()) return false;
        report.drawPage(p, i, writer.resolution());
    }
    return p.end();
}

QByteArray Report::pdfBytes() const
{
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    if (!writePdfTo(*this, &buf)) return {};
    buf.close();
    return bytes;
}

// The planner reads why a file could not be saved in Greek, not in the
// system's English words.
static QString saveFailureReason(const QString &path, bool opening)
{
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists()) return QStringLiteral("Ο φάκελος δεν υπάρχει.");
    if (!folder.isDir()) return QStringLiteral("Η διαδρομή του φακέλου δεν είναι φάκελος.");
    if (info.isDir()) return QStringLiteral("Υπάρχει φάκελος με αυτό το όνομα.");
    if (opening && (!folder.isWritable() || (info.exists() && !info.isWritable())))
        return QStringLiteral("Δεν επιτρέπεται η εγγραφή σε αυτή τη θέση.");
    return opening ? QStringLiteral("Το αρχείο δεν μπορεί να δημιουργηθεί σε αυτή τη θέση.")
                   : QStringLiteral("Η εγγραφή διακόπηκε (ίσως ο δίσκος είναι γεμάτος).");
}

bool Report::writePdf(const QString &path, QString *error) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) *error = QStringLiteral("Δεν ήταν δυνατό να γραφτεί το αρχείο\n") + path + u'\n' + saveFailureReason(path, true);
        return false;
    }
    if (!writePdfTo(*this, &file) || !file.commit()) {
        file.cancelWriting();
        if (error) *error = QStringLiteral("Δεν ήταν δυνατό να γραφτεί το αρχείο\n") + path + u'\n' + saveFailureReason(path, false);
        return false;
    }
    return true;
}

} // namespace plat
