#include <gtest/gtest.h>

#include "FieldFixtures.h"
#include "tvSubReportLink.h"
#include "tvSubReportObject.h"

namespace {

tvIFieldDefinition* sortedField(const tvReport& report) {
    return report.tvGroupSortFields.Item(1).field;
}

// A chain of `length` summaries S1, S2, ..., each listed before the one it summarizes, the last
// summarizing Orders.Amount; with `secondary`, each summarizes Orders.Amount and the next one as
// its secondary field.
QByteArray summaryChain(int length, bool secondary = false) {
    QByteArray chain;
    for (int i = 1; i <= length; ++i) {
        const QByteArray inner =
            i == length ? QByteArray("1:Orders.Amount") : "3:S" + QByteArray::number(i + 1);
        chain += R"(<SummaryField kind="3" name="S)" + QByteArray::number(i) + R"(" )" +
                 (secondary ? R"(summarizedField="1:Orders.Amount" secondarySummarizedField=")"
                            : R"(summarizedField=")") +
                 inner + R"("/>)";
    }
    return chain;
}

}  // namespace

TEST(FieldResolver, KindsOutsideOneToEightGiveNoDefinition) {
    for (const char* kind : {"0", "9", "70000"}) {
        const auto report = loadReport(
            groupSortOn(QByteArray("<field kind=\"") + kind + "\" name=\"Orders.Amount\"/>"));
        EXPECT_EQ(sortedField(*report), nullptr) << kind;
    }
}

TEST(FieldResolver, NameNoCollectionHoldsFailsWithTheCollectionsError) {
    struct Case {
        const char* field;
        long error;
    };
    const Case cases[] = {
        {R"(<field kind="1" name="Orders.Missing"/>)", rt::kErrInvalidCall},
        {R"(<field kind="2" name="Missing"/>)", rt::kErrInvalidCall},
        {R"(<field kind="5" groupNumber="1"/>)", rt::kErrSubscript},
        {R"(<field kind="6" name="Missing"/>)", rt::kErrInvalidCall},
        {R"(<field kind="7" name="Missing"/>)", rt::kErrInvalidCall},
        {R"(<field kind="8" name="Missing"/>)", rt::kErrInvalidCall},
        // An unlisted summary stands for its summarized field, which must resolve.
        {R"(<field kind="3" name="Sum"><summarizedField kind="2" name="Missing"/></field>)",
         rt::kErrInvalidCall},
        {R"(<field kind="3" name="Sum"/>)", rt::kErrObjectRequired},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(loadError(groupSortOn(c.field)), c.error) << c.field;
    }
}

TEST(FieldResolver, UnlistedSummaryStandsForItsSummarizedField) {
    const auto report = loadReport(groupSortOn(
        R"(<field kind="3" name="Sum of Orders.Amount" summarizedField="1:Orders.Amount"/>)"));
    EXPECT_EQ(sortedField(*report), &report->tvDatabase->allFields.Item("Orders.Amount"));
    EXPECT_EQ(report->tvSummaryFieldDefinitions.Count(), 0);
}

// A ring is one summary met again on its own path: distinct summaries that share a name, one
// over the other, stand for what the innermost summarizes, as summaries of different names do.
TEST(FieldResolver, SummariesOfOneNameOverEachOtherAreNoRing) {
    const char* const chains[] = {
        R"(<field kind="3" name="X"><summarizedField kind="3" name="X"
            summarizedField="1:Orders.Amount"/></field>)",
        R"(<field kind="3" name="X"><summarizedField kind="3" name="x"><summarizedField
            kind="3" name="X" summarizedField="1:Orders.Amount"/></summarizedField></field>)",
        R"(<field kind="3" name="X"><summarizedField kind="3" name="Y"><summarizedField
            kind="3" name="X" summarizedField="1:Orders.Amount"/></summarizedField></field>)",
    };
    for (const char* chain : chains) {
        const auto report = loadReport(groupSortOn(chain));
        EXPECT_EQ(sortedField(*report), &report->tvDatabase->allFields.Item("Orders.Amount"))
            << chain;
    }
}

TEST(FieldResolver, SummariesInARingFailInsteadOfRecursing) {
    const QByteArray rings[] = {
        // Listed summaries whose secondary fields name each other.
        ordersReport(R"(<SummaryFields>
          <SummaryField kind="3" name="A" summarizedField="1:Orders.Amount" secondarySummarizedField="3:B"/>
          <SummaryField kind="3" name="B" summarizedField="1:Orders.Amount" secondarySummarizedField="3:A"/>
        </SummaryFields>)"),
        // An unlisted summary that summarizes itself.
        groupSortOn(R"(<field kind="3" name="Loop" summarizedField="3:Loop"/>)"),
        // One of two summaries of one name summarizes the other, which comes back to it.
        groupSortOn(R"(<field kind="3" name="X"><summarizedField kind="3" name="X"
            summarizedField="3:X"/></field>)"),
    };
    for (const QByteArray& ring : rings) {
        const auto failure = loadFailure(ring);
        ASSERT_TRUE(failure.has_value());
        EXPECT_TRUE(failure->description().contains(u"ring")) << failure->what();
    }
}

// A long chain is no ring: summaries listed before the ones they summarize, and summaries whose
// secondary fields are summaries, load however many follow one another.
TEST(FieldResolver, ChainsOfSummariesOfAnyLengthLoad) {
    constexpr int kLength = 300;
    for (const QByteArray& chain : {summaryChain(kLength), summaryChain(kLength, true)}) {
        const auto report =
            loadReport(ordersReport("<SummaryFields>" + chain + "</SummaryFields>"));
        EXPECT_EQ(report->tvSummaryFieldDefinitions.Count(), kLength);
    }
}

// A summary the report does not list yet stands for what its chain ends at: the database field,
// or the first summary along it that is listed by then. A summary listed after a walk went
// through it is where later walks stop.
TEST(FieldResolver, UnlistedSummariesStandForWhereTheirChainEnds) {
    const QByteArray forward = summaryChain(2000);
    struct Case {
        QByteArray summaries;
        std::vector<std::pair<QString, QString>> standsFor;  // summary, summary or field
    };
    const Case cases[] = {
        {forward,
         {{"S1", "Orders.Amount"}, {"S1000", "Orders.Amount"}, {"S2000", "Orders.Amount"}}},
        // A walks through B and C; C is listed, then D walks through B and stops at C.
        {R"(<SummaryField kind="3" name="A" summarizedField="3:B"/>
            <SummaryField kind="3" name="C" summarizedField="1:Orders.Amount"/>
            <SummaryField kind="3" name="D" summarizedField="3:B"/>
            <SummaryField kind="3" name="B" summarizedField="3:C"/>)",
         {{"A", "Orders.Amount"}, {"C", "Orders.Amount"}, {"D", "C"}, {"B", "C"}}},
        // The same, where the list names C in other letters than D's walk reads it.
        {R"(<SummaryField kind="3" name="A" summarizedField="3:B"/>
            <SummaryField kind="3" name="c" summarizedField="1:Orders.Amount"/>
            <SummaryField kind="3" name="D" summarizedField="3:b"/>
            <SummaryField kind="3" name="B" summarizedField="3:C"/>)",
         {{"A", "Orders.Amount"}, {"D", "c"}, {"B", "c"}}},
    };
    for (const Case& c : cases) {
        const auto report =
            loadReport(ordersReport("<SummaryFields>" + c.summaries + "</SummaryFields>"));
        for (const auto& [summary, target] : c.standsFor) {
            const tvIFieldDefinition* expected =
                report->tvSummaryFieldDefinitions.Find(target)
                    ? static_cast<tvIFieldDefinition*>(
                          &report->tvSummaryFieldDefinitions.Item(target))
                    : &report->tvDatabase->allFields.Item(target);
            EXPECT_EQ(report->tvSummaryFieldDefinitions.Item(summary).summarizedField, expected)
                << summary.toStdString() << " in " << c.summaries.left(60).toStdString();
        }
    }
    const QByteArray rings[] = {
        // A ring closed at the end of a long chain.
        QByteArray(forward).replace(R"(summarizedField="1:Orders.Amount")",
                                    R"(summarizedField="3:S1000")"),
        // A walk meets the summary it started from again, beyond one that an earlier walk went
        // through.
        R"(<SummaryField kind="3" name="A" summarizedField="3:Z"/>
           <SummaryField kind="3" name="E" summarizedField="3:Z"/>
           <SummaryField kind="3" name="Z"><summarizedField kind="3" name="W"
               summarizedField="3:Z"/></SummaryField>)",
    };
    for (const QByteArray& ring : rings) {
        const auto failure = loadFailure(ordersReport(
            R"(<GroupSortFields><SortField><field kind="3" name="Y"
                summarizedField="1:Orders.Amount"/></SortField></GroupSortFields>
               <SummaryFields>)" +
            ring + "</SummaryFields>"));
        ASSERT_TRUE(failure.has_value()) << ring.left(60).toStdString();
        EXPECT_TRUE(failure->description().contains(u"ring")) << failure->what();
    }
    // A walk that meets its first name again on another summary, beyond one that an earlier
    // walk went through, is no ring: E's Y goes through Z to the design's first Y, the sort
    // field's, and on to the column.
    const auto report = loadReport(ordersReport(
        R"(<GroupSortFields><SortField><field kind="3" name="Y"
            summarizedField="1:Orders.Amount"/></SortField></GroupSortFields>
           <SummaryFields><SummaryField kind="3" name="A" summarizedField="3:Z"/>
           <SummaryField kind="3" name="E"><summarizedField kind="3" name="Y"
               summarizedField="3:Z"/></SummaryField>
           <SummaryField kind="3" name="Z" summarizedField="3:Y"/></SummaryFields>)"));
    EXPECT_EQ(report->tvSummaryFieldDefinitions.Item("E").summarizedField,
              &report->tvDatabase->allFields.Item("Orders.Amount"));
}

TEST(SummaryFields, SecondaryFieldOfAnotherKindIsResolvedNotListed) {
    // Weighted average, correlation and covariance pair a column with a second column.
    for (const char* type : {"10", "11", "12"}) {
        const auto report = loadReport(ordersReport(QByteArray(R"(<SummaryFields>
            <SummaryField kind="3" name="Pair" summarizedField="1:Orders.Amount"
                          secondarySummarizedField="1:Orders.Quantity" summaryType=")") +
                                                    type + R"("/></SummaryFields>)"));
        ASSERT_EQ(report->tvSummaryFieldDefinitions.Count(), 1) << type;
        EXPECT_EQ(report->tvSummaryFieldDefinitions.Item(1).secondarySummarizedField,
                  &report->tvDatabase->allFields.Item("Orders.Quantity"));
    }
}

TEST(SummaryFields, ComposedNamesSayWhatIsSummarizedAndWhere) {
    const QByteArray xml = ordersReport(R"(<SummaryFields>
        <SummaryField kind="3" name="Sum of Orders.Amount" summarizedField="1:Orders.Amount" summaryType="0"/>
        <SummaryField kind="3" name="Frequent" summarizedField="1:Orders.Amount" summaryType="18"/>
        <SummaryField kind="3" name="Unknown" summarizedField="1:Orders.Amount" summaryType="25"/>
        <SummaryField kind="3" name="Average" summarizedField="1:Orders.Amount" summaryType="1"/>
      </SummaryFields>)");
    const auto report = loadReport(xml);
    const auto crReport = runtimeReport(xml);
    struct Case {
        int position;
        const char* parentObjectName;
        const char* expected;
    };
    const Case cases[] = {
        {1, "C-2", "C-2: Sum of Orders.Amount"},
        {2, "X-1", "X-1: Nth Most Frequent Orders.Amount"},
        {3, "X-1", "X-1:  Orders.Amount"},
        {4, "", "Average"},
    };
    for (const Case& c : cases) {
        tvSummaryFieldDefinition definition;
        definition.init(*crReport->collection("SummaryFields")->item(c.position), *report,
                        QString::fromLatin1(c.parentObjectName));
        EXPECT_EQ(definition.name, QString::fromLatin1(c.expected));
        EXPECT_EQ(definition.summarizedField, &report->tvDatabase->allFields.Item("Orders.Amount"));
    }
}

TEST(RunningTotals, ResetGroupNumberThatCannotBeReadIsZero) {
    for (const char* attributes : {R"(fail="resetGroupNumber")", R"(resetGroupNumber="70000")"}) {
        const auto report = loadReport(ordersReport(QByteArray(R"(<RunningTotalFields>
            <RunningTotalField kind="7" name="Total" summarizedField="1:Orders.Amount" resetCondition="2" )") +
                                                    attributes + "/></RunningTotalFields>"));
        const tvRunningTotalFieldDefinition& total = report->runningTotalFields.Item("Total");
        EXPECT_EQ(total.resetGroupNumber, 0) << attributes;
        EXPECT_EQ(total.resetCondition, 2) << attributes;
        EXPECT_EQ(total.summarizedField, &report->tvDatabase->allFields.Item("Orders.Amount"));
    }
    // Only that read is forgiven.
    EXPECT_EQ(loadError(ordersReport(R"(<RunningTotalFields>
        <RunningTotalField kind="7" name="Total" summarizedField="1:Orders.Amount" fail="resetCondition"/>
      </RunningTotalFields>)")),
              rt::kErrRuntimeFailure);
}

TEST(Parameters, LimitsTheRuntimeCannotGiveStayEmpty) {
    const auto report = loadReport(ordersReport(R"(<ParameterFields>
        <ParameterField kind="6" name="Region" valueType="12" minimumValue="A" maximumValue="Z"
                        fail="minimumValue"/>
        <ParameterField kind="6" name="Count" valueType="5" minimumValue="1" maximumValue="ten"/>
      </ParameterFields>)"));
    const tvParameterFieldDefinition& region = report->tvParameters.Item("Region");
    EXPECT_FALSE(region.minimumValue.isValid());
    EXPECT_EQ(region.maximumValue, QVariant(QStringLiteral("Z")));
    const tvParameterFieldDefinition& count = report->tvParameters.Item("Count");
    EXPECT_EQ(count.minimumValue, QVariant(qint64(1)));
    EXPECT_FALSE(count.maximumValue.isValid());
    // The parameter's own value is no limit: failing to read it fails the load.
    EXPECT_EQ(loadError(ordersReport(R"(<ParameterFields>
        <ParameterField kind="6" name="Region" fail="value"/></ParameterFields>)")),
              rt::kErrRuntimeFailure);
}

TEST(FieldValues, AreTypedByTheValueType) {
    struct Case {
        const char* valueType;
        const char* value;
        QVariant expected;
    };
    const Case cases[] = {
        {"3", "-12", QVariant(qint64(-12))},
        {"7", "2.5", QVariant(2.5)},
        {"8", "19.99", QVariant(19.99)},
        {"9", "true", QVariant(true)},
        {"10", "2024-03-01", QVariant(QDate(2024, 3, 1))},
        {"11", "14:30:00", QVariant(QTime(14, 30))},
        {"16", "2024-03-01T14:30:00", QVariant(QDateTime(QDate(2024, 3, 1), QTime(14, 30)))},
        {"12", "text", QVariant(QStringLiteral("text"))},
        {"12", "", QVariant()},
    };
    for (const Case& c : cases) {
        const auto report =
            loadReport(groupSortOn(QByteArray(R"(<field kind="4" name="Now" valueType=")") +
                                   c.valueType + "\" value=\"" + c.value + "\"/>"));
        EXPECT_EQ(report->specialVarFields.Item(1).value, c.expected) << c.valueType << c.value;
    }
}

TEST(FieldDefinitions, SixteenBitValuesOutOfRangeFailTheLoad) {
    EXPECT_EQ(loadError(ordersReport(R"(<FormulaFields>
        <FormulaField kind="2" name="F" numberOfBytes="40000"/></FormulaFields>)")),
              rt::kErrOverflow);
    EXPECT_EQ(loadError(ordersReport(R"(<SummaryFields>
        <SummaryField kind="3" name="S" summarizedField="1:Orders.Amount" summaryType="-40000"/>
      </SummaryFields>)")),
              rt::kErrOverflow);
}

TEST(SortFields, DirectionIsDecimalTextAndFieldIsRequired) {
    const auto report = loadReport(ordersReport(R"(<RecordSortFields>
            <SortField field="1:Orders.Amount" sortDirection="-1"/>
            <SortField field="1:Orders.OrderID" sortDirection="1"/>
          </RecordSortFields>)"));
    EXPECT_EQ(report->tvRecordSortFields.Item("Orders.Amount").sortDirection, u"-1");
    EXPECT_EQ(report->tvRecordSortFields.Item("Orders.OrderID").sortDirection, u"1");
    EXPECT_EQ(loadError(ordersReport(R"(<GroupSortFields><SortField/></GroupSortFields>)")),
              rt::kErrObjectRequired);
}

TEST(SubReportLinks, EachFieldIsItsOwnReportsDefinition) {
    const QByteArray mainXml = ordersReport(R"(<SubreportLinks>
        <SubreportLink mainReportField="1:Orders.OrderID">
          <mainSubReportField kind="1" name="Orders.OrderID"/>
        </SubreportLink></SubreportLinks>)");
    const auto mainReport = loadReport(mainXml);
    const auto subReport = loadReport(ordersReport(""), QStringLiteral("Lines"));
    const auto crMain = runtimeReport(mainXml);
    tvSubReportObject holder;
    tvSubReportLink link;
    link.init(*crMain->collection("SubreportLinks")->item(1), holder, *mainReport, *subReport);
    EXPECT_EQ(link.mainReportField, &mainReport->tvDatabase->allFields.Item("Orders.OrderID"));
    EXPECT_EQ(link.mainSubReportField, &subReport->tvDatabase->allFields.Item("Orders.OrderID"));
    EXPECT_EQ(link.parent, &holder);
}

TEST(ValueTypes, PredicatesGroupTheCodes) {
    struct Case {
        bool (*predicate)(qint16);
        std::initializer_list<qint16> trueFor;
    };
    const Case cases[] = {
        {IsTimeValueType, {11, 16}},
        {IsDateValueType, {10, 16}},
        {IsCurrencyValueType, {8}},
        {IsDateTimeValueType, {16}},
        {IsNumberValueType, {1, 2, 3, 4, 5, 6, 7}},
        {IsStringValueType, {12, 13}},
        {IsBooleanValueType, {9}},
    };
    for (const Case& c : cases) {
        for (qint16 code = -1; code <= 23; ++code) {
            const bool expected =
                std::find(c.trueFor.begin(), c.trueFor.end(), code) != c.trueFor.end();
            EXPECT_EQ(c.predicate(code), expected) << code;
        }
    }
}
