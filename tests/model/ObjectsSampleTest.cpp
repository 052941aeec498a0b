#include <gtest/gtest.h>

#include <QFile>

#include "ObjectFixtures.h"
#include "tvBoxObject.h"
#include "tvFieldObject.h"
#include "tvLineObject.h"
#include "tvSubReportObject.h"
#include "tvTextObject.h"

namespace {

QString samplePath() { return sampleReport(QStringLiteral("objects.xml")); }

// Each object of a section: its name and, for a field object, its value formattings.
QStringList describe(const tvSection& section) {
    QStringList lines;
    for (const tvIReportObject& object : section.reportObjects) {
        QString line = object.objectName;
        if (const auto* field = dynamic_cast<const tvFieldObject*>(&object)) {
            line += u':';
            if (field->timeFormatting) line += u'T';
            if (field->dateFormatting) line += u'D';
            if (field->booleanFormatting) line += u'B';
            if (field->currencyFormatting) line += u'C';
            if (field->dateTimeFormatting) line += u'X';
            if (field->numberFormatting) line += u'N';
            if (field->paragraphFormatting) line += u'P';
        }
        if (object.kind == tvLineObjectKind || object.kind == tvBoxObjectKind) {
            line += QStringLiteral(" %1x%2").arg(object.position.width).arg(object.position.height);
        }
        lines << line;
    }
    return lines;
}

const tvSection& sectionOf(const tvReport& report, int area) {
    return report.tvAreas.Item(area).tvSections.Item(1);
}

}  // namespace

TEST(ObjectsSample, LoadsEveryObjectKindAndBothSubreports) {
    tvReport report;
    loadReportFile(report, samplePath());
    EXPECT_EQ(liveRuntimeObjects(), 0);

    EXPECT_EQ(describe(sectionOf(report, 1)),
              QStringList({"Orders with customers and returns", "Top customers"}));
    EXPECT_EQ(describe(sectionOf(report, 2)),
              QStringList({"Order", "Date", "Amount", "Horizontal Line 10800x0"}));
    // Box and line run from the group header through the details to the group footer.
    EXPECT_EQ(
        describe(sectionOf(report, 3)),
        QStringList({QStringLiteral("Box 10800x%1").arg((480 - 60) + 300 + 2 * 55 + 300),
                     QStringLiteral("Vertical Line 0x%1").arg((480 - 120) + 300 + 2 * 60 + 240),
                     "Region"}));
    EXPECT_EQ(
        describe(sectionOf(report, 4)),
        QStringList({"Orders.OrderID:N", "Orders.OrderDate:TDX", "Orders.Amount:C",
                     "Orders.Quantity:N", "Orders.Paid:B", "Orders.DueDate:D", "Orders.ShipTime:T",
                     "Orders.Notes:P", "Orders.OrderIDOrders.OrderDate"}));
    EXPECT_EQ(describe(sectionOf(report, 5)), QStringList({"Sum of Orders.Amount:C"}));
    EXPECT_EQ(describe(sectionOf(report, 6)), QStringList({"PageNumberTotalPageCount"}));
    EXPECT_EQ(describe(sectionOf(report, 7)), QStringList({"Box 10800x2400", "Returns by region"}));

    ASSERT_EQ(report.subReports.Count(), 2);
    const tvSubReportObject& customers = report.subReports.Item(1);
    const tvSubReportObject& returns = report.subReports.Item(2);
    EXPECT_EQ(&customers, &objectAt<tvSubReportObject>(report, 2, 1));
    EXPECT_EQ(&returns, &objectAt<tvSubReportObject>(report, 2, 7));
    EXPECT_EQ(customers.report->reportTitle, u"Top customers");
    EXPECT_EQ(returns.report->reportFileName, u"Returns by region");
    EXPECT_EQ(captions(customers.ConditionalFormulas),
              std::vector<std::string>({"Enable Suppress: ", "Supreport Caption: "}));

    // Orders.Amount is a column of both reports, with a definition in each.
    const tvIFieldDefinition* mainAmount = &report.tvDatabase->allFields.Item("Orders.Amount");
    const tvIFieldDefinition* subAmount =
        &customers.report->tvDatabase->allFields.Item("Orders.Amount");
    EXPECT_NE(mainAmount, subAmount);
    EXPECT_EQ(objectAt<tvFieldObject>(report, 3, 4).field, mainAmount);
    EXPECT_EQ(describe(sectionOf(*customers.report, 2)),
              QStringList({"Customers.Name:P", "Orders.Amount:C", "Customers.NameOrders.Amount"}));
    EXPECT_EQ(objectAt<tvTextObject>(*customers.report, 3, 2).fieldElements.Item(2).fieldDefinition,
              subAmount);
    EXPECT_EQ(describe(sectionOf(*returns.report, 1)),
              QStringList({"Returns.ReturnDate:D", "Vertical Line 0x300", "Returns.Refund:C"}));

    EXPECT_EQ(returns.links.Count(), 0);  // the runtime's links are not copied
}

// A read that fails in any object of the sample, in the main report or a subreport, ends the
// load, and the runtime objects of the load are gone all the same.
TEST(ObjectsSample, FailingLoadKeepsNoRuntimeObject) {
    QFile file(samplePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    expectFailingReadsEndTheLoad(file.readAll(),
                                 {"FieldObject.dateWindowsDefaultType", "FieldElement.order",
                                  "TextObject.text", "LineObject.bottom", "BoxObject.endSection",
                                  "Section.sectionName", "SubreportObject.openSubreport"});
}
