#pragma once

#include <QString>

#include "RtObject.h"
#include "tvCollections.h"
#include "tvConditionalFormula.h"

// The runtime's number of a section's CSS-class formula. It has a number of its own: the
// background colour's formula is number 8.
inline constexpr qint16 tvSectionCssClassFormulaNumber = 11;

// Appends the formula with runtime number `index` of `crObject` (a report object, field element
// or section) under `caption`, when the runtime has one. An empty formula adds nothing; a formula
// of blanks is kept. Never fails: a formula that cannot be read is left out.
void AddConditionalFormula(const rt::Object& crObject, qint16 index, const QString& caption,
                           tvConditionalFormulas& formulas) noexcept;

// The formulas of one formatting group, in the group's fixed caption order.
void AddBorderConditionalFormulas(const rt::Object& crObject, tvConditionalFormulas& formulas);
void AddBooleanConditionalFormulas(const rt::Object& crObject, tvConditionalFormulas& formulas);
// With `firstOnly`, only the group's first row ("Suppress if Duplicated: ") is read.
void AddCommonConditionalFormulas(const rt::Object& crObject, tvConditionalFormulas& formulas,
                                  bool firstOnly);
void AddSectionConditionalFormulas(const rt::Object& crObject, tvConditionalFormulas& formulas);
void AddSubreportConditionalFormulas(const rt::Object& crObject, tvConditionalFormulas& formulas);
void AddTimeConditionalFormulas(const rt::Object& crObject, tvConditionalFormulas& formulas);
void AddParagraphConditionalFormulas(const rt::Object& crObject, tvConditionalFormulas& formulas);
void AddDateConditionalFormulas(const rt::Object& crObject, tvConditionalFormulas& formulas);
void AddDateTimeConditionalFormulas(const rt::Object& crObject, tvConditionalFormulas& formulas);
void AddFontConditionalFormulas(const rt::Object& crObject, tvConditionalFormulas& formulas);
// Currency formulas belong to the number group.
void AddNumberConditionalFormulas(const rt::Object& crObject, tvConditionalFormulas& formulas);
