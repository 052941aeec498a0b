#include <gtest/gtest.h>

#include "ChartFixture.h"
#include "FieldFixtures.h"
#include "tvCrossTabObject.h"

namespace {

QByteArray group(const QByteArray& field, const QByteArray& values = {}) {
    return "<CrossTabGroup field='" + field + "' " + values + "/>";
}

// CrossTab1: two column groups, one row group and three summaries, the first and the last over
// the same field with the same operation.
QByteArray crossTab(const QByteArray& attributes = {}) {
    return "<CrossTabObject kind='8' name='CrossTab1' " + attributes +
           " left='10' top='20' width='5000' height='2000' columnGrandTotalColor='0xC0C0C0' "
           "rowGrandTotalColor='0x80000018'"
           " enableRepeatRowLabels='true' enableShowGrid='true' enableSuppressEmptyCols='true'"
           " enableKeepColumnsTogether='true'><ColumnGroups>" +
           group("1:Orders.Region",
                 "backgroundColor='0xFF' condition='2' enableSuppressLabel='true' "
                 "sortDirection='1'") +
           group("2:Amount", "enableSuppressSubtotal='true' sortDirection='-2'") +
           "</ColumnGroups><RowGroups>" + group("1:Orders.Region") + "</RowGroups>" +
           "<SummaryFields>" + summaryItem(0, "2:Amount") + summaryItem(6, "1:Orders.Region") +
           summaryItem(0, "2:Amount") + "</SummaryFields></CrossTabObject>";
}

}  // namespace

TEST(CrossTabObject, CopiesOptionsGroupsAndNamedSummaries) {
    const auto report = loadReport(ordersWithObjects(crossTab()));
    ASSERT_EQ(liveRuntimeObjects(), 0);
    const auto& x = objectAt<tvCrossTabObject>(*report, 1);

    EXPECT_EQ(x.kind, tvCrossTabObjectKind);
    EXPECT_EQ(x.objectName, u"CrossTab1");
    EXPECT_EQ(x.commonFormatting.name, u"CrossTab1");
    EXPECT_EQ(x.position.width, 5000);
    EXPECT_EQ(x.parent, &report->tvAreas.Item(1).tvSections.Item(1));
    EXPECT_TRUE(x.key.isEmpty());

    EXPECT_EQ(x.columnGrandTotalColor, 0xC0C0C0);
    EXPECT_EQ(x.rowGrandTotalColor, static_cast<qint32>(0x80000018u));
    EXPECT_TRUE(x.enableRepeatRowLabels);
    EXPECT_TRUE(x.enableShowGrid);
    EXPECT_TRUE(x.enableSuppressEmptyCols);
    EXPECT_TRUE(x.enableKeepColumnsTogether);
    EXPECT_FALSE(x.enableShowCellMargins);
    EXPECT_FALSE(x.enableSuppressColumnGrandTotals);
    EXPECT_FALSE(x.enableSuppressEmptyRows);
    EXPECT_FALSE(x.enableSuppressRowGrandTotals);

    // Groups in runtime order, each holding the report's own definition.
    tvIFieldDefinition* region = ordersColumn(*report, "Orders.Region");
    tvIFieldDefinition* amount = &report->tvFormulaFields.Item("Amount");
    ASSERT_EQ(x.columnGroups.Count(), 2);
    ASSERT_EQ(x.rowGroups.Count(), 1);
    const tvCrossTabGroup& first = x.columnGroups.Item(1);
    EXPECT_EQ(first.field, region);
    EXPECT_EQ(first.backgroundColor, 0xFF);
    EXPECT_EQ(first.condition, 2);
    EXPECT_TRUE(first.enableSuppressLabel);
    EXPECT_FALSE(first.enableSuppressSubtotal);
    EXPECT_EQ(first.sortDirection, 1);
    const tvCrossTabGroup& second = x.columnGroups.Item(2);
    EXPECT_EQ(second.field, amount);
    EXPECT_TRUE(second.enableSuppressSubtotal);
    EXPECT_EQ(second.sortDirection, -2);
    EXPECT_EQ(x.rowGroups.Item(1).field, region);
    for (const tvCrossTabGroups* groups : {&x.columnGroups, &x.rowGroups}) {
        for (const tvCrossTabGroup& g : *groups) {
            EXPECT_EQ(g.kind, 0);
            EXPECT_EQ(g.parent, &x);
        }
    }

    // Summaries named after the cross-tab and their position; equal summaries stay distinct,
    // and the report's own list does not take them.
    EXPECT_EQ(definitionNames(x.summaryFields),
              QStringList({"CrossTab1-1: Sum of Amount", "CrossTab1-2: Count of Orders.Region",
                           "CrossTab1-3: Sum of Amount"}));
    EXPECT_NE(&x.summaryFields.Item(1), &x.summaryFields.Item(3));
    EXPECT_EQ(x.summaryFields.Item(1).summarizedField, amount);
    EXPECT_EQ(x.summaryFields.Item(3).summarizedField, amount);
    EXPECT_EQ(x.summaryFields.Item(2).parent, report.get());
    EXPECT_EQ(report->tvSummaryFieldDefinitions.Count(), 0);
}

// An item that is no object is passed over; the summaries keep the numbers of their runtime
// positions.
TEST(CrossTabObject, SkipsItemsThatAreNoObject) {
    const auto report =
        loadWithFaults(ordersWithObjects(crossTab()),
                       {"CrossTabObject.SummaryFields:2", "CrossTabObject.ColumnGroups:1",
                        "CrossTabObject.RowGroups:1"});
    EXPECT_EQ(liveRuntimeObjects(), 0);
    const auto& x = objectAt<tvCrossTabObject>(*report, 1);
    EXPECT_EQ(definitionNames(x.summaryFields),
              QStringList({"CrossTab1-1: Sum of Amount", "CrossTab1-3: Sum of Amount"}));
    ASSERT_EQ(x.columnGroups.Count(), 1);
    EXPECT_EQ(x.columnGroups.Item(1).field, &report->tvFormulaFields.Item("Amount"));
    EXPECT_EQ(x.rowGroups.Count(), 0);
}

TEST(CrossTabObject, WithoutGroupsAndSummaries) {
    const auto report = loadReport(
        ordersWithObjects("<CrossTabObject kind='8' name='Empty' enableShowCellMargins='1'/>"));
    const auto& x = objectAt<tvCrossTabObject>(*report, 1);
    EXPECT_EQ(x.columnGroups.Count() + x.rowGroups.Count() + x.summaryFields.Count(), 0);
    EXPECT_TRUE(x.enableShowCellMargins);
    EXPECT_TRUE(x.ConditionalFormulas.isEmpty());
}

// Only the list of cross-tabs makes objects with a key, and it keeps no key of its own.
TEST(CrossTabObject, ListMakesItsOwnItems) {
    tvCrossTabObjects list;
    tvCrossTabObject* made = list.Add(QStringLiteral("first"));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->key, u"first");
    EXPECT_EQ(made->kind, tvCrossTabObjectKind);
    EXPECT_EQ(&list.Item(1), made);
    EXPECT_EQ(list.Find(QStringLiteral("first")), nullptr);
    list.Add(QStringLiteral("first"));
    EXPECT_EQ(list.Count(), 2);
}

// A failing read, a code beyond 16 bits, a group without a field or a summary over an unknown
// field fails the load, and leaves no runtime object behind.
TEST(CrossTabObject, FailuresFailTheLoad) {
    struct Case {
        QByteArray objects;
        long error;
    };
    const Case cases[] = {
        {crossTab("fail='enableShowGrid'"), rt::kErrRuntimeFailure},
        {crossTab("fail='SummaryFields'"), rt::kErrRuntimeFailure},
        {"<CrossTabObject kind='8' rowGrandTotalColor='0x100000000'/>", rt::kErrOverflow},
        {"<CrossTabObject kind='8'><RowGroups>" + group("1:Orders.Region", "condition='40000'") +
             "</RowGroups></CrossTabObject>",
         rt::kErrOverflow},
        {"<CrossTabObject kind='8'><RowGroups><CrossTabGroup/></RowGroups></CrossTabObject>",
         rt::kErrObjectRequired},
        {"<CrossTabObject kind='8'><SummaryFields>" + summaryItem(0, "2:Unknown") +
             "</SummaryFields></CrossTabObject>",
         rt::kErrRuntimeFailure},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.objects.toStdString());
        EXPECT_EQ(loadError(ordersWithObjects(c.objects)), c.error);
        EXPECT_EQ(liveRuntimeObjects(), 0);
    }
}
