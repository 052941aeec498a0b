#include <gtest/gtest.h>

#include "CollectingLineSink.h"

using namespace tav::doctext;

namespace {

TEST(CollectingLineSink, IndentsByKindAndLevel) {
    struct Case {
        LineRole role;
        LineKind kind;
        const char* text;
        const char* value;
        qint32 level;
        const char* expected;
    };
    const Case cases[] = {
        {LineRole::Detail, LineKind::Caption, "Areas", "ignored", 1, "  Areas"},
        {LineRole::Label, LineKind::LabelValue, "Name =", "X", 1, "    Name = X"},
        {LineRole::Detail, LineKind::Caption, "", "", 2, "    "},
        {LineRole::Detail, LineKind::Caption, "Top", "", 0, "Top"},
        {LineRole::Detail, LineKind::LabelValue, "Label", "", 0, "  Label "},
        // the role of a line does not change its text
        {LineRole::Title, LineKind::Caption, "Areas", "", 1, "  Areas"},
        {LineRole::Detail, LineKind::Caption, "Clamped", "", -2, "Clamped"},
    };
    for (const Case& c : cases) {
        CollectingLineSink writer;
        writer.WriteDetails(c.role, c.kind, QString::fromLatin1(c.text),
                            QString::fromLatin1(c.value), c.level);
        EXPECT_EQ(writer.getDetails(), QString::fromLatin1(c.expected)) << c.text;
    }
}

TEST(CollectingLineSink, AccumulatesLinesWithoutSeparators) {
    CollectingLineSink writer;
    LineSink& sink = writer;
    sink.WriteDetails(LineRole::Detail, LineKind::Caption, QStringLiteral("a"), QString(), 1);
    sink.WriteDetails(LineRole::Detail, LineKind::Caption, QStringLiteral("b"), QString(), 1);
    EXPECT_EQ(writer.getDetails(), QStringLiteral("  a  b"));
    EXPECT_EQ(writer.getDetails(), QStringLiteral("  a  b"));  // reading keeps the text
}

}  // namespace
