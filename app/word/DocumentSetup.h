#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "DocumentTemplate.h"
#include "DocxDocument.h"
#include "ExtractOptions.h"

class tvReport;

namespace tav::word {

// The measures of the document, in points.
inline constexpr double ptOneInch = 72;
inline constexpr double ptThreeQuarterInch = 54;
inline constexpr double ptHalfInch = 36;
inline constexpr double ptMinusHalfInch = -36;
inline constexpr double ptFourTenthsInch = 28.8;
inline constexpr double ptThreeTenthsInch = 21.6;
inline constexpr double ptFifthInch = 14.4;
inline constexpr double ptZero = 0;

// The sizes a document can give a font, in points.
inline constexpr double kSmallestPointSize = 1;
inline constexpr double kLargestPointSize = 1638;

// The size of a font setting; nothing when it is no number.
std::optional<double> settingSize(const core::FontSetting& font);

// The Word colour of a font setting's colour name (exact match; 0, black, for any other name).
// An empty name becomes "Black" in the setting itself, so that it is stored that way.
qint32 GetWordColor(QString& colourName);

// The font of a setting, its size changed by `sizeChange` points and held to what a document can
// give; `withColor` false leaves the colour the style already has.
tvdocx::RunFormat fontOf(core::FontSetting& font, double sizeChange = 0, bool withColor = true);

// Sets up a report's document before its text is written: the page, header, footer and styles
// of a new document from the font settings, or the styles that a template's document lacks. The
// profile gets the names of the styles that the document's text is written in.
class DocumentSetup {
public:
    DocumentSetup(tvdocx::Document& document, DocumentTemplate& profile,
                  core::ExtractOptions& options);

    // A new document for the report file `fileName` (extension kept) whose full path is
    // `reportPath`: margins, header, footer, the numbered headings and the table of contents'
    // levels, all in the fonts of the settings.
    void SetupNewDocument(const QString& reportPath, const QString& fileName);
    // On a template's document: adds each style that the profile names and the template lacks,
    // defined as in a new document; the names of those added. A style of the wrong kind for its
    // role is not used: the role takes its usual style, and `refused` tells the user why.
    QStringList completeTemplateStyles(QStringList* refused = nullptr);
    // The style of a setting's label; a template may define it itself.
    void SetupPropertyTitleStyle();

    // Fills the fields " ReportName ", " ReportDateTime " and " ReportRevision " of the body,
    // header and footer with the report's values.
    void ReplaceTemplateFields(const tvReport& report, const QString& fileName);

private:
    void SetupPage(const QString& reportPath, const QString& fileName);
    void SetupStyles();
    void SetupTableFontStyle();

    tvdocx::Document& document_;
    DocumentTemplate& profile_;
    core::ExtractOptions& options_;
};

}  // namespace tav::word
