#include <gtest/gtest.h>
#include <sys/resource.h>

#include <vector>

#include "DetailFailures.h"
#include "FieldDetails.h"
#include "ObjectDetailWriter.h"
#include "tvFieldDefinitions.h"

using namespace tav::doctext;

namespace {

// The most memory the process has held at once.
long peakMemoryKilobytes() {
    rusage usage{};
    return ::getrusage(RUSAGE_SELF, &usage) == 0 ? usage.ru_maxrss : 0;
}

// One definition of each kind, and summaries over them.
struct Fields {
    tvDatabaseFieldDefinition id;
    tvFormulaField net;
    tvSummaryFieldDefinition sum;         // Sum of id
    tvSummaryFieldDefinition average;     // Average of id, weighted by net
    tvSummaryFieldDefinition countOfSum;  // Count of sum
    tvSummaryFieldDefinition unknownOp;   // an operation without a text, of id
    tvSummaryFieldDefinition ofUnknown;   // Sum of a field of an unknown kind
    tvSpecialVarFieldDefinition printDate;
    tvSpecialVarFieldDefinition unlisted;  // a special field type without a text
    tvGroupNameField group;
    tvParameterFieldDefinition smallest;
    tvRunningTotalFieldDefinition running;
    tvSQLExpressionFieldDefinition tax;
    tvDatabaseFieldDefinition kindZero;
    tvDatabaseFieldDefinition kindNine;

    Fields() {
        id.name = QStringLiteral("{Orders.ID}");
        id.databaseFieldName = QStringLiteral("{Orders.ID}");
        net.name = QStringLiteral("{@Net amount}");
        net.fieldName = QStringLiteral("Net amount");
        sum.name = QStringLiteral("Sum of {Orders.ID}");
        sum.summarizedField = &id;
        average.summaryType = 1;
        average.summarizedField = &id;
        average.secondarySummarizedField = &net;
        countOfSum.summaryType = 6;
        countOfSum.summarizedField = &sum;
        unknownOp.summaryType = 42;
        unknownOp.summarizedField = &id;
        kindZero.kind = 0;
        kindZero.name = QStringLiteral("{Orders.Lost}");
        kindNine.kind = 9;
        kindNine.name = QStringLiteral("{Orders.Lost}");
        ofUnknown.summarizedField = &kindZero;
        printDate.name = QStringLiteral("PrintDate");
        unlisted.specialVarType = 99;
        unlisted.name = QStringLiteral("Unlisted");
        group.groupNameFieldName = QStringLiteral("Group #1 Name: {Customers.Country}");
        smallest.parameterFieldName = QStringLiteral("{?Smallest amount}");
        running.runningTotalFieldName = QStringLiteral("Running amount");
        tax.sqlExpressionFieldName = QStringLiteral("{%Tax}");
    }
};

TEST(FieldDetails, DescribesEveryKind) {
    const Fields f;
    struct Case {
        const tvIFieldDefinition* field;
        const char* detailText;
        const char* displayName;
    };
    const Case cases[] = {
        {&f.id, "Database Field={Orders.ID}", "Orders.ID"},
        {&f.net, "Formula Field=Net amount", "@Net amount"},
        {&f.sum, "Summarized Field = [Sum of {Orders.ID}]", "Sum of Orders.ID"},
        {&f.average,
         "Summarized Field = [Average of {Orders.ID}], "
         "Secondary Summarized Field = [Average of Net amount]",
         "Average of Orders.ID, @Net amount"},
        {&f.countOfSum, "Summarized Field = [Count of [Sum of {Orders.ID}]]",
         "Count of Sum of Orders.ID"},
        {&f.unknownOp, "Summarized Field = [ {Orders.ID}]", "Orders.ID"},
        {&f.ofUnknown, "Summarized Field = [Sum of ]", "Sum of Orders.Lost"},
        {&f.printDate, "Special Var Field=Print Date", "PrintDate"},
        {&f.unlisted, "Special Var Field=", "Unlisted"},
        {&f.group, "Group Name Field=Group #1 Name: {Customers.Country}",
         "Group #1 Name: Customers.Country"},
        {&f.smallest, "Parameter Field={?Smallest amount}", "?Smallest amount"},
        {&f.running, "Running Total Field=Running amount", "Running amount"},
        {&f.tax, "SQL Expression Field={%Tax}", "%Tax"},
        {&f.kindZero, "", ""},
        {&f.kindNine, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetFieldDetailText(c.field), QString::fromLatin1(c.detailText)) << c.detailText;
        EXPECT_EQ(answered(GetFieldDisplayName(c.field)), QString::fromLatin1(c.displayName))
            << c.displayName;
    }
}

TEST(FieldDetails, TrimsBlanksOnlyAroundTheDetailText) {
    tvRunningTotalFieldDefinition running;
    running.runningTotalFieldName = QStringLiteral("Running amount\t  ");
    EXPECT_EQ(GetFieldDetailText(&running), QStringLiteral("Running Total Field=Running amount\t"));

    tvDatabaseFieldDefinition spaced;
    spaced.name = QStringLiteral("  Orders.ID  ");
    tvSummaryFieldDefinition sum;
    sum.summarizedField = &spaced;
    EXPECT_EQ(GetFieldDetailText(&sum), QStringLiteral("Summarized Field = [Sum of Orders.ID]"));
}

TEST(FieldDetails, MissingFieldsAndMismatchedKindsFail) {
    // No field at all is an object whose field has no definition: an empty field.
    EXPECT_EQ(GetFieldDetailText(nullptr), QString());
    EXPECT_EQ(answered(GetFieldDisplayName(nullptr)), QString());

    // So is a summary whose summarized field has no definition, and one over it summarizes an
    // empty field.
    tvSummaryFieldDefinition orphan;
    orphan.name = QStringLiteral("Orphan");
    tvDatabaseFieldDefinition id;
    orphan.secondarySummarizedField = &id;
    tvSummaryFieldDefinition overOrphan;
    overOrphan.summarizedField = &orphan;
    overOrphan.secondarySummarizedField = &orphan;
    EXPECT_EQ(GetFieldDetailText(&orphan), QString());
    EXPECT_EQ(answered(GetFieldDisplayName(&orphan)), QString());
    EXPECT_EQ(
        GetFieldDetailText(&overOrphan),
        QStringLiteral("Summarized Field = [Sum of ], Secondary Summarized Field = [Sum of ]"));
    EXPECT_EQ(answered(GetFieldDisplayName(&overOrphan)), QStringLiteral("Sum of Orphan, Orphan"));

    tvFormulaField posing;  // a formula that says it is a parameter
    posing.kind = tvParameterFieldKind;
    EXPECT_EQ(detailFailureOf([&] { GetFieldDetailText(&posing); }), DetailFailure::TypeMismatch);
    EXPECT_EQ(detailFailureOf(GetFieldDisplayName(&posing)), DetailFailure::TypeMismatch);
}

// A summary that summarizes itself would describe itself without end.
TEST(FieldDetails, SummaryRingFailsInsteadOfOverflowingTheStack) {
    tvSummaryFieldDefinition first;
    tvSummaryFieldDefinition second;
    first.summarizedField = &second;
    second.summarizedField = &first;
    EXPECT_EQ(detailFailureOf([&] { GetFieldDetailText(&first); }), DetailFailure::SummaryRing);

    // The guard is released on the way out: a sound field still works afterwards.
    tvDatabaseFieldDefinition id;
    id.name = QStringLiteral("Orders.ID");
    second.summarizedField = &id;
    EXPECT_EQ(GetFieldDetailText(&first),
              QStringLiteral("Summarized Field = [Sum of [Sum of Orders.ID]]"));
}

// A chain of summaries is described to its end, however long; a ring is a summary met again on
// its own path, wherever along the chain it closes.
TEST(FieldDetails, LongChainsAreDescribedAndRingsAnywhereFail) {
    tvDatabaseFieldDefinition id;
    id.name = QStringLiteral("Orders.ID");
    constexpr int kLength = 500;
    std::vector<tvSummaryFieldDefinition> chain(kLength);
    for (int i = 0; i < kLength; ++i) {
        chain[size_t(i)].summarizedField = i + 1 < kLength ? &chain[size_t(i) + 1] : nullptr;
    }
    chain.back().summarizedField = &id;
    chain[1].secondarySummarizedField = &chain[2];  // met twice, but on two paths
    const QString text = GetFieldDetailText(&chain.front());
    EXPECT_TRUE(text.startsWith(QStringLiteral("Summarized Field = [Sum of [Sum of [Sum of ")));
    EXPECT_EQ(text.count(QStringLiteral("Orders.ID")), 2);
    EXPECT_EQ(text.count(u'['), 2 * kLength - 1);

    chain[70].summarizedField = &chain[3];  // closes a ring below the top
    EXPECT_EQ(detailFailureOf([&] { GetFieldDetailText(&chain.front()); }),
              DetailFailure::SummaryRing);
}

// A chain's text costs what is written: each summary's description is built once, not once
// more inside every summary above it. Described the old way, 5,000 levels held some 200 MB of
// texts at once; the text itself is 80 KB.
TEST(FieldDetails, ADeepChainCostsWhatItsTextHolds) {
    tvDatabaseFieldDefinition id;
    id.name = QStringLiteral("Orders.ID");
    constexpr qsizetype kLength = 5000;
    std::vector<tvSummaryFieldDefinition> chain(kLength);
    for (qsizetype i = 0; i + 1 < kLength; ++i) {
        chain[size_t(i)].summarizedField = &chain[size_t(i) + 1];
    }
    chain.back().summarizedField = &id;
    const long before = peakMemoryKilobytes();
    const QString text = GetFieldDetailText(&chain.front());
    EXPECT_LT(peakMemoryKilobytes() - before, 32 * 1024);
    const QString level = QStringLiteral("[Sum of ");
    EXPECT_EQ(text.size(),
              QStringLiteral("Summarized Field = Orders.ID").size() + kLength * (level.size() + 1));
    EXPECT_TRUE(text.startsWith(QStringLiteral("Summarized Field = ") + level + level));
    EXPECT_TRUE(text.endsWith(level + QStringLiteral("Orders.ID") + QString(kLength, u']')));

    // Where one summary is met on two paths, its description is written twice, the same.
    chain[kLength - 3].secondarySummarizedField = &chain[kLength - 2];
    const QString twice = QStringLiteral("[Sum of [Sum of Orders.ID]]");
    EXPECT_TRUE(GetFieldDetailText(&chain.front())
                    .endsWith(level + twice + QStringLiteral("], Secondary Summarized Field = ") +
                              level + twice + QString(kLength - 2, u']')));
}

// Texts are written whole, however long: a 60,000-character name, and a summary over it that
// keeps its closing bracket.
TEST(FieldDetails, WritesLongTextsWhole) {
    constexpr qsizetype kLength = 60000;
    tvDatabaseFieldDefinition longName;
    longName.name = QString(kLength, u'x');
    const QString text = GetFieldDetailText(&longName);
    EXPECT_EQ(text, QStringLiteral("Database Field=") + longName.name);

    tvSummaryFieldDefinition sum;
    sum.summarizedField = &longName;
    const QString summary = GetFieldDetailText(&sum);
    EXPECT_TRUE(summary.startsWith(QStringLiteral("Summarized Field = [Sum of xxx")));
    EXPECT_TRUE(summary.endsWith(QStringLiteral("x]")));
    EXPECT_EQ(summary.size(), QStringLiteral("Summarized Field = [Sum of ]").size() + kLength);
}

TEST(OverwriteAndAdvance, OverwritesFromThePositionAndGrowsAsFarAsTheText) {
    constexpr qsizetype kLength = 50000;
    QString area;
    qsizetype position = 3;
    ObjectDetailWriter::OverwriteAndAdvance(area, position, QStringLiteral("ab"));
    EXPECT_EQ(area, QStringLiteral("  ab"));  // the untouched start reads as blanks
    EXPECT_EQ(position, 5);
    position = 2;
    ObjectDetailWriter::OverwriteAndAdvance(area, position, QStringLiteral("XYZW"));
    EXPECT_EQ(area, QStringLiteral(" XYZW"));
    EXPECT_EQ(position, 6);

    area.clear();
    position = kLength - 1;
    ObjectDetailWriter::OverwriteAndAdvance(area, position, QStringLiteral("12345"));
    EXPECT_EQ(area.size(), kLength + 3);
    EXPECT_TRUE(area.endsWith(QStringLiteral(" 12345")));
    EXPECT_EQ(position, kLength + 4);
    ObjectDetailWriter::OverwriteAndAdvance(area, position, QStringLiteral("more"));
    EXPECT_TRUE(area.endsWith(QStringLiteral("12345more")));
    EXPECT_EQ(position, kLength + 8);

    position = 0;
    EXPECT_EQ(detailFailureOf([&] {
                  ObjectDetailWriter::OverwriteAndAdvance(area, position, QStringLiteral("x"));
              }),
              DetailFailure::InvalidArgument)
        << "a position before the start of the text was taken";
}

}  // namespace
