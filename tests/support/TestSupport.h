#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

#include "CountingRuntime.h"
#include "DesignDocument.h"
#include "tvReport.h"

// Paths of the fixtures, passed in by the build.
inline QString testData(const QString& relative) {
    return QStringLiteral(TAV_TEST_DATA "/") + relative;
}
inline QString sampleReport(const QString& relative) {
    return QStringLiteral(TAV_SAMPLES "/") + relative;
}

// The runtime report of a design document given as text, counted (CountingRuntime.h).
inline std::unique_ptr<rt::Object> runtimeReport(const QByteArray& xml) {
    return countedRuntime(rt::DesignDocument::parse(xml, QStringLiteral("fixture"))->report());
}

// Loads a report file as tvReport::init(path, showSQL, promptForParameters) does, through
// runtime objects that are counted (CountingRuntime.h).
inline void loadReportFile(tvReport& report, const QString& path, qint16 showSQL = 0,
                           qint16 promptForParameters = 0) {
    auto crReport = countedRuntime(rt::Application().openReport(path));
    report.init(path, showSQL, promptForParameters, crReport, false);
}

// Loads a model from a design document given as text, as a main report named `name`.
inline std::unique_ptr<tvReport> loadReport(const QByteArray& xml,
                                            const QString& name = QStringLiteral("fixture.rpt")) {
    auto report = std::make_unique<tvReport>();
    auto crReport = runtimeReport(xml);
    report->init(name, 0, 0, crReport, false);
    return report;
}

// The number of the runtime error that `call` fails with; 0 when it does not fail.
inline long errorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const rt::Error& e) {
        return e.number();
    }
    return 0;
}
