#include <gtest/gtest.h>

#include "RecordingReporter.h"
#include "TextUtilities.h"

using namespace tav::core;

namespace {

struct FieldCase {
    const char* text;
    const char* delimiter;
    qsizetype n;
    const char* expected;
};

TEST(TextUtilities, GetDelimitedFieldPicksTheNthField) {
    const FieldCase cases[] = {
        {"a.b.c", ".", 1, "a"},    {"a.b.c", ".", 3, "c"}, {"a.b.c", ".", 4, ""},
        {"a.b.c", ".", 0, ""},     {"a.b.c", ".", -1, ""}, {"a..c", ".", 2, ""},
        {"a..c", ".", 3, "c"},     {"a.", ".", 2, ""},     {"", ".", 1, ""},
        {"a.b", "", 1, ""},        {"aXbxc", "x", 2, "c"}, {"aXbxc", "x", 1, "aXb"},
        {"a, b, c", ", ", 2, "b"}, {"abc", ".", 1, "abc"},
    };
    for (const FieldCase& c : cases) {
        EXPECT_EQ(
            GetDelimitedField(QString::fromLatin1(c.text), QString::fromLatin1(c.delimiter), c.n),
            QString::fromLatin1(c.expected))
            << c.text << " / " << c.delimiter << " / " << c.n;
    }
}

struct ReplaceCase {
    const char* text;
    const char* find;
    const char* replacement;
    const char* expected;
};

TEST(TextUtilities, ReplaceTextReplacesLeftToRightWithoutRescanning) {
    const ReplaceCase cases[] = {
        {"a&b&c", "&", "&&", "a&&b&&c"},  // a replacement holding the search text ends
        {"x\r\ny\r\nz", "\r\n", " ", "x y z"},
        {"aaa", "aa", "b", "ba"},
        {"abcabc", "b", "", "acac"},
        {"abc", "b", "XYZ", "aXYZc"},
        {"abc", "d", "e", "abc"},
        {"Abc", "a", "x", "Abc"},  // case-sensitive
        {"abc", "", "x", "abc"},   // an empty search text changes nothing
    };
    for (const ReplaceCase& c : cases) {
        QString text = QString::fromLatin1(c.text);
        ReplaceText(text, QString::fromLatin1(c.find), QString::fromLatin1(c.replacement));
        EXPECT_EQ(text, QString::fromLatin1(c.expected)) << c.text;
    }
}

TEST(TextUtilities, PositionsAndCountsGoBeyond16Bits) {
    const qsizetype fields = 70000;
    QString text;
    for (qsizetype i = 1; i <= fields; ++i) text += QString::number(i) + u',';
    EXPECT_EQ(text.count(u','), fields);
    EXPECT_EQ(GetDelimitedField(text, QStringLiteral(","), fields), QStringLiteral("70000"));
    EXPECT_EQ(GetDelimitedField(text, QStringLiteral(","), fields + 1), QString());
    ReplaceText(text, QStringLiteral(","), QStringLiteral(";;"));
    EXPECT_EQ(text.count(QStringLiteral(";;")), fields);
}

}  // namespace

namespace {

// Control characters are shown, each as it would be written in a program; printable text,
// a backslash and characters beyond ASCII stay as they are.
TEST(TextUtilities, ControlCharactersAreShownVisibly) {
    const struct {
        QString text;
        QString shown;
    } cases[] = {
        {QStringLiteral("a\nb\rc\td"), QStringLiteral("a\\nb\\rc\\td")},
        {QString(QChar(u'\0')) + QStringLiteral("x"), QStringLiteral("\\0x")},
        {QStringLiteral("\x1b[31m\x7f"), QStringLiteral("\\x1b[31m\\x7f")},
        {QStringLiteral("/r/été \\n.rpt"), QStringLiteral("/r/été \\n.rpt")},
        {QString(QChar(0x85)) + QChar(0x2028), QString(QChar(0x85)) + QChar(0x2028)},
        {QString(), QString()},
    };
    for (const auto& c : cases) EXPECT_EQ(withVisibleControls(c.text), c.shown);
}

}  // namespace

namespace {

// A message keeps its own line breaks, a line feed or CR LF; every other control character in it
// is shown, a NUL as before.
TEST(TextUtilities, AMessageKeepsItsLineBreaksAndShowsOtherControls) {
    RecordingReporter reporter;
    reporter.message(QStringLiteral("first\r\nsecond\tx\rend\n") + QChar(u'\0'),
                     QStringLiteral("a\tb"));
    EXPECT_EQ(reporter.messages, QStringList{QStringLiteral("first\r\nsecond\\tx\\rend\n\\0")});
    EXPECT_EQ(reporter.titles, QStringList{QStringLiteral("a\\tb")});
}

}  // namespace
