#pragma once
// Reading a report back the way a planner sees it: through its PDF, as text
// (`pdftotext -layout`), as words with their places (`-bbox`) and as the
// number of pictures on each page (`pdfimages -list`).
#include "platform/report.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace pdfread {

struct Word {
    QString text;
    int page = 0;               // 1-based
    double x = 0, y = 0;        // top-left corner, twips from the paper's corner
    double width = 0, height = 0;
};

inline QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

class Pdf {
public:
    explicit Pdf(const plat::Report &report) : m_path(m_dir.filePath(QStringLiteral("report.pdf")))
    {
        QFile f(m_path);
        if (f.open(QIODevice::WriteOnly)) f.write(report.pdfBytes());
    }
    const QString &path() const { return m_path; }

    // The text of one page (1-based), or of every page when 0.
    QString text(int page = 0) const
    {
        QStringList args{QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8")};
        if (page > 0)
            args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
        return run(QStringLiteral("pdftotext"), args << m_path << QStringLiteral("-"));
    }

    QList<Word> words() const
    {
        const QString html = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-enc"),
                                                               QStringLiteral("UTF-8"), m_path, QStringLiteral("-")});
        QList<Word> out;
        int page = 0;
        static const QRegularExpression re(QStringLiteral("<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
                                                          "xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
        for (auto it = re.globalMatch(html); it.hasNext();) {
            const auto m = it.next();
            if (m.captured(0).startsWith(QLatin1String("<page"))) {
                ++page;
                continue;
            }
            Word w;
            w.page = page;
            w.x = m.captured(1).toDouble() * 20;
            w.y = m.captured(2).toDouble() * 20;
            w.width = m.captured(3).toDouble() * 20 - w.x;
            w.height = m.captured(4).toDouble() * 20 - w.y;
            w.text = unescape(m.captured(5));
            out << w;
        }
        return out;
    }

    // Pictures per page, from page 1 to the last page that has one.
    QList<int> picturesPerPage() const
    {
        QList<int> counts;
        const QStringList lines = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), m_path}).split(u'\n');
        for (int i = 2; i < lines.size(); ++i) {
            const QStringList cols = lines[i].split(u' ', Qt::SkipEmptyParts);
            if (cols.size() < 3 || cols[2] != QLatin1String("image")) continue;
            const int page = cols[0].toInt();
            while (counts.size() < page) counts << 0;
            ++counts[page - 1];
        }
        return counts;
    }

private:
    static QString unescape(QString s)
    {
        s.replace(QLatin1String("&lt;"), QLatin1String("<"));
        s.replace(QLatin1String("&gt;"), QLatin1String(">"));
        s.replace(QLatin1String("&quot;"), QLatin1String("\""));
        s.replace(QLatin1String("&apos;"), QLatin1String("'"));
        s.replace(QLatin1String("&amp;"), QLatin1String("&"));
        return s;
    }

    QTemporaryDir m_dir;
    QString m_path;
};

// The first word of `text` on `page`, or a word with an empty text.
inline Word find(const QList<Word> &words, const QString &text, int page = 1)
{
    for (const Word &w : words)
        if (w.page == page && w.text == text) return w;
    return {};
}

} // namespace pdfread
