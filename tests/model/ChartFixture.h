#pragma once

#include <QByteArray>
#include <QSet>
#include <memory>

#include "FaultyRuntime.h"
#include "LayoutFixture.h"
#include "TestSupport.h"
#include "tvDatabase.h"
#include "tvDatabaseFieldDefinition.h"
#include "tvFormulaField.h"
#include "tvSummaryFieldDefinition.h"

// Fixtures for cross-tabs, charts and BLOB field objects: a table Orders with a region, an amount
// and a photo, and a formula Amount over the amount, then one section holding `objects`.
inline QByteArray ordersWithObjects(const QByteArray& objects) {
    return reportWithAreas(
        "<Area kind='2' name='PageHeaderArea1'><Sections><Section><ReportObjects>" + objects +
            "</ReportObjects></Section></Sections></Area>",
        R"(<Database><Tables><Table name="Orders"><Fields>
             <Field kind="1" name="Orders.Region" valueType="12"/>
             <Field kind="1" name="Orders.Amount" valueType="8"/>
             <Field kind="1" name="Orders.Photo" valueType="15"/>
           </Fields></Table></Tables></Database><ExportOptions/>
           <FormulaFields>
             <FormulaField kind="2" name="Amount" valueType="7"><text>{Orders.Amount}</text></FormulaField>
           </FormulaFields>)");
}

// A runtime summary item of a cross-tab or chart.
inline QByteArray summaryItem(int summaryType, const QByteArray& summarizedField) {
    return "<SummaryField kind='3' name='runtime name' valueType='7' summaryType='" +
           QByteArray::number(summaryType) + "' summarizedField='" + summarizedField + "'/>";
}

// Loads through a runtime whose chosen collection items are no object ("Type.collection:n") and
// whose chosen members fail.
inline std::unique_ptr<tvReport> loadWithFaults(const QByteArray& xml, QSet<QString> missing,
                                                QSet<QString> failing = {}) {
    const FaultyRuntime faults(std::move(failing), std::move(missing));
    auto crReport = faults.wrap(runtimeReport(xml));
    auto report = std::make_unique<tvReport>();
    report->init(QStringLiteral("fixture.rpt"), 0, 0, crReport, false);
    return report;
}

inline tvDatabaseFieldDefinition* ordersColumn(const tvReport& report, const char* name) {
    return &report.tvDatabase->allFields.Item(QString::fromLatin1(name));
}

inline QStringList definitionNames(const tvSummaryFieldDefinitions& summaries) {
    QStringList names;
    for (const tvSummaryFieldDefinition& s : summaries) names << s.name;
    return names;
}
