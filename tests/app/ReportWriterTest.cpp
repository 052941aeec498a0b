#include <gtest/gtest.h>

#include "CollectingLineSink.h"

namespace {

TEST(DummyWriter, IndentsByKindAndLevel) {
    struct Case {
        qint32 code;
        qint32 kind;
        const char* text;
        const char* value;
        qint32 level;
        const char* expected;
    };
    const Case cases[] = {
        {1, 1, "Areas", "ignored", 1, "  Areas"},
        {2, 2, "Name =", "X", 1, "    Name = X"},
        {1, 1, "", "", 2, "    "},
        {1, 1, "Top", "", 0, "Top"},
        {1, 2, "Label", "", 0, "  Label "},
        {10, 1, "Areas", "", 1, "  Areas"},  // the role of a line does not change its text
        {1, 3, "never", "written", 1, ""},
        {1, 0, "never", "written", 1, ""},
        {1, 1, "Clamped", "", -2, "Clamped"},
    };
    for (const Case& c : cases) {
        CollectingLineSink writer;
        writer.WriteDetails(c.code, c.kind, QString::fromLatin1(c.text),
                            QString::fromLatin1(c.value), c.level);
        EXPECT_EQ(writer.getDetails(), QString::fromLatin1(c.expected)) << c.text;
    }
}

TEST(DummyWriter, AccumulatesLinesWithoutSeparators) {
    CollectingLineSink writer;
    LineSink& sink = writer;
    sink.WriteDetails(1, 1, QStringLiteral("a"), QString(), 1);
    sink.WriteDetails(1, 3, QStringLiteral("skipped"), QString(), 1);
    sink.WriteDetails(1, 1, QStringLiteral("b"), QString(), 1);
    EXPECT_EQ(writer.getDetails(), QStringLiteral("  a  b"));
    EXPECT_EQ(writer.getDetails(), QStringLiteral("  a  b"));  // reading keeps the text
}

}  // namespace
