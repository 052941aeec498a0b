#pragma once

#include <QByteArray>
#include <string>
#include <utility>
#include <vector>

#include "tvCollections.h"
#include "tvConditionalFormula.h"

// A report whose only content is the given areas (the <Area> elements).
inline QByteArray reportWithAreas(const QByteArray& areas) {
    return "<Report><Database/><ExportOptions/><Areas>" + areas + "</Areas></Report>";
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
