// Loads each report file given (a folder gives its .rpt files in name order) and prints one
// line per report: file name, title and number of areas.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "tvReport.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList files;
    for (const QString& arg : app.arguments().mid(1)) {
        const QFileInfo info(arg);
        if (info.isDir()) {
            const QDir dir(arg);
            for (const QFileInfo& f : dir.entryInfoList(QDir::Files, QDir::Name)) {
                if (f.suffix().compare(QLatin1StringView("rpt"), Qt::CaseInsensitive) == 0) {
                    files << f.filePath();
                }
            }
        } else {
            files << arg;
        }
    }
    int failures = 0;
    for (const QString& file : files) {
        tvReport report;
        try {
            report.init(file, 0, 0);
            std::printf("%s\t%s\t%lld areas\n", qPrintable(QFileInfo(file).fileName()),
                        qPrintable(report.reportTitle), static_cast<long long>(report.tvAreas.Count()));
        } catch (const rt::Error& e) {
            ++failures;
            std::fprintf(stderr, "%s: error %ld: %s\n", qPrintable(file), e.number(),
                         qPrintable(e.description()));
        }
    }
    return failures == 0 ? 0 : 1;
}
