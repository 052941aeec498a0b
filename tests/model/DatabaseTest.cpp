#include <gtest/gtest.h>

#include "FieldFixtures.h"

namespace {

// Two tables and one link between the tables named.
QByteArray linkedReport(const char* sourceTable, const char* destinationTable,
                        const char* linkField = R"(<Field kind="1" name="Orders.OrderID"/>)") {
    return QByteArray(R"(<Report><ExportOptions/><Database><Tables>
        <Table name="Orders"><Fields><Field kind="1" name="Orders.OrderID"/></Fields></Table>
        <Table name="Lines"><Fields><Field kind="1" name="Lines.OrderID"/></Fields></Table>
        <Table name="Orders"/>
      </Tables><Links><Link><sourceTable name=")") +
           sourceTable + R"("/><destinationTable name=")" + destinationTable +
           R"("/><sourceFields>)" + linkField +
           R"(</sourceFields><destinationFields><Field kind="1" name="Lines.OrderID"/>
        </destinationFields></Link></Links></Database></Report>)";
}

}  // namespace

TEST(Database, ReportWithoutTablesHasEmptyLists) {
    const auto report = loadReport("<Report><Database/><ExportOptions/></Report>");
    EXPECT_EQ(report->tvDatabase->tables.Count(), 0);
    EXPECT_EQ(report->tvDatabase->allFields.Count(), 0);
    EXPECT_EQ(report->tvDatabase->links.Count(), 0);
    EXPECT_EQ(report->tvDatabase->parent, report.get());
}

TEST(Database, LinkFindsTablesByExactNameFirstFirst) {
    const auto report = loadReport(linkedReport("Orders", "lines"));
    const tvTableLink& link = report->tvDatabase->links.Item(1);
    EXPECT_EQ(link.sourceTable, &report->tvDatabase->tables.Item(1));  // not the third table
    EXPECT_EQ(link.destinationTable, nullptr);                         // letter case counts
    EXPECT_EQ(&link.destinationFields.Item(1), &report->tvDatabase->tables.Item(2).fields.Item(1));
}

TEST(Database, LinkFieldMustBeADatabaseField) {
    EXPECT_EQ(loadError(linkedReport("Orders", "Lines", R"(<Field kind="4" name="PageNumber"/>)")),
              rt::kErrTypeMismatch);
    EXPECT_EQ(loadError(linkedReport("Orders", "Lines", R"(<Field kind="0" name="Nothing"/>)")),
              rt::kErrTypeMismatch);
}

TEST(Database, ColumnNamesMustDifferAcrossTables) {
    EXPECT_EQ(loadError(R"(<Report><ExportOptions/><Database><Tables>
        <Table name="A"><Fields><Field kind="1" name="Id"/></Fields></Table>
        <Table name="B"><Fields><Field kind="1" name="ID"/></Fields></Table>
      </Tables></Database></Report>)"),
              rt::kErrDuplicateKey);
}

TEST(Database, TableCopiesItsValues) {
    const auto report = loadReport(R"(<Report><ExportOptions/><Database><Tables>
        <Table name="Orders" location="dbo.Orders" dllName="crdb_ado.dll" databaseType="2"
               connectBufferString="Provider=SQLOLEDB"/></Tables></Database></Report>)");
    const tvDatabaseTable& table = report->tvDatabase->tables.Item(1);
    EXPECT_EQ(table.location, u"dbo.Orders");
    EXPECT_EQ(table.dllName, u"crdb_ado.dll");
    EXPECT_EQ(table.databaseType, 2);
    EXPECT_EQ(table.connectBufferString, u"Provider=SQLOLEDB");
    EXPECT_EQ(table.fields.Count(), 0);
}
