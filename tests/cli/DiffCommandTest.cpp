#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

QString fixture(const char* name) {
    return QStringLiteral(TAV_TEST_DATA "/rptdiff/") + QLatin1StringView(name);
}

// Texts read from design documents end their lines in LF. Each of those lines is a line of the
// difference text of its own, under the marker and number columns.
TEST(DiffCommand, EachLineOfAFormulaStandsUnderTheNumberColumns) {
    QTemporaryDir config;
    ASSERT_TRUE(config.isValid());
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TAVDESK4),
                  {QStringLiteral("-D"),
                   fixture("formula-before.rpt") + u',' + fixture("formula-after.rpt")});
    ASSERT_TRUE(process.waitForFinished(60000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n');

    const QString columns(11, u' ');
    // The changed formula: its first lines numbered, the others under blank columns.
    const qsizetype changed = lines.indexOf(QRegularExpression(
        QStringLiteral("^\u2026 *\\d+      Band, if \\{Orders.Amount\\} > 100$")));
    ASSERT_GE(changed, 0) << lines.join(u'\n').toStdString();
    EXPECT_EQ(
        lines.mid(changed + 1, 5),
        (QStringList{
            columns + QStringLiteral("then \"High\""), columns + QStringLiteral("else \"Low\""),
            QStringLiteral(" ") + QStringLiteral("%1 Band, if {Orders.Amount} > 500")
                                      .arg(lines[changed].mid(1, 4), 9),
            columns + QStringLiteral("then \"High\""), columns + QStringLiteral("else \"Low\"")}));
    // No line anywhere without its columns.
    for (const QString& line : lines) {
        if (line.isEmpty()) continue;
        EXPECT_TRUE(line.startsWith(u' ') || line.startsWith(QChar(0x2026))) << line.toStdString();
    }
}

}  // namespace
