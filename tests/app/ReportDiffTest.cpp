#include <gtest/gtest.h>

#include <QLocale>
#include <algorithm>
#include <random>

#include "Clock.h"
#include "ExtractOptions.h"
#include "RecordingReporter.h"
#include "ReportDiff.h"
#include "TestSupport.h"
#include "TextUtilities.h"
#include "tvSortField.h"

using namespace tav::core;
using namespace tav::utilities;

namespace {

// The shown lines in short, each text by its first line: "=" equal, "~" changed (left then
// right), "<" first report only, ">" second report only.
QStringList summary(const DiffResults& diff) {
    QStringList lines;
    for (DiffLine line : diff.lines) {
        line.leftText = line.leftText.section(QStringLiteral("\r\n"), 0, 0);
        line.rightText = line.rightText.section(QStringLiteral("\r\n"), 0, 0);
        if (line.kind == DiffLeftOnly) {
            lines << QStringLiteral("< ") + line.leftText;
        } else if (line.kind == DiffRightOnly) {
            lines << QStringLiteral("> ") + line.rightText;
        } else if (line.changed()) {
            lines << QStringLiteral("~ ") + line.leftText + QStringLiteral(" | ") + line.rightText;
        } else {
            lines << QStringLiteral("= ") + line.leftText;
        }
    }
    return lines;
}

// The lines of a comparison that is expected to end.
DiffResults compared(ReportDiff& diff, bool allLines) {
    DiffResults results;
    QString error;
    EXPECT_TRUE(diff.compare(allLines, results, &error)) << error.toStdString();
    return results;
}

class ReportDiffTest : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        ExtractOptions& s = options_;
        s.ShowFormula = s.ShowParameters = s.ShowGroups = s.ShowSort = s.ShowSQL = s.ShowTables =
            true;
        diff_.setOptions(options_);
    }

    // Compares two design documents, showing changes only unless asked for all lines.
    DiffResults compare(const QByteArray& left, const QByteArray& right, bool allLines = false) {
        diff_.setReports(loadReport(left, QStringLiteral("old.rpt")),
                         loadReport(right, QStringLiteral("new.rpt")), QStringLiteral("old.rpt"),
                         QStringLiteral("new.rpt"));
        diff_.setOptions(options_);
        return compared(diff_, allLines);
    }

    ExtractOptions options_;
    ReportDiff diff_{options_};
};

const QByteArray kOld = R"(<Report reportTitle="Orders" useIndexForSpeed="true">
  <Database><Tables>
    <Table name="Orders" location="Orders" dllName="odbc.dll"/>
    <Table name="Customers" location="Customers" dllName="odbc.dll"/>
  </Tables></Database><ExportOptions/>
  <FormulaFields>
    <FormulaField kind="2" name="Total" text="{Orders.Amount} * 2"/>
    <FormulaField kind="2" name="Tax" text="{Orders.Amount} / 5"/>
  </FormulaFields>
  <Areas>
    <Area kind="1" name="RH"><Sections><Section minimumHeight="720"><ReportObjects>
      <TextObject kind="2" text="Orders" left="0" top="0" width="1440" height="240"/>
      <TextObject kind="2" text="Printed" left="1440" top="0" width="1440" height="240"/>
    </ReportObjects></Section></Sections></Area>
    <Area kind="4" name="D"><Sections><Section/></Sections></Area>
  </Areas></Report>)";

const QByteArray kNew = R"(<Report reportTitle="Orders">
  <Database><Tables>
    <Table name="Orders" location="Orders" dllName="odbc.dll"/>
    <Table name="Customers" location="Clients" dllName="odbc.dll"/>
  </Tables></Database><ExportOptions/>
  <FormulaFields>
    <FormulaField kind="2" name="Total" text="{Orders.Amount} * 3"/>
  </FormulaFields>
  <GroupNameFields><GroupNameField kind="5" groupNumber="1" name="Group #1 Name"/></GroupNameFields>
  <Areas>
    <Area kind="1" name="RH"><Sections><Section minimumHeight="720"><ReportObjects>
      <TextObject kind="2" text="Orders list" left="0" top="0" width="1440" height="240"/>
      <TextObject kind="2" text="Printed" left="1440" top="0" width="1440" height="240"/>
    </ReportObjects></Section></Sections></Area>
    <Area kind="3" name="GH" groupNumber="1"><Sections><Section/></Sections></Area>
    <Area kind="4" name="D"><Sections><Section/></Sections></Area>
  </Areas></Report>)";

}  // namespace

TEST_F(ReportDiffTest, ListsTheChangesOfAnOptionFormulaTableSectionAndObject) {
    const DiffResults diff = compare(kOld, kNew);
    const QStringList expected = {
        QStringLiteral("~ Use Index for Speed = True | Use Index for Speed = False"),
        QStringLiteral("~ Total, {Orders.Amount} * 2 | Total, {Orders.Amount} * 3"),
        QStringLiteral("< Tax, {Orders.Amount} / 5"),
        QStringLiteral("> Group #1, , Any Change, Ascending"),
        QStringLiteral("~ Customers, , Customers, odbc.dll | Customers, , Clients, odbc.dll"),
        // An object is known by its detail text: a new text makes it another object. The one
        // after it is still found equal.
        QStringLiteral("<     1, Text: (\"Orders\"), Position=(0, 0), Size=(1 x 0.17)"),
        QStringLiteral(">     1, Text: (\"Orders list\"), Position=(0, 0), Size=(1 x 0.17)"),
        // The group header area only the second report has.
        QStringLiteral("> Group Header #1"),
        QStringLiteral("> Height = 0, Background Color=Black"),
        QStringLiteral("> "),
    };
    EXPECT_EQ(summary(diff), expected);
}

// A change carries the same numbers whether equal lines are shown or hidden: hidden lines, list
// records among them, still count. In the combined grid every first line of a change, a line of
// the second report alone included, starts with the marker that Next looks for.
TEST_F(ReportDiffTest, AChangeKeepsItsNumbersAndMarkerInBothViews) {
    auto marked = [](const std::vector<DiffRow>& grid) {
        QStringList rows;
        for (const DiffRow& row : grid) {
            if (row.numbers.startsWith(kChangeMarker)) rows << row.numbers + u'|' + row.text;
        }
        return rows;
    };
    const DiffResults all = compare(kOld, kNew, true);
    const QStringList allRows[] = {marked(all.combinedRows), marked(all.leftRows),
                                   marked(all.rightRows)};
    const qint64 counts[] = {all.leftLineCount, all.rightLineCount};
    const DiffResults changes = compare(kOld, kNew, false);
    EXPECT_EQ(marked(changes.combinedRows), allRows[0]);
    EXPECT_EQ(marked(changes.leftRows), allRows[1]);
    EXPECT_EQ(marked(changes.rightRows), allRows[2]);
    EXPECT_EQ(changes.leftLineCount, counts[0]);
    EXPECT_EQ(changes.rightLineCount, counts[1]);
    // The changed table comes after an equal one in its list.
    EXPECT_TRUE(allRows[0].join(u'\n').contains(QStringLiteral("Customers, , Customers")));

    // Every change shown is marked once in the combined grid, one-sided ones of either report
    // included.
    const auto rightOnly = std::count_if(changes.lines.begin(), changes.lines.end(),
                                         [](const DiffLine& l) { return l.kind == DiffRightOnly; });
    EXPECT_GT(rightOnly, 0);
    EXPECT_EQ(marked(changes.combinedRows).size(), qsizetype(changes.lines.size()));
}

// Each part of an alert stands on a line of its own, as the documentation lists them.
TEST_F(ReportDiffTest, AnAlertShowsEachPartOnALine) {
    auto report = [](const char* limit) {
        return QByteArray(R"(<Report><Database/><ExportOptions/><ReportAlerts>
          <ReportAlert name="Large order" isEnabled="true" conditionForumla="{Orders.Amount} &gt; )") +
               limit + R"(" defaultMessage="A large order"/></ReportAlerts></Report>)";
    };
    const DiffResults diff = compare(report("10000"), report("20000"));
    QStringList left;
    for (const DiffRow& row : diff.leftRows) left << row.text;
    const qsizetype name = left.indexOf(QStringLiteral("Name = Large order"));
    ASSERT_GE(name, 0) << left.join(u'\n').toStdString();
    EXPECT_EQ(left.mid(name + 1, 4),
              (QStringList{QStringLiteral("Condition Formula = {Orders.Amount} > 10000"),
                           QStringLiteral("Enabled = True"),
                           QStringLiteral("Default Message = A large order"),
                           QStringLiteral("Message Formula = ")}));
    EXPECT_TRUE(diff.combinedText().contains(QStringLiteral("Enabled = True\n")));
}

// Both grouping lines show the flag; the capability count is not compared.
TEST_F(ReportDiffTest, GroupingOnTheServerShowsTheFlagOnBothLines) {
    const QStringList lines = summary(
        compare(R"(<Report canPerformGroupingOnServer="1"><Database/><ExportOptions/></Report>)",
                R"(<Report performGroupingOnServer="true"><Database/><ExportOptions/></Report>)"));
    EXPECT_EQ(lines, (QStringList{
                         QStringLiteral("~ Can Perform Grouping on Server = False | "
                                        "Can Perform Grouping on Server = True"),
                         QStringLiteral("~ Perform Grouping on Server = False | "
                                        "Perform Grouping on Server = True"),
                     }));
}

// Neither report has areas: the heading and its blank line are equal lines, so identical
// reports show no change.
TEST_F(ReportDiffTest, SectionsOfTwoReportsWithoutAreasAreEqualLines) {
    const QByteArray bare = R"(<Report><Database/><ExportOptions/></Report>)";
    const DiffResults diff = compare(bare, bare, true);
    ASSERT_GE(diff.lines.size(), 2u);
    const DiffLine& heading = diff.lines[diff.lines.size() - 2];
    EXPECT_EQ(heading.kind, DiffBothSides);
    EXPECT_EQ(heading.leftText, QStringLiteral("Sections"));
    EXPECT_EQ(diff.lines.back().kind, DiffBothSides);
    EXPECT_EQ(diff.leftLineCount, diff.rightLineCount);
    EXPECT_TRUE(compare(bare, bare).combinedText().isEmpty());
}

// Names that a reader of numbers would take for one ("nan", "inf") are names: two formulas so
// named are two items, not one equal line.
TEST_F(ReportDiffTest, NanAndInfAreNamesNotNumbers) {
    const QByteArray left = R"(<Report><Database/><ExportOptions/><FormulaFields>
      <FormulaField kind="2" name="nan" text="1"/></FormulaFields></Report>)";
    const QByteArray right = R"(<Report><Database/><ExportOptions/><FormulaFields>
      <FormulaField kind="2" name="inf" text="1"/></FormulaFields></Report>)";
    const QStringList lines = summary(compare(left, right));
    EXPECT_TRUE(lines.contains(QStringLiteral("< nan, 1"))) << lines.join(u'\n').toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("> inf, 1"))) << lines.join(u'\n').toStdString();
}

// Line ends alone are no change: a formula written with CR LF on one side and LF on the other.
TEST_F(ReportDiffTest, LineEndsAloneAreNoChange) {
    const QByteArray left =
        "<Report><Database/><ExportOptions/><FormulaFields>"
        "<FormulaField kind=\"2\" name=\"F\" text=\"a&#13;&#10;b\"/>"
        "</FormulaFields></Report>";
    const QByteArray right =
        "<Report><Database/><ExportOptions/><FormulaFields>"
        "<FormulaField kind=\"2\" name=\"F\" text=\"a&#10;b\"/>"
        "</FormulaFields></Report>";
    const QStringList lines = summary(compare(left, right));
    EXPECT_TRUE(lines.isEmpty()) << lines.join(u'\n').toStdString();
}

// The groups block has one record per group name field, read from the group header areas.
TEST_F(ReportDiffTest, GroupsAreCountedByTheirNameFields) {
    const auto report = [](const QByteArray& names, const QByteArray& headers) {
        return QByteArray(R"(<Report><Database/><ExportOptions/><GroupNameFields>)") + names +
               R"(</GroupNameFields><Areas>)" + headers +
               R"(<Area kind="4" name="D"><Sections><Section/></Sections></Area></Areas></Report>)";
    };
    const char* one = R"(<GroupNameField kind="5" groupNumber="1" name="G1"/>)";
    const char* two = R"(<GroupNameField kind="5" groupNumber="1" name="G1"/>
                         <GroupNameField kind="5" groupNumber="2" name="G2"/>)";
    const char* header = R"(<Area kind="3" name="GH1"><Sections><Section/></Sections></Area>)";
    const char* second = R"(<Area kind="3" name="GH2"><Sections><Section/></Sections></Area>)";
    const QString first = QStringLiteral("Group #1, , Any Change, Ascending");
    struct Case {
        const char* name;
        QByteArray left;
        QByteArray right;
        bool block;
        QStringList groups;  // the block's lines that are not equal
    };
    const Case cases[] = {
        {"a header area without a group", report("", header), report("", ""), false, {}},
        {"a group without its header area",
         report(one, header),
         report(two, header),
         true,
         {QStringLiteral("> ")}},
        {"one group more",
         report(one, header),
         report(two, QByteArray(header) + second),
         true,
         {QStringLiteral("> Group #2, , Any Change, Ascending")}},
        {"no groups in the first report",
         report("", header),
         report(one, header),
         true,
         {QStringLiteral("> ") + first}},
    };
    for (const Case& c : cases) {
        const QStringList lines = summary(compare(c.left, c.right, true));
        const qsizetype start = lines.indexOf(QStringLiteral("= Groups"));
        QStringList groups;
        if (start >= 0) {
            for (qsizetype k = start + 2; k < lines.size() && lines[k] != QStringLiteral("= ");
                 ++k) {
                if (!lines[k].startsWith(QStringLiteral("= "))) groups << lines[k];
            }
        }
        EXPECT_EQ(start >= 0, c.block) << c.name;
        EXPECT_EQ(groups, c.groups) << c.name;
    }
}

TEST_F(ReportDiffTest, IdenticalReportsGiveNoDifference) {
    const Clock::Fixed clock(QDateTime(QDate(2026, 3, 4), QTime(9, 0)));
    const DiffResults diff = compare(kOld, kOld);
    EXPECT_TRUE(diff.lines.empty());
    // The run header only, dated in the locale's short form.
    ASSERT_EQ(diff.combinedRows.size(), 4u);
    EXPECT_EQ(diff.combinedRows[0].text, QStringLiteral("Tavrin RptDiff    3/4/26"));
    EXPECT_EQ(diff.combinedRows[1].text, QStringLiteral("File 1 = old.rpt"));
    EXPECT_EQ(diff.combinedRows[2].text, QStringLiteral("File 2 = new.rpt"));
    QStringList shown;
    for (const DiffRow& row : diff.combinedRows) shown << row.text;
    EXPECT_EQ(diff.runHeader, shown);  // as it is printed
    EXPECT_TRUE(diff.combinedText().isEmpty());

    // With all lines every line is an equal one, numbered alike on both sides.
    const DiffResults all = compare(kOld, kOld, true);
    EXPECT_FALSE(all.lines.empty());
    for (const DiffLine& line : all.lines)
        EXPECT_FALSE(line.changed()) << line.leftText.toStdString();
    EXPECT_EQ(all.leftLineCount, all.rightLineCount);
    EXPECT_EQ(all.leftRows.size(), all.rightRows.size());
}

TEST_F(ReportDiffTest, SwitchedOffBlocksAreLeftOut) {
    options_.ShowFormula = options_.ShowGroups = options_.ShowTables = 0;
    const QStringList lines = summary(compare(kOld, kNew));
    EXPECT_EQ(lines.first(),
              QStringLiteral("~ Use Index for Speed = True | Use Index for Speed = False"));
    EXPECT_EQ(lines.size(), 6);  // the option, then the objects and the group header's section
    EXPECT_FALSE(lines.join(u'\n').contains(QStringLiteral("Total")));
}

// A block that fails is reported and the blocks after it still run.
TEST_F(ReportDiffTest, AFailingBlockIsReportedAndTheNextRuns) {
    const QByteArray sorted = R"(<Report><Database/><ExportOptions/>
      <FormulaFields><FormulaField kind="2" name="Total" text="1"/></FormulaFields>
      <GroupSortFields><SortField field="2:Total" sortDirection="0"/></GroupSortFields>
      <Areas><Area kind="4" name="D"><Sections><Section/></Sections></Area></Areas></Report>)";
    auto left = loadReport(sorted);
    left->tvGroupSortFields.Item(1).sortDirection = QStringLiteral("down");
    RecordingReporter reporter;
    diff_.setReporter(reporter);
    diff_.setReports(std::move(left), loadReport(kNew), QStringLiteral("a"), QStringLiteral("b"));
    const DiffResults results = compared(diff_, false);

    EXPECT_EQ(reporter.messages, QStringList{QStringLiteral("Type mismatch")});
    const QStringList lines = summary(results);
    EXPECT_TRUE(lines.contains(QStringLiteral("> Customers, , Clients, odbc.dll")));
    EXPECT_TRUE(lines.contains(QStringLiteral("> Group Header #1")));
}

TEST_F(ReportDiffTest, ASubreportOfOneReportOnlyComesOutOneSided) {
    const QByteArray withSubreport = R"(<Report reportTitle="Main"><Database/><ExportOptions/>
      <Areas><Area kind="1" name="R"><Sections><Section><ReportObjects>
        <SubreportObject kind="5" subreportName="Inner"><Report><Database/><ExportOptions/>
          <Areas><Area kind="4" name="D"><Sections><Section/></Sections></Area></Areas>
        </Report></SubreportObject>
      </ReportObjects></Section></Sections></Area></Areas></Report>)";
    const QByteArray without = R"(<Report reportTitle="Main"><Database/><ExportOptions/>
      <Areas><Area kind="1" name="R"><Sections><Section/></Sections></Area></Areas></Report>)";
    const DiffResults diff = compare(withSubreport, without);
    const auto heading = std::find_if(diff.lines.begin(), diff.lines.end(), [](const auto& line) {
        return line.leftText == QStringLiteral("Subreport: Inner");
    });
    ASSERT_NE(heading, diff.lines.end());
    QStringList rest;
    for (auto line = heading; line != diff.lines.end(); ++line) {
        EXPECT_EQ(line->kind, DiffLeftOnly) << line->leftText.toStdString();
        rest << line->leftText;
    }
    EXPECT_EQ(rest, (QStringList{QStringLiteral("Subreport: Inner"), QStringLiteral("Sections"),
                                 QString(), QStringLiteral("Detail"),
                                 QStringLiteral("Height = 0, Background Color=Black"), QString(),
                                 QString()}));
}

TEST(ReportDiffNames, ATemporarySecondFileIsTheFirstRevised) {
    const QString first = QStringLiteral(" /r/Sales.rpt ");
    EXPECT_EQ(ReportDiff::displayNames(first, QStringLiteral("/r/New.rpt"), false),
              (QStringList{first, QStringLiteral("/r/New.rpt")}));
    EXPECT_EQ(ReportDiff::displayNames(first, QStringLiteral("/r/New.rpt "), true),
              (QStringList{QStringLiteral("/r/Sales.rpt"), QStringLiteral("/r/New.rpt")}));
    // In the run header: the extension in one case throughout marks a temporary copy; any
    // other mix is a report of its own.
    const QByteArray bare = R"(<Report><Database/><ExportOptions/></Report>)";
    const std::pair<const char*, const char*> cases[] = {{"/tmp/x.TMP", nullptr},
                                                         {"/tmp/x.tmp", nullptr},
                                                         {"/tmp/x.Tmp", "/tmp/x.Tmp"},
                                                         {"/tmp/x.tMP", "/tmp/x.tMP"},
                                                         {" /r/New.rpt ", "/r/New.rpt"}};
    for (const auto& [second, shown] : cases) {
        ReportDiff comparison{ExtractOptions()};
        comparison.setReports(loadReport(bare), loadReport(bare), first,
                              QString::fromLatin1(second));
        const DiffResults diff = compared(comparison, true);
        const QString name = QStringLiteral("/r/Sales.rpt");
        EXPECT_EQ(diff.combinedRows[1].text,
                  QStringLiteral("File 1 = ") + name + (shown ? "" : " (original)"))
            << second;
        EXPECT_EQ(diff.combinedRows[2].text,
                  QStringLiteral("File 2 = ") +
                      (shown ? QString::fromLatin1(shown) : name + QStringLiteral(" (revised)")))
            << second;
    }
}

// Alignment of two keyed lists, changes only.
TEST(DiffAlignment, LinesUpItemsByKey) {
    struct Case {
        const char* name;
        QStringList first;
        QStringList second;
        QStringList expected;
    };
    const auto L = [](std::initializer_list<const char*> items) {
        QStringList list;
        for (const char* item : items) list << QString::fromLatin1(item);
        return list;
    };
    const Case cases[] = {
        {"identical", L({"A, 1", "B, 2"}), L({"A, 1", "B, 2"}), {}},
        {"removed", L({"A, 1", "B, 2", "C, 3"}), L({"A, 1", "C, 3"}), L({"< B, 2"})},
        {"added", L({"A, 1", "C, 3"}), L({"A, 1", "B, 2", "C, 3"}), L({"> B, 2"})},
        {"changed", L({"A, 1"}), L({"A, 2"}), L({"~ A, 1 | A, 2"})},
        {"removed before a changed one", L({"A, 1", "B, 2"}), L({"B, 3"}),
         L({"< A, 1", "~ B, 2 | B, 3"})},
        {"added before a changed one", L({"B, 2"}), L({"A, 1", "B, 3"}),
         L({"> A, 1", "~ B, 2 | B, 3"})},
        {"moved to the front", L({"A, 1", "B, 2", "C, 3"}), L({"C, 3", "A, 1", "B, 2"}),
         L({"< A, 1", "< B, 2", "> A, 1", "> B, 2"})},
        {"replaced, the rest still equal", L({"X", "Y"}), L({"Z", "Y"}), L({"< X", "> Z"})},
        {"numbered alike", L({"1, Name, x"}), L({"2, Name, x"}), {}},
        {"numbered, changed", L({"1, Name, x"}), L({"2, Name, y"}), L({"~ Name, x | Name, y"})},
        {"first list empty", {}, L({"A", "B", "C"}), L({"> A", "> B", "> C"})},
        {"one left over", L({"A, 1", "B, 2"}), L({"A, 1"}), L({"< B, 2"})},
        // A number is what converts to one, blanks around it only; digits, dots and blanks in
        // another order make a name, which is the key.
        {"numbered with blanks and signs",
         L({" 3 , Name, x", "-1.5, Tax, y"}),
         L({"4, Name, x", "+2, Tax, y"}),
         {}},
        {"a dotted name", L({"1.2.3, Total, x"}), L({"1.2.4, Total, x"}),
         L({"< 1.2.3, Total, x", "> 1.2.4, Total, x"})},
        {"a name of numbers and blanks", L({"10 20, Total, x"}), L({"10 21, Total, x"}),
         L({"< 10 20, Total, x", "> 10 21, Total, x"})},
    };
    for (const Case& c : cases) {
        DiffResults diff(false);
        alignKeyedLists(c.first, c.second, diff);
        EXPECT_EQ(summary(diff), c.expected) << c.name;
    }
}

// Every line written, hidden equal ones left out, with its prefixes.
QStringList written(const DiffResults& diff) {
    QStringList lines;
    for (const DiffLine& line : diff.lines) {
        lines << QString::number(line.kind) + u'|' + line.leftPrefix + line.leftText + u'|' +
                     line.rightPrefix + line.rightText;
    }
    return lines;
}

// The alignment read plainly: each search ahead scans the rest of the list.
QStringList scannedAlignment(const QStringList& a, const QStringList& b, bool allLines) {
    QStringList lines;
    // `shown` is what decides whether an equal pair is hidden: the texts after the numbers.
    auto line = [&](int kind, const QString& left, const QString& right, qsizetype leftNumber = 0,
                    qsizetype rightNumber = 0) {
        const bool equal = left.mid(leftNumber) == right.mid(rightNumber);
        if (kind == DiffBothSides && equal && !allLines) return;
        lines << QString::number(kind) + u'|' + left + u'|' + right;
    };
    auto field = [](const QString& r, int n) {
        return GetDelimitedField(r, QStringLiteral(","), n);
    };
    auto numeric = [](const QString& text) {
        bool ok = false;
        text.trimmed().toDouble(&ok);
        return ok;
    };
    auto same = [&](const QString& r1, const QString& r2) {
        if (numeric(field(r1, 1)) && numeric(field(r2, 1))) return field(r1, 2) == field(r2, 2);
        return field(r1, 1) == field(r2, 1);
    };
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i] == b[j] || same(a[i], b[j])) {
            const bool numbered =
                a[i] != b[j] && numeric(field(a[i], 1)) && numeric(field(b[j], 1));
            const qsizetype leftNumber = numbered ? field(a[i], 1).size() + 2 : 0;
            const qsizetype rightNumber = numbered ? field(b[j], 1).size() + 2 : 0;
            line(DiffBothSides, a[i++], b[j++], leftNumber, rightNumber);
            continue;
        }
        qsizetype k = i + 1;
        while (k < a.size() && !same(a[k], b[j])) ++k;
        if (k < a.size()) {
            while (i < k) line(DiffLeftOnly, a[i++], QString());
            line(DiffBothSides, a[i++], b[j++]);
            continue;
        }
        k = j + 1;
        while (k < b.size() && !same(a[i], b[k])) ++k;
        if (k < b.size()) {
            while (j < k) line(DiffRightOnly, QString(), b[j++]);
            line(DiffBothSides, a[i++], b[j++]);
            continue;
        }
        line(DiffLeftOnly, a[i++], QString());
        line(DiffRightOnly, QString(), b[j++]);
    }
    while (i < a.size()) line(DiffLeftOnly, a[i++], QString());
    while (j < b.size()) line(DiffRightOnly, QString(), b[j++]);
    return lines;
}

// Random lists over a few keys, plain and numbered, repeated and changed, line up as a plain
// scan of the remaining records lines them up.
TEST(DiffAlignment, FindsWhatAScanOfTheRestFinds) {
    const QStringList pool = {
        QStringLiteral("A, 1"),    QStringLiteral("A, 2"),     QStringLiteral("B, 1"),
        QStringLiteral("B"),       QStringLiteral("C, 3, x"),  QStringLiteral("1, X, a"),
        QStringLiteral("2, X, b"), QStringLiteral(" 3, Y, a"), QStringLiteral("4, Y"),
        QStringLiteral("5"),       QStringLiteral("A"),        QStringLiteral("6, X, a")};
    std::mt19937 random(17);
    auto list = [&] {
        QStringList items;
        const int size = static_cast<int>(random() % 9);
        for (int k = 0; k < size; ++k)
            items << pool[static_cast<qsizetype>(random() % pool.size())];
        return items;
    };
    for (int round = 0; round < 4000; ++round) {
        const QStringList a = list();
        const QStringList b = list();
        DiffResults diff(round % 2 == 0);
        alignKeyedLists(a, b, diff);
        ASSERT_EQ(written(diff), scannedAlignment(a, b, diff.allLines))
            << a.join(u';').toStdString() << " / " << b.join(u';').toStdString();
    }
}

// A text's lines may end in CR LF, CR or LF: each kind of end breaks the line alike.
TEST(DiffResultsLayout, EveryLineEndBreaksALine) {
    auto written = [](const QString& end) {
        DiffResults diff;
        const QString a = QStringLiteral("a");
        diff.add(DiffBothSides, a + end + u'b', QStringLiteral("c") + end + u'd' + end);
        diff.add(DiffLeftOnly, QStringLiteral("e") + end + u'f', QString());
        QStringList cells;
        for (const auto* grid : {&diff.combinedRows, &diff.leftRows, &diff.rightRows})
            for (const DiffRow& row : *grid) cells << row.numbers + u'|' + row.text;
        return std::pair{diff.combinedText(), cells};
    };
    const auto expected = written(QStringLiteral("\r\n"));
    EXPECT_EQ(expected.second.size(), 7 + 5 + 5);
    for (const char* end : {"\n", "\r"}) EXPECT_EQ(written(QString::fromLatin1(end)), expected);
}

// The rows, numbers, marker, colours and combined text of each kind of line.
TEST(DiffResultsLayout, EachKindIsWrittenWithItsNumbersAndLook) {
    DiffResults diff;
    diff.leftLineCount = 6;
    diff.rightLineCount = 11;
    const QString marker(kChangeMarker);
    diff.add(DiffBothSides, QStringLiteral("same"), QStringLiteral("same"));
    diff.add(DiffBothSides, QStringLiteral("a\r\nb"), QStringLiteral("c\r\nd\r\ne"));
    EXPECT_EQ(diff.combinedText(), QStringLiteral("    7   12 same\n") + marker +
                                       QStringLiteral("   8      a\n"
                                                      "           b\n"
                                                      "        13 c\n"
                                                      "           d\n"
                                                      "           e\n"));
    ASSERT_EQ(diff.combinedRows.size(), 6u);
    ASSERT_EQ(diff.leftRows.size(), 4u);
    ASSERT_EQ(diff.rightRows.size(), 4u);
    EXPECT_EQ(diff.combinedRows[0].numbers, QStringLiteral("    7   12 "));
    EXPECT_EQ(diff.leftRows[0].numbers, QStringLiteral("    7 "));
    EXPECT_EQ(diff.rightRows[0].numbers, QStringLiteral("   12 "));
    // The changed pair: the first report's half struck through in the combined grid only.
    EXPECT_EQ(diff.combinedRows[1].numbers, marker + QStringLiteral("   8      "));
    EXPECT_TRUE(diff.combinedRows[1].struck);
    EXPECT_EQ(diff.combinedRows[1].color, DiffBlue);
    EXPECT_EQ(diff.leftRows[1].numbers, marker + QStringLiteral("   8      "));
    EXPECT_FALSE(diff.leftRows[1].struck);
    EXPECT_EQ(diff.leftRows[2].numbers, QString(11, u' '));
    EXPECT_EQ(diff.combinedRows[3].numbers, QStringLiteral("        13 "));
    EXPECT_EQ(diff.rightRows[1].numbers, QStringLiteral("   13 "));
    EXPECT_EQ(diff.rightRows[2].numbers, QString(7, u' '));
    EXPECT_EQ(diff.rightRows[3].text, QStringLiteral("e"));

    // One-sided lines: struck and red on the left, green on the right.
    diff.add(DiffLeftOnly, QStringLiteral("gone"), QStringLiteral("ignored"));
    diff.add(DiffRightOnly, QStringLiteral("ignored"), QStringLiteral("new"));
    EXPECT_EQ(diff.leftRows[4].numbers, marker + QStringLiteral("   9      "));
    EXPECT_TRUE(diff.leftRows[4].struck);
    EXPECT_EQ(diff.leftRows[4].color, DiffRed);
    EXPECT_EQ(diff.rightRows.back().numbers, marker + QStringLiteral("       14 "));
    EXPECT_EQ(diff.rightRows.back().text, QStringLiteral("new"));
    EXPECT_FALSE(diff.rightRows.back().struck);
    EXPECT_EQ(diff.combinedRows.size(), 8u);

    // An unknown kind writes and counts nothing; a hidden equal line counts.
    diff.add(5, QStringLiteral("x"), QStringLiteral("y"));
    diff.allLines = false;
    diff.add(DiffBothSides, QStringLiteral("x"), QStringLiteral("x"));
    EXPECT_EQ(diff.combinedRows.size(), 8u);
    EXPECT_EQ(diff.leftLineCount, 10);
    EXPECT_EQ(diff.rightLineCount, 15);

    // Numbered records carry their numbers as prefixes; a large number shows its last digits.
    diff.leftLineCount = 12343;
    alignKeyedLists({QStringLiteral("1, Name, x")}, {QStringLiteral("2, Name, y")}, diff);
    EXPECT_EQ(diff.combinedRows[8].numbers, marker + QStringLiteral("2344      "));
    EXPECT_EQ(diff.combinedRows[8].text, QStringLiteral("1, Name, x"));
    EXPECT_EQ(diff.combinedRows[9].text, QStringLiteral("2, Name, y"));
}

// Side by side, the rows that face each other belong to one entry, all lines shown or changes
// only: a line of one report alone, and the shorter half of a changed pair, face empty rows. The
// numbers stay each report's own.
TEST(DiffResultsLayout, TheSidesFaceEachOtherRowForRow) {
    const struct {
        bool allLines;
        QStringList rows;  // left numbers and text | right numbers and text
    } cases[] = {
        {true,
         {"    1 same|    1 same", "\u2026   2      a|    2 c", "           b|",
          "\u2026   3      gone|", "|\u2026        3 new1", "|           new2",
          "\u2026   4      x|    4 y", "|       z", "    5 end|    5 end"}},
        {false,
         {"\u2026   2      a|    2 c", "           b|", "\u2026   3      gone|",
          "|\u2026        3 new1", "|           new2", "\u2026   4      x|    4 y", "|       z"}},
    };
    for (const auto& c : cases) {
        DiffResults diff(c.allLines);
        diff.add(DiffBothSides, QStringLiteral("same"), QStringLiteral("same"));
        diff.add(DiffBothSides, QStringLiteral("a\r\nb"), QStringLiteral("c"));
        diff.add(DiffLeftOnly, QStringLiteral("gone"), QString());
        diff.add(DiffRightOnly, QString(), QStringLiteral("new1\nnew2"));
        diff.add(DiffBothSides, QStringLiteral("x"), QStringLiteral("y\r\nz"));
        diff.add(DiffBothSides, QStringLiteral("end"), QStringLiteral("end"));
        ASSERT_EQ(diff.leftRows.size(), diff.rightRows.size()) << c.allLines;
        QStringList rows;
        for (size_t r = 0; r < diff.leftRows.size(); ++r) {
            const DiffRow& left = diff.leftRows[r];
            const DiffRow& right = diff.rightRows[r];
            rows << left.numbers + left.text + u'|' + right.numbers + right.text;
        }
        EXPECT_EQ(rows, c.rows) << c.allLines << "\n" << rows.join(u'\n').toStdString();
        // The combined view and text are as they were: each entry's halves one after the other.
        EXPECT_EQ(diff.combinedRows.size(), c.allLines ? 11u : 9u);
    }
}

// A report that cannot be opened leaves the comparison held before untouched.
TEST_F(ReportDiffTest, AFailedOpenKeepsTheComparisonHeld) {
    const QString grouped = sampleReport(QStringLiteral("grouped.rpt"));
    const QString list = sampleReport(QStringLiteral("list.rpt"));
    ASSERT_TRUE(diff_.open(grouped, list));
    const QStringList before = summary(compared(diff_, false));
    const tvReport* left = diff_.leftReport();

    QString error;
    EXPECT_FALSE(diff_.open(list, QStringLiteral("/no/such.rpt"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(diff_.currentReportName(), QStringLiteral("/no/such.rpt"));
    EXPECT_EQ(diff_.leftReport(), left);
    EXPECT_EQ(diff_.leftPath(), grouped);
    EXPECT_EQ(diff_.rightPath(), list);
    // Comparing again gives the same lines: the counters start afresh.
    EXPECT_EQ(summary(compared(diff_, false)), before);
    EXPECT_FALSE(before.isEmpty());
}

// Without two reports there is nothing to compare: the comparison answers why, and no line.
TEST_F(ReportDiffTest, AComparisonWithoutReportsFailsWithItsReason) {
    ReportDiff empty{ExtractOptions()};
    DiffResults results;
    results.add(DiffBothSides, QStringLiteral("earlier"), QStringLiteral("earlier"));
    QString error;
    EXPECT_FALSE(empty.compare(true, results, &error));
    EXPECT_EQ(error, QStringLiteral("Object required"));
    EXPECT_TRUE(results.combinedRows.empty());
}
