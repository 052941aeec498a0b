#include <gtest/gtest.h>

#include "FieldFixtures.h"
#include "tvReportAlert.h"

// The sample report of every kind of field definition, checked for what its users share.
class FieldSample : public ::testing::Test {
protected:
    void SetUp() override {
        const long live = liveRuntimeObjects();
        report = loadFieldsSample();
        ASSERT_EQ(liveRuntimeObjects(), live) << "the load kept runtime objects";
    }

    tvDatabaseTable& table(const char* name) const {
        tvDatabaseTable* found = report->tvDatabase->FindTableByName(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }
    tvDatabaseFieldDefinition* column(const char* tableName, int position) const {
        return &table(tableName).fields.Item(position);
    }
    tvSummaryFieldDefinition& summary(const char* name) const {
        return report->tvSummaryFieldDefinitions.Item(name);
    }

    std::unique_ptr<tvReport> report;
};

TEST_F(FieldSample, EveryUserOfAColumnHoldsItsTableDefinition) {
    tvDatabaseFieldDefinition* amount = column("Orders", 4);
    tvDatabaseFieldDefinition* quantity = column("Orders", 5);
    EXPECT_EQ(amount->name, u"Orders.Amount");
    EXPECT_EQ(&report->tvDatabase->allFields.Item("orders.AMOUNT"), amount);

    for (const char* name :
         {"Percentage of Orders.Amount", "Sum of Orders.Amount", "Weighted Avg of Orders.Amount"}) {
        EXPECT_EQ(summary(name).summarizedField, amount) << name;
    }
    EXPECT_EQ(summary("Weighted Avg of Orders.Amount").secondarySummarizedField, quantity);
    EXPECT_EQ(report->runningTotalFields.Item("Running amount").summarizedField, amount);
    EXPECT_EQ(report->runningTotalFields.Item("Running weighted amount").secondarySummarizedField,
              quantity);

    const tvTableLink& link = report->tvDatabase->links.Item(1);
    EXPECT_EQ(&link.destinationFields.Item(1), column("Orders", 2));
    EXPECT_EQ(&link.sourceFields.Item(1), column("Customers", 1));

    EXPECT_EQ(report->tvGroupSortFields.Item(1).field, column("Customers", 3));
    EXPECT_EQ(report->tvRecordSortFields.Item("Orders.OrderDate").field, column("Orders", 3));
}

TEST_F(FieldSample, AllFieldsStandInTableThenFieldOrder) {
    QStringList names;
    auto all = report->tvDatabase->allFields.begin();
    for (tvDatabaseTable& t : report->tvDatabase->tables) {
        for (tvDatabaseFieldDefinition& field : t.fields) {
            ASSERT_NE(all, report->tvDatabase->allFields.end());
            EXPECT_EQ(&*all++, &field);
            names << field.name;
        }
        EXPECT_TRUE(t.descriptiveName.isEmpty());
        EXPECT_EQ(t.kind, 0);
        EXPECT_EQ(t.parent, report->tvDatabase.get());
    }
    EXPECT_EQ(all, report->tvDatabase->allFields.end());
    EXPECT_EQ(names, QStringList({"Customers.CustomerID", "Customers.Name", "Customers.Country",
                                  "Orders.OrderID", "Orders.CustomerID", "Orders.OrderDate",
                                  "Orders.Amount", "Orders.Quantity"}));
}

TEST_F(FieldSample, LinkTablesAreTheDatabaseTables) {
    const tvTableLink& link = report->tvDatabase->links.Item(1);
    EXPECT_EQ(link.sourceTable, &report->tvDatabase->tables.Item(1));
    EXPECT_EQ(link.destinationTable, &report->tvDatabase->tables.Item(2));
    EXPECT_EQ(link.joinType, 4);
    EXPECT_EQ(link.parent, report->tvDatabase.get());
}

TEST_F(FieldSample, SummariesAreListedOncePerNameInnerFirst) {
    QStringList names;
    for (const tvSummaryFieldDefinition& s : report->tvSummaryFieldDefinitions) names << s.name;
    EXPECT_EQ(names,
              QStringList({"Sum of Orders.Amount", "Percentage of Orders.Amount",
                           "Weighted Avg of Orders.Amount", "Distinct Count of Orders.OrderID",
                           "Maximum of Net amount", "Count of Record Number"}));
    EXPECT_EQ(summary("Percentage of Orders.Amount").secondarySummarizedField,
              &summary("Sum of Orders.Amount"));
    EXPECT_EQ(summary("Sum of Orders.Amount").secondarySummarizedField, nullptr);
    EXPECT_EQ(summary("Maximum of Net amount").summarizedField,
              &report->tvFormulaFields.Item("Net amount"));
    EXPECT_EQ(report->tvGroupSortFields.Item(3).field, &summary("Sum of Orders.Amount"));
    EXPECT_EQ(summary("Sum of Orders.Amount").headerArea, nullptr);
    EXPECT_EQ(summary("Sum of Orders.Amount").footerArea, nullptr);
}

TEST_F(FieldSample, EachUseOfASpecialFieldHasItsOwnDefinition) {
    ASSERT_EQ(report->specialVarFields.Count(), 2);
    tvSpecialVarFieldDefinition& first = report->specialVarFields.Item(1);
    tvSpecialVarFieldDefinition& second = report->specialVarFields.Item(2);
    EXPECT_NE(&first, &second);
    EXPECT_EQ(summary("Count of Record Number").summarizedField, &first);
    EXPECT_EQ(report->tvRecordSortFields.Item("RecordNumber").field, &second);
    EXPECT_EQ(second.name, u"RecordNumber");
    EXPECT_EQ(second.specialVarType, 7);
}

TEST_F(FieldSample, GroupNameFieldResolvesByGroupNumber) {
    EXPECT_EQ(report->tvGroupSortFields.Item(2).field, &report->tvGroupNameFields.Item(2));
    EXPECT_EQ(&report->tvGroupNameFields.Item("2"), &report->tvGroupNameFields.Item(2));
    EXPECT_EQ(report->tvGroupNameFields.Item(2).groupNumber, 2);
}

TEST_F(FieldSample, EveryKindKnowsItsReportKindAndValueType) {
    struct Case {
        const tvIFieldDefinition* definition;
        qint16 kind;
        qint16 valueType;
    };
    const Case cases[] = {
        {column("Orders", 4), 1, 8},
        {&report->tvFormulaFields.Item("Customer label"), 2, 12},
        {&summary("Weighted Avg of Orders.Amount"), 3, 7},
        {&report->specialVarFields.Item(1), 4, 5},
        {&report->tvGroupNameFields.Item(1), 5, 12},
        {&report->tvParameters.Item("Order period"), 6, 10},
        {&report->runningTotalFields.Item("Running amount"), 7, 8},
        {&report->tvSQLExpressionFields.Item("Order year"), 8, 7},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.definition->parent, report.get()) << c.definition->name.toStdString();
        EXPECT_EQ(c.definition->kind, c.kind) << c.definition->name.toStdString();
        EXPECT_EQ(c.definition->valueType, c.valueType) << c.definition->name.toStdString();
    }
}

TEST_F(FieldSample, DefinitionsCopyTheirValues) {
    const tvFormulaField& label = report->tvFormulaFields.Item("Customer label");
    EXPECT_TRUE(label.text.startsWith(u"If IsNull({Customers.Country}) Then\n    {"));
    EXPECT_EQ(label.tvIReportObject_objectName, u"Formula");
    EXPECT_TRUE(label.key.isEmpty());
    EXPECT_EQ(label.ConditionalFormulas.Count(), 0);

    const tvDatabaseFieldDefinition* orderDate = column("Orders", 3);
    EXPECT_EQ(orderDate->databaseFieldDisplayName, u"Order date");
    EXPECT_EQ(orderDate->tableAliasName, u"Orders");
    EXPECT_EQ(orderDate->numberOfBytes, 8);
    EXPECT_FALSE(orderDate->value.isValid());

    const tvParameterFieldDefinition& smallest = report->tvParameters.Item("Smallest amount");
    EXPECT_EQ(smallest.numberOfDefaultValues, 3);
    EXPECT_EQ(smallest.value, QVariant(250.5));
    EXPECT_EQ(smallest.maximumValue, QVariant(100000.0));
    EXPECT_TRUE(smallest.nthValueDescription.isEmpty());
    const tvParameterFieldDefinition& period = report->tvParameters.Item("Order period");
    EXPECT_EQ(period.minimumValue, QVariant(QDate(2020, 1, 1)));
    EXPECT_EQ(period.discreteOrRangeKind, 1);

    const tvRunningTotalFieldDefinition& running = report->runningTotalFields.Item(1);
    EXPECT_EQ(running.resetGroupNumber, 1);
    EXPECT_EQ(running.resetCondition, 1);
    EXPECT_EQ(running.evaluateConditionField, nullptr);
    EXPECT_EQ(running.resetConditionField, nullptr);

    EXPECT_TRUE(report->tvSQLExpressionFields.Item(1).text.startsWith(u"EXTRACT(YEAR"));
    EXPECT_FALSE(report->tvSQLExpressionFields.Item(1).value.isValid());
}

TEST_F(FieldSample, SortFieldsAndAlerts) {
    EXPECT_EQ(report->tvGroupSortFields.Item(3).sortDirection, u"1");
    for (const tvSortField& sortField : report->tvRecordSortFields) {
        EXPECT_EQ(sortField.kind, 0);
        EXPECT_EQ(sortField.parent, report.get());
    }
    const tvReportAlert& large = report->reportAlerts.Item("Large order");
    EXPECT_TRUE(large.isEnabled);
    EXPECT_EQ(large.conditionForumla, u"{Orders.Amount} > 10000");
    EXPECT_EQ(large.defaultMessage, u"A large order");
    const tvReportAlert& old = report->reportAlerts.Item("Old order");
    EXPECT_FALSE(old.isEnabled);
    EXPECT_TRUE(old.messageFormula.isEmpty());
    EXPECT_TRUE(old.defaultMessage.isEmpty());
}
