#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <random>

#include "TestSupport.h"

namespace {

// Damaged designs either load or fail with an error: never a crash, never a runtime object left.
// Each sample's design is damaged many times over, in ways a broken file or a careless hand can:
// values replaced by huge, negative or wrong numbers, by text, or removed, and elements dropped.
TEST(Robustness, DamagedSampleDesignsLoadOrFailCleanly) {
    const QDir dir(sampleReport(QString()));
    const QStringList designs = dir.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name);
    ASSERT_FALSE(designs.isEmpty());
    std::mt19937 random(20261210);
    const QStringList replacements = {QStringLiteral("0"),     QStringLiteral("-1"),
                                      QStringLiteral("99999"), QStringLiteral("4294967296"),
                                      QStringLiteral("x"),     QString(),
                                      QStringLiteral("3"),     QStringLiteral("16")};
    static const QRegularExpression value(QStringLiteral("=\"[^\"]*\""));
    int loaded = 0;
    int failed = 0;
    for (const QString& name : designs) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString original = QString::fromUtf8(file.readAll());
        std::vector<qsizetype> positions;
        for (auto it = value.globalMatch(original); it.hasNext();) {
            positions.push_back(it.next().capturedStart());
        }
        ASSERT_FALSE(positions.empty());
        for (int round = 0; round < 150; ++round) {
            QString design = original;
            for (int edit = 0; edit < 3; ++edit) {
                const qsizetype at = positions[random() % positions.size()];
                const auto match = value.match(design, at);
                if (!match.hasMatch()) continue;
                const QString replacement = replacements[random() % replacements.size()];
                design.replace(match.capturedStart(), match.capturedLength(),
                               QStringLiteral("=\"") + replacement + u'"');
            }
            if (round % 5 == 0) {  // drop one element that has no children
                const qsizetype start = design.indexOf(u'<', random() % design.size());
                const qsizetype end = start < 0 ? -1 : design.indexOf(QStringLiteral("/>"), start);
                if (start > 0 && end > start && design.mid(start, end - start).count(u'<') == 1) {
                    design.remove(start, end - start + 2);
                }
            }
            try {
                loadReport(design.toUtf8());
                ++loaded;
            } catch (const rt::Error&) {
                ++failed;
            }
            ASSERT_EQ(liveRuntimeObjects(), 0) << qPrintable(name) << " round " << round;
        }
    }
    EXPECT_GT(loaded, 0);
    EXPECT_GT(failed, 0);
}

}  // namespace
