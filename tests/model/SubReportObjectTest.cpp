#include <gtest/gtest.h>

#include "LogonPrompt.h"
#include "ObjectFixtures.h"
#include "tvFieldObject.h"
#include "tvReportStatistics.h"
#include "tvSubReportObject.h"
#include "tvTextObject.h"
#include "tvTypes.h"

namespace {

// A subreport object named `name` whose report has the Orders table (FieldFixtures.h) and a
// detail section with a field object and a text object on Orders.Amount; `extra` goes into the
// object before its report.
QByteArray subreport(const QByteArray& name, const QByteArray& extra = {},
                     const QByteArray& tableAttributes = {}) {
    QByteArray report = ordersWithObjects(
        "<FieldObject kind='1' field='1:Orders.Amount'/>"
        "<TextObject kind='2'><FieldElements><FieldElement field='1:Orders.Amount'/>"
        "</FieldElements></TextObject>");
    report.replace("<Table name=\"Orders\"", "<Table name=\"Orders\" " + tableAttributes);
    return "<SubreportObject kind='5' name='Object " + name + "' subreportName='" + name + "'>" +
           extra + report + "</SubreportObject>";
}

// A report with one section per area holding the given objects: report header, details,
// report footer.
QByteArray threeAreas(const QByteArray& header, const QByteArray& details, const QByteArray& footer,
                      const QByteArray& tableAttributes = {}) {
    const auto area = [](const char* kind, const char* name, const QByteArray& objects) {
        return "<Area kind='" + QByteArray(kind) + "' name='" + name +
               "'><Sections><Section>"
               "<ReportObjects>" +
               objects + "</ReportObjects></Section></Sections></Area>";
    };
    QByteArray report = ordersReport("<Areas>" + area("1", "RH", header) + area("4", "D", details) +
                                     area("8", "RF", footer) + "</Areas>");
    // The main report's table is the first; the subreports' follow.
    report.insert(report.indexOf("<Table name=\"Orders\"") + 7, tableAttributes + ' ');
    return "<Report><sqlQueryString>main</sqlQueryString>" + report.mid(8);
}

const tvSubReportObject& subreportAt(const tvReport& report, int area, int position = 1) {
    return objectAt<tvSubReportObject>(report, position, area);
}

}  // namespace

// Subreports are listed in the order the sections meet them, each once in its section and once
// in the report; each is named after its subreport and has a model of its own.
TEST(SubReportObject, LoadsEachSubreportIntoItsOwnModel) {
    const auto report = loadReport(threeAreas(subreport("Header one") + subreport("Header two"),
                                              "<FieldObject kind='1' field='1:Orders.Amount'/>",
                                              subreport("Header one")));
    ASSERT_EQ(report->subReports.Count(), 3);
    const tvSubReportObject* listed[] = {&subreportAt(*report, 1, 1), &subreportAt(*report, 1, 2),
                                         &subreportAt(*report, 3)};
    const char* names[] = {"Header one", "Header two", "Header one"};
    const tvIFieldDefinition* mainAmount = &report->tvDatabase->allFields.Item("Orders.Amount");
    EXPECT_EQ(objectAt<tvFieldObject>(*report, 1, 2).field, mainAmount);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const tvSubReportObject& object = *listed[i];
        EXPECT_EQ(&report->subReports.Item(i + 1), &object);
        const QString name = QString::fromLatin1(names[i]);
        EXPECT_EQ(object.objectName, name);
        EXPECT_EQ(object.subreportFormatting.subreportName, name);
        EXPECT_EQ(object.commonFormatting.name, QStringLiteral("Object ") + name);
        EXPECT_EQ(object.report->reportTitle, name);
        EXPECT_EQ(object.report->reportFileName, name);
        EXPECT_EQ(object.report->tvReportStatistics, nullptr);
        EXPECT_EQ(object.links.Count(), 0);
        EXPECT_EQ(object.report->subReports.Count(), 0);

        // Objects inside resolve within the subreport: a field of both reports is two
        // definitions.
        const tvIFieldDefinition* amount =
            &object.report->tvDatabase->allFields.Item("Orders.Amount");
        EXPECT_NE(amount, mainAmount);
        EXPECT_EQ(objectAt<tvFieldObject>(*object.report, 1).field, amount);
        EXPECT_EQ(objectAt<tvTextObject>(*object.report, 2).fieldElements.Item(1).fieldDefinition,
                  amount);
    }
    // Two objects of the same subreport each load their own model.
    EXPECT_NE(listed[0]->report.get(), listed[2]->report.get());
    EXPECT_EQ(liveRuntimeObjects(), 0);
}

TEST(SubReportObject, CopiesItsBagsAndFormulasInGroupOrder) {
    const auto report = loadReport(threeAreas(
        subreport("S",
                  "<ConditionFormula number='221'>tab</ConditionFormula>"
                  "<ConditionFormula number='180'>font</ConditionFormula>"
                  "<ConditionFormula number='46'>border</ConditionFormula>"
                  "<ConditionFormula number='60'>hide</ConditionFormula>")
            .replace("<SubreportObject ",
                     "<SubreportObject enableOnDemand='true' left='1' top='2' width='3' "
                     "height='4' canGrow='true' closeBorderonPageBreak='true' cssClass='s' "
                     "keepTogether='true' suppress='true' horizontalAlignment='2' "
                     "borderColor='255' topStyle='3' tightHorizontal='true' "),
        {}, {}));
    const tvSubReportObject& object = subreportAt(*report, 1);
    EXPECT_EQ(object.kind, tvSubReportObjectKind);
    EXPECT_EQ(object.parent, &report->tvAreas.Item(1).tvSections.Item(1));
    EXPECT_TRUE(object.subreportFormatting.enableOnDemand);
    expectPlace(object.position, 1, 2, 3, 4);
    const tvCommonFormatting& c = object.commonFormatting;
    EXPECT_EQ(c.canGrow, u"True");
    EXPECT_EQ(c.closeBorderonPageBreak, u"True");
    EXPECT_EQ(c.cssClass, u"s");
    EXPECT_EQ(c.keepTogether, u"True");
    EXPECT_EQ(c.suppress, u"True");
    EXPECT_EQ(c.horizontalAlignment, 0);  // not read for a subreport
    EXPECT_EQ(object.borderFormatting.borderColor, 255);
    EXPECT_EQ(object.borderFormatting.topStyle, u"3");
    EXPECT_TRUE(object.borderFormatting.tightHorizontal.isEmpty());
    EXPECT_EQ(formulaList(object.ConditionalFormulas),
              FormulaList({{"Enable Suppress: ", "hide"},
                           {"Border Color: ", "border"},
                           {"Font Color: ", "font"},
                           {"Drill Down Tab Text: ", "tab"}}));
}

// The object's links stay empty, whatever links the runtime holds.
TEST(SubReportObject, LinksStayEmptyWhateverTheRuntimeHolds) {
    const auto report = loadReport(threeAreas(
        {}, {},
        subreport("Linked",
                  "<Links><Link mainReportField='1:Orders.OrderID'>"
                  "<mainSubReportField kind='1' name='Orders.Quantity'/></Link></Links>")));
    EXPECT_EQ(subreportAt(*report, 3).links.Count(), 0);
}

// A cancelled logon in the main report clears the show-SQL flag of the load: the subreports
// loaded after it read no SQL, although their tables connect. Without the cancel they do.
TEST(SubReportObject, SubreportsTakeTheShowSqlFlagAsTheLoadLeftIt) {
    const QByteArray connecting = "connects='true'";
    const QByteArray refusing = "dllName='crdb_odbc.dll' logonUser='sa' logonPassword='pw'";
    for (const bool cancelled : {true, false}) {
        SCOPED_TRACE(cancelled);
        QByteArray inner = subreport("Sub", {}, connecting);
        inner.replace("<Report>", "<Report><sqlQueryString>sub</sqlQueryString>");
        const QByteArray xml = threeAreas(inner, {}, inner, cancelled ? refusing : connecting);
        int asked = 0;
        tvLoadingOptions options{1,
                                 0,
                                 [&](LogonPrompt& dialog) {
                                     ++asked;
                                     dialog.pressCancel();
                                 },
                                 {}};
        tvReport report;
        auto crReport = runtimeReport(xml);
        report.init(QStringLiteral("main.rpt"), options, crReport, false);

        EXPECT_EQ(asked, cancelled ? 1 : 0);
        EXPECT_EQ(report.sqlQueryString, cancelled ? QString() : QStringLiteral("main"));
        for (const tvSubReportObject& object : report.subReports) {
            EXPECT_EQ(object.report->sqlQueryString, cancelled ? QString() : QStringLiteral("sub"));
        }
        EXPECT_EQ(options.showSQL, cancelled ? 0 : 1);
        EXPECT_EQ(liveRuntimeObjects(), 0);
    }
}

// A subreport that cannot be opened or loaded fails the whole load; no runtime object outlives it.
TEST(SubReportObject, FailuresEndTheLoad) {
    expectFailingReadsEndTheLoad(
        threeAreas({}, {},
                   subreport("S",
                             "<Links><Link mainReportField='1:Orders.OrderID'>"
                             "<mainSubReportField kind='1' name='Orders.OrderID'/></Link>"
                             "</Links>")),
        {"SubreportObject.openSubreport", "SubreportObject.enableOnDemand",
         "TextObject.FieldElements", "FieldObject.suppressIfZero"});
    // A subreport object that holds no report.
    EXPECT_NE(loadError(threeAreas("<SubreportObject kind='5' subreportName='None'/>", {}, {})), 0);
    EXPECT_EQ(liveRuntimeObjects(), 0);
}
