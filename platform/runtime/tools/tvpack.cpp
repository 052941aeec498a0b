// Packs a design document into a compound report file: the document itself in the stream
// "ReportDesign", and summary information taken from its <Report> element and the options.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTimeZone>
#include <cstdio>
#include <optional>

#include "CompoundFile.h"
#include "DesignDocument.h"
#include "RtError.h"

namespace {

constexpr int kFailed = 1;
constexpr int kUsageError = 2;

void complain(const QString& message) { std::fprintf(stderr, "tvpack: %s\n", qPrintable(message)); }

// An ISO 8601 date or date-time; one written without an offset is taken as UTC, the time base
// of the property set.
std::optional<QDateTime> parseIsoDateTime(const QString& text) {
    QDateTime value = QDateTime::fromString(text, Qt::ISODate);
    if (!value.isValid()) {
        const QDate date = QDate::fromString(text, Qt::ISODate);
        if (!date.isValid()) return std::nullopt;
        value = QDateTime(date, QTime(0, 0));
    }
    if (value.timeSpec() == Qt::LocalTime) {
        value = QDateTime(value.date(), value.time(), QTimeZone::utc());
    }
    return value.toUTC();
}

std::optional<qint64> parseCount(const QString& text) {
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < 0) return std::nullopt;
    return value;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Packs a report design document into a compound report file. Title, subject, author,\n"
        "keywords, comments and template come from the document's <Report> element."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("design"), QStringLiteral("the design document"));
    parser.addPositionalArgument(QStringLiteral("report"),
                                 QStringLiteral("the report file to write"));
    const QCommandLineOption revision(QStringLiteral("revision"),
                                      QStringLiteral("revision number (default 1)"),
                                      QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption editMinutes(QStringLiteral("edit-minutes"),
                                         QStringLiteral("total editing time in minutes"),
                                         QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption lastSavedBy(QStringLiteral("last-saved-by"),
                                         QStringLiteral("who saved the file last"),
                                         QStringLiteral("TEXT"));
    const QCommandLineOption created(QStringLiteral("created"),
                                     QStringLiteral("creation date-time (default now)"),
                                     QStringLiteral("ISO"));
    const QCommandLineOption lastSaved(QStringLiteral("last-saved"),
                                       QStringLiteral("last saved date-time (default now)"),
                                       QStringLiteral("ISO"));
    const QCommandLineOption lastPrinted(QStringLiteral("last-printed"),
                                         QStringLiteral("last printed date-time (default never)"),
                                         QStringLiteral("ISO"));
    parser.addOptions({revision, editMinutes, lastSavedBy, created, lastSaved, lastPrinted});

    if (!parser.parse(app.arguments())) {
        complain(parser.errorText());
        return kUsageError;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2) {
        complain(
            QStringLiteral("usage: tvpack <design.xml> <out.rpt> [--revision N] "
                           "[--edit-minutes N] [--last-saved-by TEXT] [--created ISO] "
                           "[--last-saved ISO] [--last-printed ISO]"));
        return kUsageError;
    }

    rt::SummaryInformation info;
    const auto revisionValue = parseCount(parser.value(revision));
    const auto minutes = parseCount(parser.value(editMinutes));
    if (!revisionValue || !minutes) {
        complain(QStringLiteral("--revision and --edit-minutes take a whole number of 0 or more"));
        return kUsageError;
    }
    info.revisionNumber = QString::number(*revisionValue);
    info.editTimeMinutes = *minutes;
    info.lastSavedBy = parser.value(lastSavedBy);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    struct DateOption {
        const QCommandLineOption& option;
        QDateTime rt::SummaryInformation::*member;
        QDateTime fallback;
    };
    for (const DateOption& d :
         {DateOption{created, &rt::SummaryInformation::created, now},
          DateOption{lastSaved, &rt::SummaryInformation::lastSaved, now},
          DateOption{lastPrinted, &rt::SummaryInformation::lastPrinted, {}}}) {
        if (!parser.isSet(d.option)) {
            info.*d.member = d.fallback;
            continue;
        }
        const auto value = parseIsoDateTime(parser.value(d.option));
        if (!value) {
            complain(QStringLiteral("--%1: \"%2\" is no ISO 8601 date-time")
                         .arg(d.option.names().constFirst(), parser.value(d.option)));
            return kUsageError;
        }
        info.*d.member = *value;
    }

    const QString designPath = files[0];
    const QString reportPath = files[1];
    QFile designFile(designPath);
    if (!designFile.open(QIODevice::ReadOnly)) {
        complain(QStringLiteral("%1: %2").arg(designPath, designFile.errorString()));
        return kFailed;
    }
    const QByteArray design = designFile.readAll();
    try {
        // A document that the runtime would refuse is never packed.
        const auto report = rt::DesignDocument::parse(design, designPath)->report();
        info.title = report->text("reportTitle");
        info.subject = report->text("reportSubject");
        info.author = report->text("reportAuthor");
        info.keywords = report->text("keywordsInReport");
        info.comments = report->text("reportComments");
        info.templateName = report->text("reportTemplate");
        rt::writeReportFile(reportPath, design, info);
    } catch (const rt::Error& e) {
        complain(e.description());
        return kFailed;
    }
    return 0;
}
