#pragma once

#include <QString>

namespace tav::word {

// One profile of the Word writer: the template file and the styles used for each kind of text.
// Loaded profiles are detached copies; only the template store changes what is stored.
class DocumentTemplate {
public:
    QString templateName;  // shown in lists; profiles are found by it, case counting
    QString heading1StyleName;
    QString heading2StyleName;
    QString heading3StyleName;
    QString heading4StyleName;  // never stored
    QString normalStyleName;
    QString tocStyleName;
    QString templatePath;            // full path when loaded; the bare file name when stored
    QString propertyTitleStyleName;  // never stored: the Word writer sets it
    QString tableFontStyle;          // never stored: the Word writer sets it
    QString tableStyle;
};

}  // namespace tav::word
