#pragma once

#include <optional>

#include "TestSupport.h"
#include "tvDatabase.h"
#include "tvDatabaseTable.h"
#include "tvFieldDefinitions.h"
#include "tvFieldResolver.h"
#include "tvSortField.h"
#include "tvTableLink.h"

// Small design documents for the field definition tests: one table Orders (OrderID, Amount,
// Quantity) and whatever the test adds after the database.
inline QByteArray ordersReport(const QByteArray& body, const QByteArray& links = QByteArray()) {
    return R"(<Report><Database><Tables>
      <Table name="Orders"><Fields>
        <Field kind="1" name="Orders.OrderID" valueType="5"/>
        <Field kind="1" name="Orders.Amount" valueType="8"/>
        <Field kind="1" name="Orders.Quantity" valueType="3"/>
      </Fields></Table></Tables>)" +
           links + R"(</Database><ExportOptions/>)" + body + "</Report>";
}

// A report with one group sort field on `field`, written inline.
inline QByteArray groupSortOn(const QByteArray& field, const QByteArray& declarations = {}) {
    return ordersReport(declarations + "<GroupSortFields><SortField>" + field +
                        "</SortField></GroupSortFields>");
}

// The error a load fails with, or nullopt when it loads.
inline std::optional<rt::Error> loadFailure(const QByteArray& xml) {
    try {
        loadReport(xml);
    } catch (const rt::Error& e) {
        return e;
    }
    return std::nullopt;
}

// The error number a load fails with, or 0 when it loads.
inline long loadError(const QByteArray& xml) {
    const auto failure = loadFailure(xml);
    return failure ? failure->number() : 0;
}

// The sample report of every kind of field definition.
inline std::unique_ptr<tvReport> loadFieldsSample() {
    auto report = std::make_unique<tvReport>();
    loadReportFile(*report, sampleReport(QStringLiteral("fields.xml")));
    return report;
}
