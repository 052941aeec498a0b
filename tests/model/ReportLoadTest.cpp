#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "FaultyRuntime.h"
#include "TestSupport.h"
#include "tvArea.h"
#include "tvExportObject.h"
#include "tvPrinterObject.h"
#include "tvReportStatistics.h"
#include "tvTypes.h"

namespace {

const QByteArray kFullReport = R"(<?xml version="1.0" encoding="UTF-8"?>
<Report bottomMargin="720" canPerformGroupingOnServer="1" caseInsensitiveSQLData="true"
        convertDateTimeType="2" convertNullFieldToDefault="true" enableAsyncQuery="true"
        enableGeneratingDataForHiddenObject="true" enableParameterPrompting="true"
        enablePerformQueriesAsynchronously="true" enableSelectDistinctRecords="true"
        fieldMappingType="1" groupSelectionFormula="Sum({Orders.Amount}) &gt; 10"
        hasSavedData="true" keywordsInReport="sales, monthly" reportKind="3"
        lastGetFormulaSyntax="1" leftMargin="360" needUpdatedPages="true" numberOfGroups="2"
        performGroupingOnServer="true" reportAuthor="R. Dev" reportComments="Shown monthly"
        reportFormatStyle="0" reportSubject="Sales" reportTemplate="corp.rpt"
        reportTitle="Monthly Sales" rightMargin="540" savePreviewPicture="true" topMargin="1440"
        useIndexForSpeed="true" verifyOnEveryPrint="true"
        driver="winspool" PaperOrientation="2" PaperSize="256" PaperSource="7" PortName="LPT1:"
        PrintDate="2024-03-01T14:30:00" PrinterDuplex="3" printerName="Office Laser">
  <recordSelectionFormula>{Orders.Date} in LastFullMonth
and {Orders.Amount} &gt; 0</recordSelectionFormula>
  <Database/>
  <ExportOptions applicationFileName="app.exe" charFieldDelimeter=";" charStringDelimeter="'"
      destinationDLLName="u2ddisk.dll" destinationType="1" diskFileName="/tmp/out.pdf"
      excelAreaGroupNumber="2" excelAreaKind="4" excelConstantColumnWidth="9.25"
      excelConvertDateToString="true" excelExportAllPages="true" excelFirstPageNumber="3"
      excelLastPageNumber="9" excelPageBreaks="true" excelTabHasColumnHeadings="true"
      excelUseConstantColumnWidth="true" excelUseTabularFormat="true"
      excelUseWorksheetFunctions="true" exchangeDestinationType="1" exchangeFolderPath="Inbox"
      exchangeProfile="Ops" exchangePassword="secret" exchangePathHasColumnHeadings="true"
      formatDLLName="u2fpdf.dll" formatType="31" htmlEnableSeparatePages="true"
      htmlFileName="r.html" htmlHasPageNavigator="true" lotusDominoComments="c"
      lotusDominoDatabaseName="db.nsf" lotusNotesFormName="Memo" mailBccList="b@x"
      mailCcList="c@x" mailMessage="Attached" mailSubject="Report" mailToList="t@x"
      mailUserName="ops" numberOfLinesPerPage="60" odbcDataSourceName="dsn"
      odbcDataSourcePassword="pw" odbcDataSourceUserId="sa" odbcExportTableName="tbl"
      pdfExportAllPages="true" pdfFirstPageNumber="4" pdfLastPageNumber="8"
      rtfExportAllPages="true" rtfFirstPageNumber="5" rtfLastPageNumber="6"
      useDefaultCharactersPerInch="true" userDefinedCharactersPerInch="12"
      useReportDateFormat="true" useReportNumberFormat="true" wordWExportAllPages="false"
      wordWFirstPageNumber="2" wordWLastPageNumber="5" xmlAllowMultipleFiles="true"
      xmlFileName="r.xml"/>
  <Areas>
    <Area name="Detail" kind="4"/>
    <Area name="Footer" kind="8"/>
  </Areas>
</Report>
)";

struct Expectation {
    const char* member;
    std::function<QString(const tvReport&)> read;
    QString expected;
};

QString b(bool v) { return v ? QStringLiteral("true") : QStringLiteral("false"); }
QString n(qint64 v) { return QString::number(v); }

#define REPORT(m) #m, [](const tvReport& r) { return to(r.m); }
#define PRINTER(m) "printer." #m, [](const tvReport& r) { return to(r.tvPrinterObject->m); }
#define EXPORT(m) "export." #m, [](const tvReport& r) { return to(r.tvExportObject->m); }

QString to(bool v) { return b(v); }
QString to(qint16 v) { return n(v); }
QString to(qint32 v) { return n(v); }
QString to(double v) { return QString::number(v); }
QString to(const QString& v) { return v; }
QString to(const QDateTime& v) { return v.toString(Qt::ISODate); }

const std::vector<Expectation> kExpectations = {
    {REPORT(bottomMargin), "720"},
    {REPORT(canPerformGroupingOnServer), "1"},
    {REPORT(caseInsensitiveSQLData), "true"},
    {REPORT(convertDateTimeType), "2"},
    {REPORT(convertNullFieldToDefault), "true"},
    {REPORT(enableAsyncQuery), "true"},
    {REPORT(enableGeneratingDataForHiddenObject), "true"},
    {REPORT(enableParameterPrompting), "true"},
    {REPORT(enablePerformQueriesAsynchronously), "true"},
    {REPORT(enableSelectDistinctRecords), "true"},
    {REPORT(fieldMappingType), "1"},
    {REPORT(groupSelectionFormula), "Sum({Orders.Amount}) > 10"},
    {REPORT(hasSavedData), "true"},
    {REPORT(keywordsInReport), "sales, monthly"},
    {REPORT(reportKind), "3"},
    {REPORT(lastGetFormulaSyntax), "1"},
    {REPORT(leftMargin), "360"},
    {REPORT(needUpdatedPages), "true"},
    {REPORT(numberOfGroups), "2"},
    {REPORT(performGroupingOnServer), "true"},
    {REPORT(recordSelectionFormula), "{Orders.Date} in LastFullMonth\nand {Orders.Amount} > 0"},
    {REPORT(reportAuthor), "R. Dev"},
    {REPORT(reportComments), "Shown monthly"},
    {REPORT(reportFormatStyle), "0"},
    {REPORT(reportFileName), "monthly.rpt"},
    {REPORT(reportSubject), "Sales"},
    {REPORT(reportTemplate), "corp.rpt"},
    {REPORT(reportTitle), "Monthly Sales"},
    {REPORT(rightMargin), "540"},
    {REPORT(savePreviewPicture), "true"},
    {REPORT(sqlQueryString), ""},
    {REPORT(topMargin), "1440"},
    {REPORT(useIndexForSpeed), "true"},
    {REPORT(verifyOnEveryPrint), "true"},
    {REPORT(formulaSyntax), "0"},
    {PRINTER(driver), "winspool"},
    {PRINTER(PaperOrientation), "2"},
    {PRINTER(PaperSize), "256"},
    {PRINTER(PaperSource), "7"},
    {PRINTER(PortName), "LPT1:"},
    {PRINTER(PrintDate), "2024-03-01T14:30:00"},
    {PRINTER(PrinterDuplex), "3"},
    {PRINTER(printerName), "Office Laser"},
    {PRINTER(numberOfPages), ""},
    {EXPORT(applicationFileName), "app.exe"},
    {EXPORT(charFieldDelimeter), ";"},
    {EXPORT(charStringDelimeter), "'"},
    {EXPORT(destinationDLLName), "u2ddisk.dll"},
    {EXPORT(destinationType), "1"},
    {EXPORT(diskFileName), "/tmp/out.pdf"},
    {EXPORT(excelAreaGroupNumber), "2"},
    {EXPORT(excelAreaKind), "4"},
    {EXPORT(excelConstantColumnWidth), "9.25"},
    {EXPORT(excelConvertDateToString), "true"},
    {EXPORT(excelExportAllPages), "true"},
    {EXPORT(excelFirstPageNumber), "3"},
    {EXPORT(excelLastPageNumber), "9"},
    {EXPORT(excelPageBreaks), "true"},
    {EXPORT(excelTabHasColumnHeadings), "true"},
    {EXPORT(excelUseConstantColumnWidth), "true"},
    {EXPORT(excelUseTabularFormat), "true"},
    {EXPORT(excelUseWorksheetFunctions), "true"},
    {EXPORT(exchangeDestinationType), "1"},
    {EXPORT(exchangeFolderPath), "Inbox"},
    {EXPORT(exchangeProfile), "Ops"},
    // Never copied from the report, whatever it holds.
    {EXPORT(exchangePassword), ""},
    {EXPORT(exchangePathHasColumnHeadings), "false"},
    {EXPORT(odbcDataSourcePassword), ""},
    {EXPORT(formatDLLName), "u2fpdf.dll"},
    {EXPORT(formatType), "31"},
    {EXPORT(htmlEnableSeparatePages), "true"},
    {EXPORT(htmlFileName), "r.html"},
    {EXPORT(htmlHasPageNavigator), "true"},
    {EXPORT(lotusDominoComments), "c"},
    {EXPORT(lotusDominoDatabaseName), "db.nsf"},
    {EXPORT(lotusNotesFormName), "Memo"},
    {EXPORT(mailBccList), "b@x"},
    {EXPORT(mailCcList), "c@x"},
    {EXPORT(mailMessage), "Attached"},
    {EXPORT(mailSubject), "Report"},
    {EXPORT(mailToList), "t@x"},
    {EXPORT(mailUserName), "ops"},
    {EXPORT(numberOfLinesPerPage), "60"},
    {EXPORT(odbcDataSourceName), "dsn"},
    {EXPORT(odbcDataSourceUserId), "sa"},
    {EXPORT(odbcExportTableName), "tbl"},
    {EXPORT(pdfExportAllPages), "true"},
    {EXPORT(pdfFirstPageNumber), "4"},
    {EXPORT(pdfLastPageNumber), "8"},
    {EXPORT(rtfExportAllPages), "true"},
    {EXPORT(rtfFirstPageNumber), "5"},
    {EXPORT(rtfLastPageNumber), "6"},
    {EXPORT(useDefaultCharactersPerInch), "true"},
    {EXPORT(userDefinedCharactersPerInch), "12"},
    {EXPORT(useReportDateFormat), "true"},
    {EXPORT(useReportNumberFormat), "true"},
    {EXPORT(wordWExportAllPages), "False"},
    {EXPORT(wordWFirstPageNumber), "2"},
    {EXPORT(wordWLastPageNumber), "5"},
    {EXPORT(xmlAllowMultipleFiles), "true"},
    {EXPORT(xmlFileName), "r.xml"},
};

TEST(ReportLoad, EveryOptionPrinterAndExportValueIsCopied) {
    const auto report = loadReport(kFullReport, QStringLiteral("monthly.rpt"));
    for (const Expectation& e : kExpectations) {
        EXPECT_EQ(e.read(*report), e.expected) << e.member;
    }
    EXPECT_EQ(report->tvExportObject->parent, report.get());
    EXPECT_EQ(report->tvPrinterObject->parent, report.get());
    EXPECT_EQ(liveRuntimeObjects(), 0);
}

TEST(ReportLoad, ANewModelHoldsNothing) {
    tvReport report;
    EXPECT_EQ(report.tvPrinterObject->PaperSize, 0);
    EXPECT_EQ(report.tvPrinterObject->PrintDate, tvZeroDate());
    EXPECT_TRUE(report.tvExportObject->wordWExportAllPages.isEmpty());
    EXPECT_EQ(report.subReports.Count(), 0);
    EXPECT_EQ(report.specialVarFields.Count(), 0);
    EXPECT_EQ(report.getArea(QStringLiteral("Detail")), nullptr);
}

TEST(ReportLoad, AreasAreKeyedByName) {
    const auto report = loadReport(kFullReport);
    ASSERT_EQ(report->tvAreas.Count(), 2);
    EXPECT_EQ(&report->tvAreas.Item(QStringLiteral("FOOTER")), &report->tvAreas.Item(2));
    EXPECT_EQ(report->getArea(QStringLiteral("Footer")), &report->tvAreas.Item(2));
    EXPECT_EQ(report->getArea(QStringLiteral("footer")), nullptr);  // exact comparison
    EXPECT_EQ(report->getArea(QStringLiteral("Nowhere")), nullptr);

    // A second area of a name is a duplicate key: the load fails on it.
    QByteArray twice = kFullReport;
    twice.replace("<Area name=\"Footer\"", "<Area name=\"detail\"");
    try {
        loadReport(twice);
        FAIL();
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), rt::kErrDuplicateKey);
    }
}

TEST(ReportLoad, GetAreaReturnsTheLastMatch) {
    tvReport report;
    for (const char* name : {"A", "B", "A"}) {
        auto area = std::make_unique<tvArea>();
        area->name = QString::fromLatin1(name);
        report.tvAreas.Add(std::move(area));
    }
    EXPECT_EQ(report.getArea(QStringLiteral("A")), &report.tvAreas.Item(3));
}

TEST(ReportLoad, SubreportTakesItsNameAsTitleAndHasNoStatistics) {
    auto report = std::make_unique<tvReport>();
    auto crReport = runtimeReport(kFullReport);
    report->init(QStringLiteral("Sub1"), 0, 0, crReport, true);
    EXPECT_EQ(crReport, nullptr);
    EXPECT_EQ(report->reportTitle, QStringLiteral("Sub1"));
    EXPECT_EQ(report->reportFileName, QStringLiteral("Sub1"));
    EXPECT_EQ(report->tvReportStatistics, nullptr);
}

TEST(ReportLoad, PaperSizeOutOfRangeFailsWithEarlierPrinterValuesStored) {
    QByteArray xml = kFullReport;
    xml.replace("PaperSize=\"256\"", "PaperSize=\"40000\"");
    tvReport report;
    auto crReport = runtimeReport(xml);
    try {
        report.init(QStringLiteral("big.rpt"), 0, 0, crReport, false);
        FAIL() << "paper size 40000 was accepted";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), rt::kErrOverflow);
    }
    EXPECT_NE(crReport, nullptr);  // on a failure the caller's reference stays
    crReport.reset();
    EXPECT_EQ(report.tvPrinterObject->driver, QStringLiteral("winspool"));
    EXPECT_EQ(report.tvPrinterObject->PaperOrientation, 2);
    EXPECT_EQ(report.tvPrinterObject->PaperSize, 0);
    EXPECT_EQ(report.tvPrinterObject->parent, nullptr);
    EXPECT_EQ(report.tvExportObject->xmlFileName, QStringLiteral("r.xml"));  // read before
    EXPECT_EQ(report.tvAreas.Count(), 0);                                    // never reached
    EXPECT_EQ(liveRuntimeObjects(), 0);
}

TEST(ReportLoad, IntegerMembersOverflowAt16Bits) {
    for (const char* value : {"32768", "-32769", "70000"}) {
        QByteArray xml = kFullReport;
        xml.replace("reportKind=\"3\"", QByteArray("reportKind=\"") + value + "\"");
        EXPECT_THROW(loadReport(xml), rt::Error) << value;
    }
    QByteArray edge = kFullReport;
    edge.replace("reportKind=\"3\"", "reportKind=\"-32768\"");
    EXPECT_EQ(loadReport(edge)->reportKind, -32768);
}

TEST(ReportLoad, FailingReadsEndTheLoadExceptGroupingOnServer) {
    const FaultyRuntime faults({QStringLiteral("Report.canPerformGroupingOnServer"),
                                QStringLiteral("ExportOptions.mailSubject")});
    tvReport report;
    auto crReport = faults.wrap(runtimeReport(kFullReport));
    try {
        report.init(QStringLiteral("f.rpt"), 0, 0, crReport, false);
        FAIL();
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), rt::kErrRuntimeFailure);
    }
    crReport.reset();
    EXPECT_EQ(report.canPerformGroupingOnServer, 0);  // absorbed, the load went on
    EXPECT_EQ(report.reportTitle, QStringLiteral("Monthly Sales"));
    EXPECT_EQ(report.tvExportObject->mailMessage, QStringLiteral("Attached"));
    EXPECT_TRUE(report.tvExportObject->mailSubject.isEmpty());
    EXPECT_TRUE(report.tvExportObject->xmlFileName.isEmpty());
    EXPECT_EQ(report.tvExportObject->parent, nullptr);  // set after the failing step
    EXPECT_EQ(liveRuntimeObjects(), 0);
}

// The count that proves a load keeps no runtime object sees every object reached through the
// report, to any depth, for as long as it is held.
TEST(ReportLoad, TheCountOfRuntimeObjectsSeesEachOneHeld) {
    const long before = liveRuntimeObjects();
    {
        const auto crReport = runtimeReport(kFullReport);
        const auto database = crReport->object("Database");
        ASSERT_TRUE(database);
        const auto tables = database->collection("Tables");
        EXPECT_EQ(liveRuntimeObjects(), before + 3);
    }
    EXPECT_EQ(liveRuntimeObjects(), before);
}

TEST(ReportLoad, DocumentFailureMarksWork) {
    QByteArray xml = kFullReport;
    xml.replace("<Report ", "<Report fail=\"topMargin\" ");
    EXPECT_THROW(loadReport(xml), rt::Error);
    EXPECT_EQ(liveRuntimeObjects(), 0);
}

TEST(ReportLoad, FilesThatCannotBeOpenedGiveError911) {
    QTemporaryDir dir;
    const auto write = [&](const char* name, const QByteArray& bytes) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    };
    QStringList paths = {
        dir.filePath(QStringLiteral("missing.rpt")),
        write("empty.rpt", ""),
        write("text.rpt", "just some text"),
        write("broken.rpt", "<Report><Areas></Report>"),
        write("other.rpt", "<Invoice/>"),
        write("dtd.rpt",
              "<!DOCTYPE Report [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><Report>&x;</Report>"),
        dir.path(),  // a folder
    };
    const QDir real(testData(QStringLiteral("real-reports")));
    for (const QString& f : real.entryList({QStringLiteral("*.rpt")}, QDir::Files)) {
        paths << real.filePath(f);
    }
    ASSERT_GE(paths.size(), 13);
    for (const QString& path : paths) {
        tvReport report;
        try {
            report.init(path, 0, 0);
            ADD_FAILURE() << qPrintable(path) << " opened";
        } catch (const rt::Error& e) {
            EXPECT_EQ(e.number(), 911) << qPrintable(path);
            EXPECT_EQ(e.description(), QStringLiteral("Tavrin is unable to open this report"));
        }
        EXPECT_TRUE(report.reportTitle.isEmpty());
        EXPECT_EQ(liveRuntimeObjects(), 0) << qPrintable(path);
    }
}

// An empty file is named as such, not as a document that ends too soon.
TEST(ReportLoad, AnEmptyFileSaysThatItIsEmpty) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("empty.rpt"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    tvReport report;
    try {
        report.init(path, 0, 0);
        ADD_FAILURE() << "opened";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), 911);
        EXPECT_EQ(e.reason(), path + QStringLiteral(": the file is empty"));
    }
}

TEST(DesignDocument, RefusesWithTheReason) {
    try {
        rt::DesignDocument::parse("<Report>\n<Areas>\n</Report>", QStringLiteral("bad.xml"));
        FAIL();
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), rt::kErrBadDocument);
        EXPECT_TRUE(e.description().contains(QStringLiteral("bad.xml: line 3")))
            << qPrintable(e.description());
    }
}

TEST(DesignDocument, RefusesNestingBeyondAnyDesign) {
    QByteArray deep = "<Report>";
    for (int i = 0; i < 100000; ++i) deep += "<a>";
    try {
        rt::DesignDocument::parse(deep, QStringLiteral("deep.xml"));
        FAIL();
    } catch (const rt::Error& e) {
        EXPECT_TRUE(e.description().contains(QStringLiteral("nested")))
            << qPrintable(e.description());
    }
}

// An element with more attributes than any design gives one is refused with its line; equals
// signs in values, comments and character data are no attributes.
TEST(DesignDocument, RefusesAnElementWithMoreAttributesThanAnyDesign) {
    const auto attributes = [](int count) {
        QByteArray list;
        for (int i = 0; i < count; ++i) list += " a" + QByteArray::number(i) + "='='";
        return list;
    };
    const struct {
        const char* name;
        QByteArray xml;
        long line;  // of the refused element; 0 when the document is read
    } cases[] = {
        {"at the limit", "<Report" + attributes(1000) + "/>", 0},
        {"beyond it", "<Report>\n<!-- <a b=c> -->\n<x" + attributes(1001) + "/></Report>", 3},
        {"equals signs elsewhere",
         "<Report><!--" + QByteArray(5000, '=') + "--><t><![CDATA[" + QByteArray(5000, '=') +
             "]]></t><u v='" + QByteArray(5000, '=') + "'/></Report>",
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            rt::DesignDocument::parse(c.xml, QStringLiteral("wide.xml"));
            EXPECT_EQ(c.line, 0);
        } catch (const rt::Error& e) {
            EXPECT_EQ(e.number(), rt::kErrBadDocument);
            EXPECT_EQ(e.description(),
                      QStringLiteral("wide.xml: line %1: an element has more than 1000 attributes")
                          .arg(c.line));
        }
    }
}

TEST(DesignDocument, ValuesAndReferences) {
    const auto report =
        runtimeReport(R"(<Report a="0x80000005" big="40000" flag="-1" d="2024-02-29">
      <FormulaFields><FormulaField kind="2" name="Total"/></FormulaFields>
      <GroupNameFields><GroupNameField kind="5" name="Group #1" groupNumber="1"/></GroupNameFields>
      <Thing field="2:TOTAL" group="5:1" missing="2:Nope" bad="x"/>
      <longText>  two
 lines </longText>
    </Report>)");
    EXPECT_EQ(report->integer("a"), 0x80000005LL);
    EXPECT_EQ(report->integer("big"), 40000);
    EXPECT_TRUE(report->flag("flag"));
    EXPECT_EQ(report->dateTime("d"), QDateTime(QDate(2024, 2, 29), QTime(0, 0)));
    EXPECT_EQ(report->dateTime("none"), tvZeroDate());
    EXPECT_EQ(report->text("longText"), QStringLiteral("  two\n lines "));
    const auto thing = report->object("Thing");
    ASSERT_NE(thing, nullptr);
    EXPECT_EQ(thing->object("field")->text("name"), QStringLiteral("Total"));
    EXPECT_EQ(thing->object("group")->text("name"), QStringLiteral("Group #1"));
    EXPECT_EQ(thing->object("nothing"), nullptr);
    EXPECT_THROW(thing->object("missing"), rt::Error);
    EXPECT_THROW(thing->integer("bad"), rt::Error);
    EXPECT_EQ(report->collection("FormulaFields")->count(), 1);
    EXPECT_EQ(report->collection("Nothing")->count(), 0);
    EXPECT_THROW(report->collection("FormulaFields")->item(2), rt::Error);
}

// Elements of one tag in a row, with their attributes in other orders, other sets and shared or
// differing values: each reads its own, and a value set later is read back.
TEST(DesignDocument, ElementsOfOneTagReadTheirOwnAttributes) {
    const auto report = runtimeReport(R"(<Report><Items>
      <Item a="1" b="two" c="3"/>
      <Item a="4" b="two" c="6"/>
      <Item c="7" a="8" b="2"/>
      <Item a="9" b="two" c="3" d="10" fail="c"/>
      <Item a="11"/>
      <Item ab="12" ba="13" a=""/>
      <Item a="long text, not shared" b="long text, not shared"/>
    </Items></Report>)");
    const auto items = report->collection("Items");
    ASSERT_EQ(items->count(), 7);
    const auto read = [&](int position, const char* member) {
        try {
            return items->item(position)->text(member);
        } catch (const rt::Error&) {
            return QStringLiteral("(fails)");
        }
    };
    const struct {
        int position;
        const char* member;
        const char* text;
    } cases[] = {
        {1, "a", "1"},
        {1, "b", "two"},
        {1, "c", "3"},
        {1, "d", ""},
        {2, "a", "4"},
        {2, "c", "6"},
        {3, "a", "8"},
        {3, "b", "2"},
        {3, "c", "7"},
        {4, "c", "(fails)"},
        {4, "d", "10"},
        {4, "a", "9"},
        {5, "a", "11"},
        {5, "b", ""},
        {6, "ab", "12"},
        {6, "ba", "13"},
        {6, "a", ""},
        {6, "b", ""},
        {7, "a", "long text, not shared"},
        {7, "b", "long text, not shared"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.position << "." << c.member);
        EXPECT_EQ(read(c.position, c.member), QString::fromUtf8(c.text));
    }
    const auto fifth = items->item(5);
    fifth->setFlag("zz", true);
    fifth->setFlag("b", true);
    EXPECT_TRUE(fifth->flag("zz"));
    EXPECT_TRUE(fifth->flag("b"));
    EXPECT_EQ(fifth->integer("a"), 11);
}

// Short values are shared between elements as they are read: many distinct ones (more than are
// kept for sharing), ones that repeat among them, written with entities or outside ASCII, at and
// beyond the length that is shared, each read back as written.
TEST(DesignDocument, ShortValuesSharedBetweenElementsReadAsWritten) {
    const QStringList repeating{QStringLiteral("Arial"),        QStringLiteral("a&b"),
                                QStringLiteral("\u0E27\u0E34"), QStringLiteral("12345678"),
                                QStringLiteral("123456789"),    QStringLiteral(" ")};
    const auto escaped = [](QString text) { return text.replace(u'&', QStringLiteral("&amp;")); };
    constexpr int kItems = 10000;
    QString xml = QStringLiteral("<Report><Items>");
    for (int i = 0; i < kItems; ++i)
        xml += QStringLiteral("<Item n=\"F%1\" r=\"%2\" e=\"\"/>")
                   .arg(i)
                   .arg(escaped(repeating[i % repeating.size()]));
    xml += QStringLiteral("</Items></Report>");
    const auto report = runtimeReport(xml.toUtf8());
    const auto items = report->collection("Items");
    ASSERT_EQ(items->count(), kItems);
    for (int i = 0; i < kItems; i += 7) {
        SCOPED_TRACE(i);
        const auto item = items->item(i + 1);
        EXPECT_EQ(item->text("n"), QStringLiteral("F%1").arg(i));
        EXPECT_EQ(item->text("r"), repeating[i % repeating.size()]);
        EXPECT_EQ(item->text("e"), QString());
    }
}

// Numbers read as the general parser reads them, the plain ones included.
TEST(DesignDocument, NumbersAndFlagsReadAsWritten) {
    const struct {
        const char* value;
        qint64 number;  // -12345 where the read is a type mismatch
    } numbers[] = {
        {"0", 0},
        {"007", 7},
        {"-42", -42},
        {" 42 ", 42},
        {"+5", 5},
        {"-0", 0},
        {"0x1F", 31},
        {"999999999999999999", 999999999999999999LL},
        {"9223372036854775807", INT64_MAX},
        {"-9223372036854775808", INT64_MIN},
        {"9223372036854775808", -12345},
        {"-", -12345},
        {"4-2", -12345},
    };
    for (const auto& n : numbers) {
        SCOPED_TRACE(n.value);
        const auto report = runtimeReport("<Report v=\"" + QByteArray(n.value) + "\"/>");
        try {
            EXPECT_EQ(report->integer("v"), n.number);
        } catch (const rt::Error& e) {
            EXPECT_EQ(n.number, -12345) << qPrintable(e.description());
        }
    }
    const struct {
        const char* value;
        int flag;  // -1 where the read is a type mismatch
    } flags[] = {{"true", 1}, {"True", 1}, {"1", 1},    {"-1", 1},     {"false", 0}, {"FALSE", 0},
                 {"0", 0},    {"", 0},     {"yes", -1}, {"truer", -1}, {"tru", -1}};
    for (const auto& f : flags) {
        SCOPED_TRACE(f.value);
        const auto report = runtimeReport("<Report v=\"" + QByteArray(f.value) + "\"/>");
        try {
            EXPECT_EQ(report->flag("v") ? 1 : 0, f.flag);
        } catch (const rt::Error&) {
            EXPECT_EQ(f.flag, -1);
        }
    }
}

// A reference reaches the first declaration of its kind and name in its own report, whether
// the declaration stands before or after the element that refers to it; a subreport's
// references reach its own declarations, even with the same text as the main report's.
TEST(DesignDocument, ReferencesReachTheFirstDeclarationInTheirReport) {
    const auto report = runtimeReport(R"(<Report>
      <FormulaFields>
        <FormulaField kind="2" name="Total" text="first"/>
        <FormulaField kind="2" name="TOTAL" text="second"/>
      </FormulaFields>
      <Uses>
        <Use field="2:total"/>
        <Use field="2:Later"/>
        <Use field="6:Total"/>
        <Use field="2:Inner"/>
        <Use>
          <Report>
            <FormulaFields><FormulaField kind="2" name="Total" text="inner"/></FormulaFields>
            <Uses><Use field="2:Total"/><Use field="2:Later"/></Uses>
          </Report>
        </Use>
        <Use field="2:Total"/>
      </Uses>
      <ParameterFields><ParameterField kind="6" name="Total" text="parameter"/></ParameterFields>
      <More><FormulaField kind="2" name="Later" text="later"/></More>
    </Report>)");
    const auto uses = report->collection("Uses");
    const auto textOf = [](const rt::Object& use) {
        try {
            return use.object("field")->text("text");
        } catch (const rt::Error&) {
            return QStringLiteral("(none)");
        }
    };
    EXPECT_EQ(textOf(*uses->item(1)), QStringLiteral("first"));
    EXPECT_EQ(textOf(*uses->item(2)), QStringLiteral("later"));
    EXPECT_EQ(textOf(*uses->item(3)), QStringLiteral("parameter"));
    EXPECT_EQ(textOf(*uses->item(4)), QStringLiteral("(none)"));
    const auto inner = uses->item(5)->object("Report");
    ASSERT_NE(inner, nullptr);
    const auto innerUses = inner->collection("Uses");
    EXPECT_EQ(textOf(*innerUses->item(1)), QStringLiteral("inner"));
    EXPECT_EQ(textOf(*uses->item(6)), QStringLiteral("first"));
    EXPECT_EQ(textOf(*innerUses->item(2)), QStringLiteral("(none)"));
}

}  // namespace
