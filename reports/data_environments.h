#pragma once
// The data sources of the reports: each environment has one connection,
// Connection1, pointed at the program's own database when it is made, and
// named commands whose rows a report binds to. Whole-table commands read
// their table in ascending ID, the order in which the prints wrote it.
#include "platform/report.h"

#include <QList>
#include <QString>
#include <optional>

namespace reports {

class DataEnvironment {
public:
    struct Command {
        QString name;  // "Command1", "Command2"
        QString table; // a whole table …
        QString sql;   // … or a statement of its own
    };

    DataEnvironment(QString name, QList<Command> commands);

    const QString &name() const { return m_name; }
    // The database file Connection1 reads: the program's own.
    const QString &Connection1() const { return m_connection; }
    QStringList commandNames() const;

    // The rows of a command, read once. When the database file, the table or
    // the statement cannot be read, nothing and a Greek message in *error.
    std::optional<plat::ReportRows> rsCommand(const QString &command, QString *error = nullptr) const;

private:
    void DataEnvironment_Initialize();

    QString m_name;
    QList<Command> m_commands;
    QString m_connection;
};

DataEnvironment DataEnvironment1(); // Command1: Protasis1
DataEnvironment DataEnvironment2(); // Command1: Protasis2
DataEnvironment DataEnvironment3(); // Command1: Protasis3
DataEnvironment DataEnvironment4(); // Command1: Protasis4; Command2: the catalogue with its types' names

} // namespace reports
