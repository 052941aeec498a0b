#include <gtest/gtest.h>

#include <QSqlQuery>
#include <memory>

#include "DatabaseFixture.h"
#include "InsertStatements.h"
#include "RowBatch.h"
#include "RunLog.h"

namespace {

using Column = DatabaseWriter::Column;

// A batch on a fresh database holding one report. Its registry rows (Fields) are named by the
// rows of FormulaFields and of GroupNameFields, which name nothing of each other; the engine
// refuses a row whose parent is not stored yet.
class RowBatchTest : public DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        QString error;
        ASSERT_TRUE(DatabaseCreator::OpenOrCreateDatabase(path(), progress, &error))
            << qPrintable(error);
        db = std::make_unique<DatabaseConnection>(path());
        insertRow(
            *db, QStringLiteral("Reports"),
            {{QStringLiteral("Report_Id"), 1}, {QStringLiteral("ReportOwner_Id"), QVariant()}});
    }

    void add(const char* table, std::initializer_list<Column> columns) {
        batch.add(*db, table, {columns.begin(), columns.size()});
    }
    void field(qint32 id) {
        add("Fields", {{"Field_Id", id},
                       {"Report_Id", 1},
                       {"Name", QStringLiteral("f%1").arg(id)},
                       {"Kind", 1}});
    }
    void formula(qint32 id) {
        add("FormulaFields", {{"Field_Id", id},
                              {"Report_Id", 1},
                              {"Name", QStringLiteral("f%1").arg(id)},
                              {"FieldName", QStringLiteral("{@f%1}").arg(id)},
                              {"Kind", QStringLiteral("Formula")},
                              {"NumberOfBytes", 8},
                              {"ValueType", QStringLiteral("Number")},
                              {"FormulaText", QStringLiteral("1")}});
    }
    void groupName(qint32 id) {
        add("GroupNameFields", {{"Field_Id", id},
                                {"Report_Id", 1},
                                {"Name", QStringLiteral("f%1").arg(id)},
                                {"GroupNameConditionFormula", QString()},
                                {"GroupNameFieldName", QString()},
                                {"GroupNumber", 1},
                                {"NumberOfBytes", 8},
                                {"ValueType", QStringLiteral("String")}});
    }
    qint64 count(const char* table) {
        QSqlQuery query = db->exec(QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1String(table));
        return query.next() ? query.value(0).toLongLong() : -1;
    }

    std::unique_ptr<DatabaseConnection> db;
    tav::core::RunLog log{dir.path() + QLatin1Char('/')};
    InsertStatements statements;
    RowBatch batch{statements, log};
};

}  // namespace

// Rows come in any order; a flush for one table stores its parents first, and leaves the rows
// of the tables it does not name waiting, until the flush of every row.
TEST_F(RowBatchTest, AFlushStoresTheParentsFirstAndLeavesUnnamedTablesWaiting) {
    groupName(2);
    formula(1);
    field(1);
    field(2);
    EXPECT_EQ(count("Fields"), 0);
    batch.flush(*db, "FormulaFields");
    EXPECT_EQ(count("Fields"), 2);
    EXPECT_EQ(count("FormulaFields"), 1);
    EXPECT_EQ(count("GroupNameFields"), 0);
    batch.flush(*db);
    EXPECT_EQ(count("GroupNameFields"), 1);

    // A row stored at once follows the waiting rows it may name; the others wait on.
    field(3);
    groupName(3);
    EXPECT_GT(batch.insertNow(*db, "FormulaFields",
                              std::initializer_list<Column>{{"Field_Id", 3},
                                                            {"Report_Id", 1},
                                                            {"Name", QStringLiteral("f3")},
                                                            {"FieldName", QStringLiteral("{@f3}")},
                                                            {"Kind", QStringLiteral("Formula")},
                                                            {"NumberOfBytes", 8},
                                                            {"ValueType", QStringLiteral("Number")},
                                                            {"FormulaText", QStringLiteral("1")}}),
              0);
    EXPECT_EQ(count("FormulaFields"), 2);
    EXPECT_EQ(count("GroupNameFields"), 1);

    // Forgotten rows are never stored.
    batch.clear();
    batch.flush(*db);
    EXPECT_EQ(count("GroupNameFields"), 1);
}

// A table stores its rows once a statement's worth wait, and a flush stores any number of them,
// each once and in the order they came.
TEST_F(RowBatchTest, EveryWaitingRowIsStoredOnceInOrder) {
    for (const qint32 rows : {1, 17, 63, 64, 65, 100, 129}) {
        SCOPED_TRACE(rows);
        db->exec(QStringLiteral("DELETE FROM Fields"));
        for (qint32 id = 1; id <= rows; ++id) field(id);
        EXPECT_EQ(count("Fields"), rows / 64 * 64);
        batch.flush(*db);
        QSqlQuery query = db->exec(QStringLiteral("SELECT Field_Id FROM Fields ORDER BY rowid"));
        qint32 expected = 0;
        while (query.next()) EXPECT_EQ(query.value(0).toInt(), ++expected);
        EXPECT_EQ(expected, rows);
    }
}
