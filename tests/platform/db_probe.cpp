// A small program the database tests run as a separate process: as another
// user (so that file permissions really apply when the tests run as root),
// or to be killed in the middle of a rewrite.
//
//   db_probe start <appDir> <dataDir> [retry...]
//       opens the database as the program does at start, answering the
//       messages with the given Retry answers and then Cancel, and prints
//       what happened as tab-separated lines:
//         message <style> <text, newlines as \n>
//         open <0|1> / path <file> / readonly <0|1>
//         rows <table> <count, -1 when the table cannot be read>
//         rewrite <ok | the refusal>   (a line-table rewrite)
//         insert <ok | the message>    (a plain statement, as the editors write)
//   db_probe rewrite <file>
//       rewrites Protasis1 and Protasis2 together forever, solve after solve;
//       prints "ready" after the first one.
//   db_probe changed <file> <door...>
//       opens the file, prints "ready" and waits for a line on its input
//       (the file is changed meanwhile), then goes through the doors in the
//       order given and prints what each said:
//         window <1|0> <style|text...> (the check before a window opens)
//         save <ok | the refusal>      (a line-table rewrite)
//         insert <ok | the message>    (a plain statement, as the editors write)
//         print <rows n | the message> (a print's read of Protasis1)
//       and at the end "open <0|1>".
#include "platform/database.h"
#include "platform/msgbox.h"
#include "platform/report.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTextStream>

#include <cstdio>

namespace {

QString oneLine(QString s) { return s.replace(QLatin1Char('\n'), QStringLiteral("\\n")); }

int start(const QStringList &args)
{
    QTextStream out(stdout);
    plat::MsgBoxRecorder rec(plat::MsgAnswer::Cancel);
    QList<plat::MsgAnswer> answers;
    for (int i = 4; i < args.size(); ++i) answers << plat::MsgAnswer::Retry;
    rec.queueAnswers(answers);
    const bool opened = plat::Database::openForProgram(args[2], args[3]);
    for (const plat::MsgRecord &m : rec.messages) out << "message\t" << m.style << '\t' << oneLine(m.text) << '\n';
    out << "open\t" << (opened ? 1 : 0) << '\n';
    if (!opened) return 0;
    out << "path\t" << plat::Database::path() << '\n';
    out << "readonly\t" << (plat::Database::isReadOnly() ? 1 : 0) << '\n';
    for (const char *t : {"tblParameters", "Typos", "ProtasisXristi", "Protasis1", "Protasis2", "Protasis3",
                          "Protasis4", "Seira"}) {
        QSqlQuery q(plat::Database::db());
        const bool ok = q.exec(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(t))) && q.next();
        out << "rows\t" << t << '\t' << (ok ? q.value(0).toInt() : -1) << '\n';
    }
    QString error;
    const bool rewritten = plat::Database::rewriteLines(QStringLiteral("Protasis4"), QStringLiteral("Paraggelia"),
                                                        {QStringLiteral("probe")}, &error);
    out << "rewrite\t" << (rewritten ? QStringLiteral("ok") : oneLine(error)) << '\n';
    QSqlQuery q(plat::Database::db());
    const bool inserted = q.exec(QStringLiteral("INSERT INTO Protasis3 (ID, Protasis) VALUES (1, 'probe')"));
    out << "insert\t" << (inserted ? QStringLiteral("ok") : oneLine(plat::dbErrorText(q.lastError()))) << '\n';
    return 0;
}

int changed(const QStringList &args)
{
    QTextStream out(stdout);
    plat::MsgBoxRecorder rec(plat::MsgAnswer::Cancel);
    if (!plat::Database::openReport(args[2]).opened) return 2;
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    char line[16];
    if (!std::fgets(line, sizeof line, stdin)) return 3;
    for (int i = 3; i < args.size(); ++i) {
        const QString &door = args[i];
        QString said;
        if (door == QLatin1String("window")) {
            rec.clear();
            const bool opens = plat::Database::ensureOpen();
            QStringList told;
            for (const plat::MsgRecord &m : rec.messages) told << QString::number(m.style) + QLatin1Char('|') + m.text;
            said = QString::number(opens ? 1 : 0) + QLatin1Char('\t') + told.join(QStringLiteral("\n--\n"));
        } else if (door == QLatin1String("save")) {
            QString error;
            said = plat::Database::rewriteLines(QStringLiteral("Protasis4"), QStringLiteral("Paraggelia"),
                                                {QStringLiteral("probe")}, &error)
                       ? QStringLiteral("ok")
                       : error;
        } else if (door == QLatin1String("insert")) {
            QSqlQuery q(plat::Database::db());
            said = q.exec(QStringLiteral("INSERT INTO Protasis3 (ID, Protasis) VALUES (1, 'probe')"))
                       ? QStringLiteral("ok")
                       : plat::dbErrorText(q.lastError());
        } else if (door == QLatin1String("print")) {
            QString error;
            const auto rows = plat::readReportTable(QStringLiteral("Protasis1"), &error);
            said = rows ? QStringLiteral("rows %1").arg(rows->count()) : error;
        } else {
            return 4;
        }
        out << door << '\t' << oneLine(said) << '\n';
    }
    out << "open\t" << (plat::Database::isOpen() ? 1 : 0) << '\n';
    return 0;
}

int rewrite(const QString &path)
{
    if (!plat::Database::openReport(path).opened) return 2;
    for (long solve = 1;; ++solve) {
        QStringList p1, p2;
        for (long k = 1; k <= 3 + solve % 7; ++k) p1 << QStringLiteral("solve %1 proposal 1 line %2").arg(solve).arg(k);
        for (long k = 1; k <= 2 + solve % 5; ++k) p2 << QStringLiteral("solve %1 proposal 2 line %2").arg(solve).arg(k);
        if (!plat::Database::rewriteTables({plat::TableRewrite::lines(QStringLiteral("Protasis1"), QStringLiteral("Paraggelia"), p1),
                                            plat::TableRewrite::lines(QStringLiteral("Protasis2"), QStringLiteral("Paraggelia"), p2)}))
            return 3;
        if (solve == 1) {
            std::fputs("ready\n", stdout);
            std::fflush(stdout);
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    // Only the answer matters here, not how long the file is waited for.
    if (args.size() >= 4 && args[1] == QLatin1String("start")) {
        plat::Database::setLockWait(200);
        return start(args);
    }
    if (args.size() == 3 && args[1] == QLatin1String("rewrite")) return rewrite(args[2]);
    if (args.size() >= 3 && args[1] == QLatin1String("changed")) return changed(args);
    std::fputs("usage: db_probe start <appDir> <dataDir> [retry...] | rewrite <file> | changed <file> <door...>\n",
               stderr);
    return 1;
}
