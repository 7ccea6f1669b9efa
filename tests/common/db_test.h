#pragma once
// A fresh database in a temporary folder for each test, with helpers to put
// rows in and read them back as "a|b|c" lines.
#include "platform/database.h"
#include "common/qstring_print.h"

#include <gtest/gtest.h>

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QVariant>

class DbTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(plat::Database::open(dir.filePath("Divor.db")), QString()); }
    void TearDown() override { plat::Database::close(); }

    void exec(const QString &sql)
    {
        QSqlQuery q(plat::Database::db());
        ASSERT_TRUE(q.exec(sql)) << sql.toStdString();
    }
    QStringList rows(const QString &sql)
    {
        QStringList out;
        QSqlQuery q(plat::Database::db());
        EXPECT_TRUE(q.exec(sql)) << sql.toStdString();
        while (q.next()) {
            QStringList cells;
            for (int i = 0; i < q.record().count(); ++i)
                cells << (q.value(i).isNull() ? QStringLiteral("NULL") : q.value(i).toString());
            out << cells.join('|');
        }
        return out;
    }
    // Types 1..n named T1..Tn.
    void addTypes(int n)
    {
        for (int i = 1; i <= n; ++i) exec(QStringLiteral("insert into Typos values (%1, 'T%1')").arg(i));
    }

    QTemporaryDir dir;
};
