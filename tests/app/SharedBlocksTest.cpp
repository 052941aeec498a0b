#include <gtest/gtest.h>

#include <QLocale>
#include <algorithm>
#include <functional>
#include <memory>

#include "CollectingLineSink.h"
#include "DetailFailures.h"
#include "ObjectDetailWriter.h"
#include "ScopedTimeZone.h"
#include "SharedBlocks.h"
#include "TestSupport.h"
#include "tvArea.h"
#include "tvExportObject.h"
#include "tvGroupNameField.h"
#include "tvIReportObject.h"
#include "tvReportStatistics.h"
#include "tvSection.h"
#include "tvTypes.h"

using namespace tav::doctext;

namespace {

// Every line written to it, with its role and level.
struct Line {
    LineRole role;
    LineKind kind;
    QString text;
    qint32 level;
};
class RecordingWriter final : public LineSink {
public:
    void WriteDetails(LineRole role, LineKind kind, const QString& text, const QString&,
                      qint32 level) override {
        lines.push_back({role, kind, text, level});
    }
    std::vector<Line> lines;
};

// A recording sink for each writer's blocks.
class SharedBlocks : public ::testing::Test {
protected:
    RecordingWriter text_;
    RecordingWriter word_;
};

TEST_F(SharedBlocks, SummaryBlockWithAndWithoutStatistics) {
    const auto report = loadReport(R"(<Report reportTitle="T" fieldMappingType="1"
        reportFormatStyle="3"><Database/><ExportOptions/></Report>)");
    WriteSummaryInformation(*report, word_);
    const std::vector<Line> with = word_.lines;
    ASSERT_EQ(with.size(), 55u);
    EXPECT_TRUE(text_.lines.empty());
    EXPECT_EQ(with[0].text, QStringLiteral("Title = T"));
    EXPECT_EQ(with[0].role, LineRole::Label);
    EXPECT_EQ(with[0].level, 2);
    EXPECT_EQ(with[7].text, QStringLiteral("Report Statistics"));
    EXPECT_EQ(with[7].role, LineRole::Title);
    EXPECT_EQ(with[7].level, 1);
    EXPECT_EQ(with[23].text, with[27].text);  // the field mapping line, twice
    EXPECT_EQ(with[23].text, QStringLiteral("Field Mapping Type = Prompt Field Mapping"));
    EXPECT_EQ(with[24].text, QStringLiteral("Formula Syntax = Crystal Syntax"));
    EXPECT_EQ(with[28].text, QStringLiteral("Formula Syntax Type = Crystal Syntax"));
    for (const Line& line : with) EXPECT_EQ(line.kind, LineKind::Caption);

    word_.lines.clear();
    report->tvReportStatistics.reset();  // a subreport's model has none
    WriteSummaryInformation(*report, word_);
    const std::vector<Line>& without = word_.lines;
    ASSERT_EQ(without.size(), 47u);
    EXPECT_TRUE(without[6].text.isEmpty());  // the blank line before the options stays
    EXPECT_EQ(without[6].role, LineRole::Label);
    EXPECT_EQ(without[7].text, QStringLiteral("Report Options"));
    EXPECT_TRUE(without.back().text.isEmpty());
}

TEST_F(SharedBlocks, SummaryBlockFailsOnAFormatStyleThatIsNoNumber) {
    const auto report = loadReport("<Report><Database/><ExportOptions/></Report>");
    report->reportFormatStyle = QStringLiteral("Table");
    QString error;
    EXPECT_FALSE(WriteSummaryInformation(*report, text_, &error));
    EXPECT_EQ(error, QStringLiteral("Type mismatch"));
}

TEST_F(SharedBlocks, ExportBlockListsTheOptionsThatAreSet) {
    struct Case {
        std::function<void(tvExportObject&)> set;
        const char* expected;
    };
    const Case cases[] = {
        {[](tvExportObject&) {}, ""},
        {[](tvExportObject& e) {
             e.htmlFileName = QStringLiteral("a.htm");
             e.htmlHasPageNavigator = true;
         },
         "HTML File Name = a.htm, HTML Has Page Navigator = True"},
        {[](tvExportObject& e) { e.destinationType = 1; }, "Destination Type = 1"},
        {[](tvExportObject& e) {
             e.excelConstantColumnWidth = 0.1;
             e.pdfLastPageNumber = -2;
             e.wordWExportAllPages = QStringLiteral("True");
             e.wordWLastPageNumber = QStringLiteral("7");
             e.xmlFileName = QStringLiteral("x, y.xml");
         },
         "Excel Constant Column Width = 0.1, PDF Last Page Number = -2, Word Export All Pages = "
         "True, Word Last Page Number = 7, XML File Name = x, y.xml"},
    };
    for (const Case& c : cases) {
        const auto report = loadReport("<Report><Database/><ExportOptions/></Report>");
        c.set(*report->tvExportObject);
        text_.lines.clear();
        WriteExportInformation(*report, text_);
        ASSERT_EQ(text_.lines.size(), 2u);
        EXPECT_EQ(text_.lines[0].text, QString::fromUtf8(c.expected));
        EXPECT_EQ(text_.lines[0].level, 2);
        EXPECT_EQ(text_.lines[0].role, LineRole::Label);
        EXPECT_TRUE(text_.lines[1].text.isEmpty());
    }
}

TEST(SharedBlocksSections, LetterSuffixes) {
    const std::pair<qsizetype, const char*> cases[] = {
        {1, "a"},   {2, "b"},    {26, "z"},    {27, "aa"},   {28, "ab"}, {52, "az"},
        {53, "ba"}, {702, "zz"}, {703, "aaa"}, {704, "aab"}, {0, ""},    {-3, ""},
    };
    for (const auto& [n, suffix] : cases) {
        EXPECT_EQ(GetSectionLetterSuffix(n), QString::fromLatin1(suffix)) << n;
    }
}

TEST(SharedBlocksSections, DisplayNamesAndFlags) {
    const auto report = loadReport(R"(<Report><Database/><ExportOptions/><Areas>
        <Area kind="4" name="D"><Sections>
          <Section suppress="true" suppressIfBlank="true" minimumHeight="720" keepTogether="true"
                   backColor="-1"/>
          <Section minimumHeight="1440" backColor="0xFF" cssClass="c" underlaySection="true"
                   printAtBottom="true"/>
        </Sections></Area>
        <Area kind="5" name="F" groupNumber="3"><Sections>
          <Section suppress="true" minimumHeight="360" backColor="-1" newPageBefore="true"
                   newPageAfter="true" resetPageNumAfter="true"/>
        </Sections></Area>
        <Area kind="3" name="H" groupNumber="1"><Sections><Section/><Section/></Sections></Area>
      </Areas></Report>)");
    EXPECT_EQ(GetSectionDisplayName(*report, 1, 1), QStringLiteral("Detaila"));
    EXPECT_EQ(GetSectionDisplayName(*report, 1, 2), QStringLiteral("Detailb"));
    EXPECT_EQ(GetSectionDisplayName(*report, 2, 1), QStringLiteral("Group Footer #3"));
    EXPECT_EQ(GetSectionDisplayName(*report, 3, 1), QStringLiteral("Group Header #1a"));
    EXPECT_EQ(errorOf([&] { GetSectionDisplayName(*report, 4, 1); }), rt::kErrSubscript);

    const auto section = [&](int area, int number) -> const tvSection& {
        return report->tvAreas.Item(area).tvSections.Item(number);
    };
    EXPECT_EQ(GetSectionFlagsText(section(1, 1)),
              QStringLiteral("Suppress if blank, Height = 0.5, Keep Together"));
    EXPECT_EQ(GetSectionFlagsText(section(1, 2)),
              QStringLiteral("Height = 1, Print at Bottom, Underlay Section , "
                             "Background Color=Red, CssClass = c"));
    // 360 twips are a quarter inch: to one place, halves go to the even neighbour.
    EXPECT_EQ(GetSectionFlagsText(section(2, 1)),
              QStringLiteral("Suppressed, Height = 0.2, New Page Before, New Page After, "
                             "Reset Page Number After"));
    EXPECT_EQ(GetSectionFlagsText(section(3, 1)),
              QStringLiteral("Height = 0, Background Color=Black"));
}

TEST(SharedBlocksReports, ReportOrSubreportAndGroupFormulas) {
    const auto report = loadReport(R"(<Report reportTitle="Main"><Database/><ExportOptions/>
      <GroupNameFields>
        <GroupNameField kind="5" groupNumber="1" groupNameFieldName="G" groupNameConditionFormula="f"/>
      </GroupNameFields>
      <Areas><Area kind="1" name="R"><Sections><Section><ReportObjects>
        <SubreportObject kind="5" subreportName="Inner"><Report><Database/><ExportOptions/></Report>
        </SubreportObject>
      </ReportObjects></Section></Sections></Area></Areas></Report>)");
    EXPECT_EQ(answered(GetReportOrSubreport(*report, 0)), report.get());
    EXPECT_EQ(answered(GetReportOrSubreport(*report, 1)).value()->reportTitle,
              QStringLiteral("Inner"));
    EXPECT_EQ(errorOf([&] { GetReportOrSubreport(*report, 2); }), rt::kErrSubscript);
    EXPECT_EQ(GetGroupNameConditionFormula(*report, 1), QStringLiteral("f"));
    EXPECT_EQ(errorOf([&] { GetGroupNameConditionFormula(*report, 2); }), rt::kErrSubscript);
    EXPECT_EQ(GetFieldDefinitionName(nullptr), QString());
    EXPECT_EQ(GetFieldDefinitionName(&report->tvGroupNameFields.Item(1)), QString());
}

// The documentation gives a line or box that ends above its own section, or in a section its
// report does not list, the height it measures across the sections.
TEST(SharedBlocksReports, LinesAndBoxesEndingAboveOrOutsideTheListAreDocumentedWithTheirSize) {
    const struct {
        const char* object;
        const char* size;
    } cases[] = {
        {"<LineObject kind='3' left='0' right='0' top='100' bottom='110' endSection='A'/>",
         "Size=(0 x 0.31)"},
        {"<BoxObject kind='4' left='0' right='1440' top='100' bottom='110' endSection='A'/>",
         "Size=(1 x 0.39)"},
        {"<LineObject kind='3' left='0' right='0' top='100' bottom='110' endSection='Nope'/>",
         "Size=(0 x 0.27)"},
        {"<BoxObject kind='4' left='0' right='1440' top='100' bottom='110' endSection='Nope'/>",
         "Size=(1 x 0.64)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.object);
        const auto report = loadReport(
            "<Report><Database/><ExportOptions/><Areas><Area kind='1' name='RH'><Sections>"
            "<Section sectionName='A' height='400'/></Sections></Area><Area kind='4' name='D'>"
            "<Sections><Section sectionName='B' height='500'><ReportObjects>" +
            QByteArray(c.object) +
            "</ReportObjects></Section><Section sectionName='C' height='300'/></Sections></Area>"
            "</Areas></Report>");
        const QString details =
            answered(GetObjectDetailsText(report->tvAreas.Item(2).tvSections.Item(1), 1, 1))
                .value_or(QString());
        EXPECT_TRUE(details.contains(QLatin1String(c.size))) << details.toStdString();
    }
}

TEST(SharedBlocksReports, ObjectDetailsTextRunsTheLinesTogether) {
    const auto report = loadReport(R"(<Report><Database/><ExportOptions/><Areas>
      <Area kind="4" name="D"><Sections><Section><ReportObjects>
        <OlapGridObject kind="11" left="720" top="1440" width="2880" height="240"
                        backgroundColor="-1"/>
      </ReportObjects></Section></Sections></Area></Areas></Report>)");
    const tvSection& section = report->tvAreas.Item(1).tvSections.Item(1);
    EXPECT_EQ(answered(GetObjectDetailsText(section, 1, 4)),
              QStringLiteral("    4, OLAP Grid: Position=(0.5, 1), Size=(2 x 0.17)"
                             "      Border: None"
                             "      Common: Close Border on Page Break = False, Keep Together = "
                             "False, Suppress = False, Suppress Embedded = False, Suppress if "
                             "Duplicated = False"));
    EXPECT_EQ(errorOf([&] { GetObjectDetailsText(section, 2, 0); }), rt::kErrSubscript);
}

// The general date form of the locale: the short date, the long time without a zone unless it
// is midnight, the time alone on day zero.
TEST(SharedBlocksDates, GeneralDateFollowsTheLocale) {
    const QDateTime afternoon(QDate(2006, 12, 9), QTime(14, 5, 9));
    const QDateTime midnight(QDate(2006, 12, 9), QTime(0, 0));
    const QDateTime dayZero(QDate(1899, 12, 30), QTime(8, 30));
    struct Case {
        QLocale locale;
        const char* afternoon;
        const char* midnight;
        const char* dayZero;
        const char* zero;
    };
    const Case cases[] = {
        {QLocale(QLocale::English, QLocale::UnitedStates), "12/9/06 2:05:09 PM", "12/9/06",
         "8:30:00 AM", "12:00:00 AM"},
        {QLocale(QLocale::German, QLocale::Germany), "09.12.06 14:05:09", "09.12.06", "08:30:00",
         "00:00:00"},
    };
    for (const Case& c : cases) {
        QLocale::setDefault(c.locale);
        EXPECT_EQ(FormatGeneralDate(afternoon), QString::fromUtf8(c.afternoon));
        EXPECT_EQ(FormatGeneralDate(midnight), QString::fromUtf8(c.midnight));
        EXPECT_EQ(FormatGeneralDate(dayZero), QString::fromUtf8(c.dayZero));
        EXPECT_EQ(FormatGeneralDate(tvZeroDate()), QString::fromUtf8(c.zero));
        EXPECT_EQ(FormatGeneralDate(QDateTime()), QString());
    }
    QLocale::setDefault(QLocale::system());
}

// The zone leaves with its brackets and the comma or blank before it, wherever the locale puts
// it; a day period that Qt cannot write becomes its AM or PM.
TEST(SharedBlocksDates, TheTimeZoneLeavesWithWhatFramesIt) {
    const QDateTime morning(QDate(2024, 2, 20), QTime(8, 5));
    struct Case {
        const char* locale;
        const char* text;
    };
    const Case cases[] = {
        {"ca_ES", "20/2/24 8:05:00"},
        {"eu_ES", "24/2/20 08:05:00"},
        {"be_BY", "20.02.24 08:05:00"},
        {"sq_AL", "20.2.24 8:05:00 E PARADITES"},
        {"nds_DE", "20.02.24 Klock 8.05:00"},
        {"zh_TW", "2024/2/20 上午8:05:00"},
        {"yue_HK", "2024/2/20 上午8:05:00"},
        {"zh_HK", "20/2/2024 上午8:05:00"},
        {"my_MM", "၂၀-၀၂-၂၄ ၀၈:၀၅:၀၀"},
        {"fa_IR", "۲۰۲۴/۲/۲۰ ۸:۰۵:۰۰"},
        {"en_US", "2/20/24 8:05:00 AM"},
        // The locale's own words next to the zone keep every letter, mark and full stop.
        {"bg_BG", "20.02.24 г. 8:05:00 ч."},
        {"th_TH", "20/2/24 8 นาฬิกา 05 นาที 00 วินาที"},
        {"lo_LA", "20/2/2024 8 ໂມງ 5 ນາທີ 00 ວິນາທີ"},
        {"da_DK", "20.02.2024 08.05.00"},
        {"nus_SS", "20/02/2024 8:05:00 RW"},
    };
    for (const Case& c : cases) {
        QLocale::setDefault(QLocale(QString::fromLatin1(c.locale)));
        EXPECT_EQ(FormatGeneralDate(morning), QString::fromUtf8(c.text)) << c.locale;
    }
    QLocale::setDefault(QLocale::system());
}

// Over every locale Qt knows: the time without its zone is the locale's long time less one
// piece, the zone with only blanks, commas or brackets around it; nothing else goes.
TEST(SharedBlocksDates, EveryLocaleLosesOnlyTheZoneFromItsLongTime) {
    const ScopedTimeZone utc("UTC");
    const QDateTime morning(QDate(1899, 12, 30), QTime(8, 5));
    const auto framing = [](QChar c) {
        return c.isSpace() || c == u',' || c == u'(' || c == u')' || c == u'[' || c == u']';
    };
    for (const QLocale& locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                          QLocale::AnyTerritory)) {
        // A day period Qt cannot write ("B") is written as AM or PM, with or without the zone.
        const QString format =
            locale.timeFormat(QLocale::LongFormat).replace(u'B', QStringLiteral("AP"));
        const QString full = locale.toString(morning.time(), format);
        const QString zone = locale.toString(morning.time(), QStringLiteral("t"));
        QLocale::setDefault(locale);
        const QString kept = FormatGeneralDate(morning);
        ASSERT_LT(kept.size(), full.size()) << locale.name().toStdString();
        qsizetype prefix = 0;
        while (prefix < kept.size() && kept[prefix] == full[prefix]) ++prefix;
        const qsizetype suffix = kept.size() - prefix;
        const QString gone = full.sliced(prefix, full.size() - kept.size());
        EXPECT_EQ(full.sliced(full.size() - suffix), kept.sliced(prefix))
            << locale.name().toStdString();
        EXPECT_EQ(kept.trimmed(), kept) << locale.name().toStdString();
        EXPECT_TRUE(gone.contains(zone) &&
                    std::all_of(gone.begin(), gone.end(),
                                [&](QChar c) { return framing(c) || zone.contains(c); }))
            << locale.name().toStdString() << ": " << full.toStdString() << " became "
            << kept.toStdString();
    }
    QLocale::setDefault(QLocale::system());
}

// An object of a kind that no writer knows.
class UnknownObject final : public tvIReportObject {
public:
    explicit UnknownObject(qint16 kind) : tvIReportObject(kind) {}
    void init(const rt::Object&, tvSection&) override {}
};

TEST(ObjectDetails, PositionsConditionalFormulasAndUnknownKinds) {
    tvPosition position;
    position.left = 720;
    position.top = 1440;
    position.width = 4500;  // 3.125 inches: halves go to the even neighbour
    position.height = 36;
    EXPECT_EQ(PositionText(position), QStringLiteral("Position=(0.5, 1), Size=(3.12 x 0.02)"));

    CollectingLineSink sink;
    ObjectDetailWriter writer;
    writer.init(sink);
    tvConditionalFormulas formulas;
    writer.WriteConditionalFormulas(formulas);
    EXPECT_EQ(sink.getDetails(), QString());
    auto formula = std::make_unique<tvConditionalFormula>();
    formula->conditionalFieldName = QStringLiteral("Enable Suppress:");
    formula->conditionalFormulaText = QStringLiteral("true");
    formulas.Add(std::move(formula));
    writer.WriteConditionalFormulas(formulas);
    EXPECT_EQ(sink.getDetails(),
              QStringLiteral("      Conditional Formulas:       Enable Suppress: true"));

    tvSection section;
    section.reportObjects.Add(std::make_unique<UnknownObject>(0));
    section.reportObjects.Add(std::make_unique<UnknownObject>(12));
    EXPECT_EQ(answered(GetObjectDetailsText(section, 1, 0)), QString());
    EXPECT_EQ(answered(GetObjectDetailsText(section, 2, 0)), QString());
}

}  // namespace
