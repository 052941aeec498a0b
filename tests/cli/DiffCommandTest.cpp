#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <vector>

namespace {

QString fixture(const char* name) {
    return QStringLiteral(TAV_TEST_DATA "/rptdiff/") + QLatin1StringView(name);
}

struct DiffRun {
    int exitStatus = -1;
    QStringList output;
    QString error;
};

// Runs -D on two reports without any display, with settings of its own: the switches the
// settings file leaves unset are on.
DiffRun compareReports(const QString& first, const QString& second) {
    QTemporaryDir config;
    EXPECT_TRUE(config.isValid());
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TAVDESK4), {QStringLiteral("-D"), first + u',' + second});
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()).split(u'\n'),
            QString::fromUtf8(process.readAllStandardError())};
}

// Texts read from design documents end their lines in LF. Each of those lines is a line of the
// difference text of its own, under the marker and number columns.
TEST(DiffCommand, EachLineOfAFormulaStandsUnderTheNumberColumns) {
    const DiffRun run = compareReports(fixture("formula-before.rpt"), fixture("formula-after.rpt"));
    ASSERT_EQ(run.exitStatus, 0) << run.error.toStdString();
    const QStringList& lines = run.output;

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

namespace {

// A formula written as a design document of its own.
QString formulaReport(const QTemporaryDir& dir, const QString& file, const QString& name) {
    QFile report(dir.filePath(file));
    EXPECT_TRUE(report.open(QIODevice::WriteOnly));
    report.write(QStringLiteral("<Report><Database/><ExportOptions/><FormulaFields>"
                                "<FormulaField kind=\"2\" name=\"%1\" text=\"{T.a}\"/>"
                                "</FormulaFields></Report>")
                     .arg(name)
                     .toUtf8());
    return report.fileName();
}

// A formula's name counts as a number only when it converts to one. A name of digits, dots and
// blanks in another order is the formula's key: renamed, the formula of each report stands on
// its own line.
TEST(DiffCommand, ANameThatHoldsDigitsIsAKeyNotANumber) {
    const struct {
        const char* before;
        const char* after;
        bool sameItem;
    } cases[] = {
        {"1.2.3", "1.2.4", false},
        {"10 20", "10 21", false},
        {"10", " 21 ", true},
        {"-1.5", "2", true},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before);
        const DiffRun run = compareReports(formulaReport(dir, "a.xml", QLatin1String(c.before)),
                                       formulaReport(dir, "b.xml", QLatin1String(c.after)));
        ASSERT_EQ(run.exitStatus, 0) << run.error.toStdString();
        const QStringList lines = run.output.filter(QStringLiteral("{T.a}"));
        if (c.sameItem) {
            // One item under two numbers, its text unchanged: one equal line.
            ASSERT_EQ(lines.size(), 1) << run.output.join(u'\n').toStdString();
            EXPECT_FALSE(lines[0].startsWith(QChar(0x2026))) << lines[0].toStdString();
        } else {
            // The first report's formula alone, then the second's.
            ASSERT_EQ(lines.size(), 2) << run.output.join(u'\n').toStdString();
            auto record = [](const char* name) {
                return QRegularExpression::escape(QLatin1String(name) + QStringLiteral(", {T.a}")) +
                       u'$';
            };
            EXPECT_TRUE(lines[0].contains(
                QRegularExpression(QStringLiteral("^\u2026[ 0-9]{4} {6}") + record(c.before))))
                << lines[0].toStdString();
            EXPECT_TRUE(lines[1].contains(
                QRegularExpression(QStringLiteral("^\u2026 {5}[ 0-9]{4} ") + record(c.after))))
                << lines[1].toStdString();
        }
    }
}

// A report whose database needs a logon, which the command line cannot ask for, is compared
// without its SQL text; standard error says so once for each such report, named as it was given.
TEST(DiffCommand, SaysOnceForEachReportThatItsSqlTextIsLeftOut) {
    const QString samples = QStringLiteral(TAV_SAMPLES "/");
    const struct {
        const char* first;
        const char* second;
        std::vector<const char*> named;
    } cases[] = {
        {"fields.rpt", "list.rpt", {"fields.rpt"}},
        {"list.rpt", "objects.rpt", {"objects.rpt"}},
        {"fields.rpt", "objects.rpt", {"fields.rpt", "objects.rpt"}},
        {"fields.rpt", "fields.rpt", {"fields.rpt"}},
        {"list.rpt", "layout.rpt", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.first) + "," + c.second);
        const DiffRun run =
            compareReports(samples + QLatin1String(c.first), samples + QLatin1String(c.second));
        EXPECT_EQ(run.exitStatus, 0);
        QStringList expected;
        for (const char* report : c.named) {
            expected << QStringLiteral(
                            "The SQL text of Report: %1 is left out: its database needs "
                            "a logon, which a command-line run cannot ask for")
                            .arg(samples + QLatin1String(report));
        }
        EXPECT_EQ(run.error.split(u'\n', Qt::SkipEmptyParts), expected);
        EXPECT_TRUE(run.output.contains(QStringLiteral("    1    1 Report Summary Information")));
    }
}

}  // namespace
