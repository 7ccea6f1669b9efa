#include "reports/data_environments.h"

#include "platform/database.h"

namespace reports {

DataEnvironment::DataEnvironment(QString name, QList<Command> commands)
    : m_name(std::move(name)), m_commands(std::move(commands))
{
    DataEnvironment_Initialize();
}

void DataEnvironment::DataEnvironment_Initialize()
{
    // Whatever file a report was designed against, it reads the database
    // the program itself has open.
    m_connection = plat::Database::db().databaseName();
}

QStringList DataEnvironment::commandNames() const
{
    QStringList names;
    for (const Command &c : m_commands) names << c.name;
    return names;
}

std::optional<plat::ReportRows> DataEnvironment::rsCommand(const QString &command, QString *error) const
{
    for (const Command &c : m_commands) {
        if (c.name != command) continue;
        return c.table.isEmpty() ? plat::readReportRows(c.sql, {}, error) : plat::readReportTable(c.table, error);
    }
    // A report bound to a command its source lacks is a fault of the program.
    if (error) *error = QStringLiteral("Η πηγή δεδομένων %1 δεν έχει την εντολή %2.").arg(m_name, command);
    return std::nullopt;
}

DataEnvironment DataEnvironment1()
{
    return DataEnvironment(QStringLiteral("DataEnvironment1"),
                           {{QStringLiteral("Command1"), QStringLiteral("Protasis1"), {}}});
}

DataEnvironment DataEnvironment2()
{
    return DataEnvironment(QStringLiteral("DataEnvironment2"),
                           {{QStringLiteral("Command1"), QStringLiteral("Protasis2"), {}}});
}

DataEnvironment DataEnvironment3()
{
    return DataEnvironment(QStringLiteral("DataEnvironment3"),
                           {{QStringLiteral("Command1"), QStringLiteral("Protasis3"), {}}});
}

DataEnvironment DataEnvironment4()
{
    return DataEnvironment(
        QStringLiteral("DataEnvironment4"),
        {{QStringLiteral("Command1"), QStringLiteral("Protasis4"), {}},
         {QStringLiteral("Command2"), {},
          QStringLiteral("select a.Κωδικός, a.Εύρος, a.Πάχος, p.Τύπος,a.[Περιγραφή Είδους] from ProtasisXristi as a "
                         "inner join Typos as p on a.Τύπος=p.Κωδικός Order by a.ID")}});
}

} // namespace reports
