#pragma once

#include <QByteArray>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "tvArea.h"
#include "tvCollections.h"
#include "tvConditionalFormula.h"
#include "tvReport.h"
#include "tvSection.h"

// A report whose only content is the given areas (the <Area> elements), after the given
// database and field definitions.
inline QByteArray reportWithAreas(const QByteArray& areas,
                                  const QByteArray& definitions = "<Database/><ExportOptions/>") {
    return "<Report>" + definitions + "<Areas>" + areas + "</Areas></Report>";
}

// A report with one page header holding one section with the given content (report objects
// inside <ReportObjects>, section formulas) and section attributes.
inline QByteArray reportWithSection(const QByteArray& content, const QByteArray& attributes = {}) {
    return reportWithAreas("<Area kind='2' name='PageHeaderArea1'><Sections><Section " +
                           attributes + ">" + content + "</Section></Sections></Area>");
}

inline QByteArray reportWithObjects(const QByteArray& objects) {
    return reportWithSection("<ReportObjects>" + objects + "</ReportObjects>");
}

// The report object at `position` in the first section of the first area, as the class the
// test expects it to be.
template <class T>
const T& objectAt(const tvReport& report, int position, int area = 1, int section = 1) {
    const auto* object = dynamic_cast<const T*>(
        &report.tvAreas.Item(area).tvSections.Item(section).reportObjects.Item(position));
    if (!object) throw std::runtime_error("object of another class");
    return *object;
}

// Caption and text of each formula, in list order, printable by the test framework.
using FormulaList = std::vector<std::pair<std::string, std::string>>;

inline FormulaList formulaList(const tvConditionalFormulas& formulas) {
    FormulaList list;
    for (const tvConditionalFormula& f : formulas) {
        list.emplace_back(f.conditionalFieldName.toStdString(),
                          f.conditionalFormulaText.toStdString());
    }
    return list;
}

inline std::vector<std::string> captions(const tvConditionalFormulas& formulas) {
    std::vector<std::string> list;
    for (const tvConditionalFormula& f : formulas)
        list.push_back(f.conditionalFieldName.toStdString());
    return list;
}
