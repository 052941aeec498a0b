#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

#include "DesignDocument.h"
#include "tvReport.h"

// Paths of the fixtures, passed in by the build.
inline QString testData(const QString& relative) {
    return QStringLiteral(TAV_TEST_DATA "/") + relative;
}
inline QString sampleReport(const QString& relative) {
    return QStringLiteral(TAV_SAMPLES "/") + relative;
}

// The runtime report of a design document given as text.
inline std::unique_ptr<rt::Object> runtimeReport(const QByteArray& xml) {
    return rt::DesignDocument::parse(xml, QStringLiteral("fixture"))->report();
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
