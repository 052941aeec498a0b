#include <gtest/gtest.h>

#include <type_traits>
#include <utility>

#include "ChartFixture.h"
#include "FieldFixtures.h"
#include "tvGraphObject.h"

namespace {

// How the document writes the value numbered i of a chart member of type T, and how the model
// shows it, so that every member gets a value no other member has.
template <class T>
struct ChartValue;

template <>
struct ChartValue<qint16> {
    static QByteArray write(const char* name, int i) {
        return QByteArray(" ") + name + "='" + QByteArray::number(i) + "'";
    }
    static QString expected(int i) { return QString::number(i); }
    static QString show(qint16 v) { return QString::number(v); }
};

// Beyond 16 bits, so that a Long narrowed as a code would fail.
template <>
struct ChartValue<qint32> {
    static QByteArray write(const char* name, int i) {
        return QByteArray(" ") + name + "='" + QByteArray::number(70000 + i) + "'";
    }
    static QString expected(int i) { return QString::number(70000 + i); }
    static QString show(qint32 v) { return QString::number(v); }
};

template <>
struct ChartValue<double> {
    static QByteArray write(const char* name, int i) {
        return QByteArray(" ") + name + "='" + QByteArray::number(i) + ".25'";
    }
    static QString expected(int i) { return QString::number(i + 0.25); }
    static QString show(double v) { return QString::number(v); }
};

template <>
struct ChartValue<QString> {
    static QByteArray write(const char* name, int i) {
        return QByteArray(" ") + name + "='text " + QByteArray::number(i) + "'";
    }
    static QString expected(int i) { return QStringLiteral("text %1").arg(i); }
    static QString show(const QString& v) { return v; }
};

// Fonts are child elements.
template <>
struct ChartValue<tvFont> {
    static QByteArray write(const char* name, int i) {
        return QByteArray("<") + name + " name='Font " + QByteArray::number(i) + "' size='" +
               QByteArray::number(i) + ".5' weight='" + QByteArray::number(i * 10) + "'/>";
    }
    static QString expected(int i) {
        return QStringLiteral("Font %1 %2.5 %3").arg(i).arg(i).arg(i * 10);
    }
    static QString show(const tvFont& f) {
        return QStringLiteral("%1 %2 %3").arg(f.name).arg(f.size).arg(f.weight);
    }
};

struct ChartMember {
    const char* name;
    bool isFlag;
    QByteArray (*write)(const char* name, int i);
    QString (*expected)(int i);
    QString (*show)(const tvGraphObject& chart);
    bool (*flag)(const tvGraphObject& chart);
};

// The checks of one member, found by the member itself, not by any table of the model.
template <auto Member>
ChartMember chartMember(const char* name) {
    using T = std::remove_cvref_t<decltype(std::declval<tvGraphObject>().*Member)>;
    ChartMember m{name, std::is_same_v<T, bool>, nullptr, nullptr, nullptr, nullptr};
    if constexpr (std::is_same_v<T, bool>) {
        m.flag = [](const tvGraphObject& g) { return g.*Member; };
    } else {
        m.write = &ChartValue<T>::write;
        m.expected = &ChartValue<T>::expected;
        m.show = [](const tvGraphObject& g) { return ChartValue<T>::show(g.*Member); };
    }
    return m;
}
#define CHART_MEMBER(member) chartMember<&tvGraphObject::member>(#member)

// The 73 values the chart copies, in the order of the class's interface.
const ChartMember kMembers[] = {
    CHART_MEMBER(zAxisTitle),
    CHART_MEMBER(yAxisTitle),
    CHART_MEMBER(y2AxisTitle),
    CHART_MEMBER(xAxisTitle),
    CHART_MEMBER(viewingAngle),
    CHART_MEMBER(titleFont),
    CHART_MEMBER(title),
    CHART_MEMBER(subTitleFont),
    CHART_MEMBER(subTitle),
    CHART_MEMBER(sliceDetachment),
    CHART_MEMBER(seriesTitleFont),
    CHART_MEMBER(seriesTitle),
    CHART_MEMBER(seriesLabelFont),
    CHART_MEMBER(seriesAxisGridline),
    CHART_MEMBER(seriesAxisNumberFormat),
    CHART_MEMBER(seriesAxisDivisionNumber),
    CHART_MEMBER(seriesAxisDivisionMethod),
    CHART_MEMBER(pieSize),
    CHART_MEMBER(minsSeriesAxisValue),
    CHART_MEMBER(minDataAxisValue),
    CHART_MEMBER(minData2AxisValue),
    CHART_MEMBER(maxSeriesAxisValue),
    CHART_MEMBER(maxDataAxisValue),
    CHART_MEMBER(maxData2AxisValue),
    CHART_MEMBER(markerSize),
    CHART_MEMBER(markerShape),
    CHART_MEMBER(legendPosition),
    CHART_MEMBER(legendLayout),
    CHART_MEMBER(legendFont),
    CHART_MEMBER(isZAxisTitleByDefault),
    CHART_MEMBER(isYAxisTitleByDefault),
    CHART_MEMBER(isXAxisTitleByDefault),
    CHART_MEMBER(isTitleByDefault),
    CHART_MEMBER(isSubTitleByDefault),
    CHART_MEMBER(isSeriesTitleByDefault),
    CHART_MEMBER(isGroupsTitleByDefault),
    CHART_MEMBER(isFootnoteByDefault),
    CHART_MEMBER(IsDataTitleByDefault),
    CHART_MEMBER(IsData2TitleByDefault),
    CHART_MEMBER(groupTitleFont),
    CHART_MEMBER(groupsTitle),
    CHART_MEMBER(groupLabelFont),
    CHART_MEMBER(groupAxisGridline),
    CHART_MEMBER(graphType),
    CHART_MEMBER(graphDirection),
    CHART_MEMBER(graphColor),
    CHART_MEMBER(footNoteFont),
    CHART_MEMBER(footNote),
    CHART_MEMBER(enableShowLegend),
    CHART_MEMBER(enableAutoScaleSeriesAxis),
    CHART_MEMBER(enableAutoScaleData2Axis),
    CHART_MEMBER(enableAutoScaleDataAxis),
    CHART_MEMBER(dataValueNumberFormat),
    CHART_MEMBER(dataType),
    CHART_MEMBER(dataTitleFont),
    CHART_MEMBER(DataTitle),
    CHART_MEMBER(dataPoint),
    CHART_MEMBER(dataLabelFont),
    CHART_MEMBER(dataAxisNumberFormat),
    CHART_MEMBER(dataAxisGridline),
    CHART_MEMBER(dataAxisDivisionNumber),
    CHART_MEMBER(dataAxisDivisionMethod),
    CHART_MEMBER(Data2LabelFont),
    CHART_MEMBER(Data2Title),
    CHART_MEMBER(Data2TitleFont),
    CHART_MEMBER(data2AxisNumberFormat),
    CHART_MEMBER(data2AxisGridline),
    CHART_MEMBER(data2AxisDivisionNumber),
    CHART_MEMBER(data2AxisDivisionMethod),
    CHART_MEMBER(barSize),
    CHART_MEMBER(autoRangeSeriesAxis),
    CHART_MEMBER(autoRangeDataAxis),
    CHART_MEMBER(autoRangeData2Axis),
};

#undef CHART_MEMBER

const tvGraphObject& loadChart(const QByteArray& attributes, const QByteArray& children,
                               std::unique_ptr<tvReport>& report) {
    report = loadReport(ordersWithObjects("<ChartObject kind='7' name='Graph1'" + attributes + ">" +
                                          children + "</ChartObject>"));
    return objectAt<tvGraphObject>(*report, 1);
}

// Graph1 with two summaries and the given condition fields.
QByteArray chartWithConditions(const QByteArray& conditionFields) {
    return "<ChartObject kind='7' name='Graph1'><SummaryFields>" + summaryItem(0, "2:Amount") +
           summaryItem(6, "1:Orders.Region") + summaryItem(4, "1:Orders.Amount") +
           "</SummaryFields><ConditionFields>" + conditionFields +
           "</ConditionFields></ChartObject>";
}

}  // namespace

TEST(GraphObject, EveryValueReachesItsOwnMember) {
    ASSERT_EQ(std::size(kMembers), 73u);
    QByteArray attributes;
    QByteArray children;
    for (int i = 0; i < static_cast<int>(std::size(kMembers)); ++i) {
        const ChartMember& m = kMembers[i];
        if (m.isFlag) continue;
        (std::string_view(m.name).ends_with("Font") ? children : attributes) +=
            m.write(m.name, i + 1);
    }
    std::unique_ptr<tvReport> report;
    const tvGraphObject& chart = loadChart(attributes, children, report);
    for (int i = 0; i < static_cast<int>(std::size(kMembers)); ++i) {
        const ChartMember& m = kMembers[i];
        if (!m.isFlag) {
            EXPECT_EQ(m.show(chart).toStdString(), m.expected(i + 1).toStdString()) << m.name;
        }
    }
}

// Flags cannot all differ: each is set alone, and must be the only one that reads true.
TEST(GraphObject, EveryFlagReachesItsOwnMember) {
    for (const ChartMember& set : kMembers) {
        if (!set.isFlag) continue;
        std::unique_ptr<tvReport> report;
        const tvGraphObject& chart =
            loadChart(QByteArray(" ") + set.name + "='true'", QByteArray(), report);
        for (const ChartMember& m : kMembers) {
            if (m.isFlag) {
                EXPECT_EQ(m.flag(chart), &m == &set) << set.name << " read as " << m.name;
            }
        }
    }
}

TEST(GraphObject, FontsAreCopiedWhole) {
    std::unique_ptr<tvReport> report;
    const tvGraphObject& chart =
        loadChart({},
                  "<legendFont name='Arial' size='9.5' bold='true' italic='true' underline='true' "
                  "strikethrough='true' weight='700' charset='2'/>",
                  report);
    EXPECT_EQ(chart.legendFont,
              (tvFont{QStringLiteral("Arial"), 9.5, true, true, true, true, 700, 2}));
    EXPECT_EQ(chart.titleFont, tvFont());  // the runtime gave none
}

TEST(GraphObject, NewChartAndWhatInitLeavesAlone) {
    std::unique_ptr<tvReport> report;
    const tvGraphObject& chart = loadChart(
        " enableSummarizeValues='true' enableForEachRecord='true' graphColor='0x80000005'", {},
        report);
    EXPECT_EQ(chart.kind, tvGraphObjectKind);
    EXPECT_EQ(chart.objectName, u"Graph1");
    EXPECT_EQ(chart.graphColor, static_cast<qint32>(0x80000005u));
    EXPECT_FALSE(chart.enableSummarizeValues);
    EXPECT_FALSE(chart.enableForEachRecord);
    EXPECT_EQ(chart.specifiedGroups, nullptr);
    EXPECT_TRUE(chart.summaryFields.isEmpty());
    EXPECT_TRUE(chart.ConditionFields.isEmpty());
    ASSERT_NE(chart.crossTabObject, nullptr);
    EXPECT_EQ(chart.crossTabObject->kind, tvCrossTabObjectKind);
    EXPECT_TRUE(chart.crossTabObject->objectName.isEmpty());
    EXPECT_EQ(chart.crossTabObject->parent, nullptr);
    EXPECT_EQ(chart.crossTabObject->columnGroups.Count() + chart.crossTabObject->rowGroups.Count() +
                  chart.crossTabObject->summaryFields.Count(),
              0);
}

// Summaries are named after the chart and their runtime position; condition fields are the
// report's own definitions, once per use. A field that resolves to nothing adds no entry.
TEST(GraphObject, SummariesAndConditionFields) {
    const auto report = loadReport(ordersWithObjects(chartWithConditions(
        "<Field kind='1' name='Orders.Region'/><Field kind='0' name='Unknown'/>"
        "<Field kind='2' name='Amount'/><Field kind='1' name='orders.region'/>")));
    ASSERT_EQ(liveRuntimeObjects(), 0);
    const auto& chart = objectAt<tvGraphObject>(*report, 1);
    EXPECT_EQ(definitionNames(chart.summaryFields),
              QStringList({"Graph1-1: Sum of Amount", "Graph1-2: Count of Orders.Region",
                           "Graph1-3: Maximum of Orders.Amount"}));
    EXPECT_EQ(chart.summaryFields.Item(3).summarizedField, ordersColumn(*report, "Orders.Amount"));
    EXPECT_EQ(report->tvSummaryFieldDefinitions.Count(), 0);

    tvIFieldDefinition* region = ordersColumn(*report, "Orders.Region");
    ASSERT_EQ(chart.ConditionFields.Count(), 3);
    EXPECT_EQ(&chart.ConditionFields.Item(1), region);
    EXPECT_EQ(&chart.ConditionFields.Item(2), &report->tvFormulaFields.Item("Amount"));
    EXPECT_EQ(&chart.ConditionFields.Item(3), region);
}

// A summary item that is no object is passed over, and the other summaries keep their numbers;
// a condition field that is no object fails the load, as the resolver would on it.
TEST(GraphObject, SkipsSummaryItemsThatAreNoObject) {
    const QByteArray xml = ordersWithObjects(chartWithConditions(
        "<Field kind='1' name='Orders.Region'/><Field kind='2' name='Amount'/>"));
    const auto report = loadWithFaults(xml, {"ChartObject.SummaryFields:2"});
    EXPECT_EQ(liveRuntimeObjects(), 0);
    const auto& chart = objectAt<tvGraphObject>(*report, 1);
    EXPECT_EQ(definitionNames(chart.summaryFields),
              QStringList({"Graph1-1: Sum of Amount", "Graph1-3: Maximum of Orders.Amount"}));
    ASSERT_EQ(chart.ConditionFields.Count(), 2);
    EXPECT_THROW(loadWithFaults(xml, {"ChartObject.ConditionFields:1"}), rt::Error);
    EXPECT_EQ(liveRuntimeObjects(), 0);
}

TEST(GraphObject, FailuresFailTheLoad) {
    struct Case {
        QByteArray objects;
        long error;
    };
    const Case cases[] = {
        {"<ChartObject kind='7' fail='zAxisTitle'/>", rt::kErrRuntimeFailure},
        {"<ChartObject kind='7' fail='dataTitleFont'/>", rt::kErrRuntimeFailure},
        {"<ChartObject kind='7'><legendFont fail='size'/></ChartObject>", rt::kErrRuntimeFailure},
        {"<ChartObject kind='7' barSize='32768'/>", rt::kErrOverflow},
        {"<ChartObject kind='7' dataAxisDivisionNumber='0x80000000'/>", rt::kErrOverflow},
        {"<ChartObject kind='7' graphColor='0x100000000'/>", rt::kErrOverflow},
        {chartWithConditions("<Field kind='2' name='Unknown'/>"), rt::kErrInvalidCall},
        {"<ChartObject kind='7'><SummaryFields>" + summaryItem(0, "9:Unknown") +
             "</SummaryFields></ChartObject>",
         rt::kErrRuntimeFailure},
        {"<ChartObject kind='7' fail='ConditionFields'/>", rt::kErrRuntimeFailure},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.objects.toStdString());
        EXPECT_EQ(loadError(ordersWithObjects(c.objects)), c.error);
        EXPECT_EQ(liveRuntimeObjects(), 0);
    }
}
