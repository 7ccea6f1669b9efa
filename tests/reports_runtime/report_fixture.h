#pragma once
// A small proposal-like report and the means to read a rendered PDF back.
#include "platform/report.h"
#include "common/qstring_print.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace rt {

// A4, margins 1440 (one inch): a page runs from 1440 to 15398 twips; the
// footer (1000 high) starts at 14398.
inline plat::ReportDefinition sampleDefinition()
{
    plat::ReportDefinition def;
    def.name = QStringLiteral("Sample");
    def.reportWidth = 9000;
    auto &rh = def.addSection(plat::SectionKind::ReportHeader, QStringLiteral("ReportHeader"), 1000);
    rh.addLabel(QStringLiteral("Label1"), 6000, 0, 2000, 240, QStringLiteral("%D"));
    rh.addLabel(QStringLiteral("Label2"), 6000, 300, 2000, 240, QStringLiteral("%T"));
    auto &title = rh.addLabel(QStringLiteral("Label3"), 0, 600, 9000, 390, QStringLiteral("ΠΡΟΤΑΣΙΣ ΔΟΚΙΜΗΣ"));
    title.font = plat::ReportFont::arial(15.75).underlined();
    title.alignment = plat::ReportAlign::Center;

    auto &ph = def.addSection(plat::SectionKind::PageHeader, QStringLiteral("PageHeader"), 1000);
    ph.addLabel(QStringLiteral("Label21"), 1000, 100, 2000, 240, QStringLiteral("Αίτησις"));
    auto &cell = ph.addLabel(QStringLiteral("EvrosA"), 3000, 100, 810, 210, QString());
    cell.font = plat::ReportFont::arial(9);
    cell.alignment = plat::ReportAlign::Right;
    cell.opaque = true;
    cell.backColor = QColor(0xE0, 0xE0, 0xE0);
    ph.addLine(QStringLiteral("Line1"), 0, 600, 9000, 0);

    def.addSection(plat::SectionKind::Detail, QStringLiteral("Command1_Detail"), 1000)
        .addTextBox(QStringLiteral("txtParaggelia"), 135, 0, 8000, 240, QStringLiteral("Paraggelia"));

    auto &pf = def.addSection(plat::SectionKind::PageFooter, QStringLiteral("PageFooter"), 1000);
    pf.addLabel(QStringLiteral("Label31"), 0, 100, 3000, 270, QStringLiteral("Καθαρή φύρα:"))
        .font = plat::ReportFont::arial(11.25);
    pf.addLabel(QStringLiteral("Label9"), 7000, 400, 1000, 240, QStringLiteral("Σελίδα %p"));

    def.addSection(plat::SectionKind::ReportFooter, QStringLiteral("ReportFooter"), 500)
        .addLabel(QStringLiteral("LabelEnd"), 0, 0, 3000, 240, QStringLiteral("Τέλος αναφοράς"));
    return def;
}

inline plat::ReportRows lines(int n)
{
    plat::ReportRows rows;
    rows.fields << QStringLiteral("ID") << QStringLiteral("Paraggelia");
    for (int i = 1; i <= n; ++i)
        rows.rows << QStringList{QString::number(i), QStringLiteral("Γραμμή %1 ρολλάκια").arg(i)};
    return rows;
}

inline QDateTime fixedMoment() { return QDateTime(QDate(2026, 3, 7), QTime(9, 5, 3)); }

// Runs a poppler tool on a PDF and returns its standard output.
inline QString popplerText(const QStringList &args)
{
    QProcess p;
    p.start(args.first(), args.mid(1));
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        ADD_FAILURE() << "tool failed: " << args.join(' ').toStdString() << " "
                      << p.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of one page (1-based) as pdftotext -layout gives it.
inline QString pageText(const QString &pdf, int page)
{
    return popplerText({QStringLiteral("pdftotext"), QStringLiteral("-layout"), QStringLiteral("-f"),
                        QString::number(page), QStringLiteral("-l"), QString::number(page), pdf,
                        QStringLiteral("-")});
}

struct Word {
    QString text;
    double xMin, yMin, xMax, yMax; // points from the page's top-left corner
    int page;
};

// Every word of the PDF with its box, as pdftotext -bbox gives it.
inline QList<Word> words(const QString &pdf)
{
    const QString html = popplerText({QStringLiteral("pdftotext"), QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    QList<Word> out;
    int page = 0;
    static const QRegularExpression re(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    for (const QString &line : html.split(u'\n')) {
        if (line.contains(QLatin1String("<page "))) ++page;
        const auto m = re.match(line);
        if (m.hasMatch())
            out << Word{m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                        m.captured(4).toDouble(), page};
    }
    return out;
}

inline std::optional<Word> findWord(const QList<Word> &ws, const QString &text, int page = 1)
{
    for (const Word &w : ws)
        if (w.text == text && w.page == page) return w;
    return std::nullopt;
}

} // namespace rt
