#include "tvValueFormattings.h"

#include "tvTypes.h"

namespace {

qint16 code(const rt::Object& cr, const char* member) { return tvInteger(cr.integer(member)); }

}  // namespace

void tvReadBooleanFormatting(tvBooleanFormatting& f, const rt::Object& cr) {
    f.booleanOutputType = code(cr, "booleanOutputType");
}

void tvReadCurrencyFormatting(tvCurrencyFormatting& f, const rt::Object& cr) {
    f.positionType = code(cr, "positionType");
    f.symbol = cr.text("symbol");
    f.symbolType = code(cr, "symbolType");
    f.useOneSymbolPerPage = cr.flag("useOneSymbolPerPage");
}

void tvReadDateTimeFormatting(tvDateTimeFormatting& f, const rt::Object& cr) {
    f.dateWindowsDefaultType = code(cr, "dateWindowsDefaultType");
}

void tvReadDateFormatting(tvDateFormatting& f, const rt::Object& cr) {
    f.calendarType = code(cr, "calendarType");
    f.dayType = code(cr, "dayType");
    f.eraType = code(cr, "eraType");
    f.firstSeparator = cr.text("firstSeparator");
    f.leadingDayPosition = code(cr, "leadingDayPosition");
    f.leadingDaySeparator = cr.text("leadingDaySeparator");
    f.leadingDayType = code(cr, "leadingDayType");
    f.monthType = code(cr, "monthType");
    f.order = code(cr, "order");
    f.prefixSeparator = cr.text("prefixSeparator");
    f.secondSeparator = cr.text("secondSeparator");
    f.suffixSeparator = cr.text("suffixSeparator");
    f.yearType = code(cr, "yearType");
}

void tvReadNumberFormatting(tvNumberFormatting& f, const rt::Object& cr) {
    f.decimalPlaces = code(cr, "decimalPlaces");
    f.decimalSymbol = cr.text("decimalSymbol");
    f.displayReverseSign = cr.flag("displayReverseSign");
    f.negativeType = code(cr, "negativeType");
    f.roundingType = code(cr, "roundingType");
    f.thousandsSeparators = cr.flag("thousandsSeparators");
    f.thousandSymbol = cr.text("thousandSymbol");
    f.zeroValueString = cr.text("zeroValueString");
}

void tvReadTimeFormatting(tvTimeFormatting& f, const rt::Object& cr) {
    f.amPmPosition = code(cr, "amPmPosition");
    f.amString = cr.text("amString");
    f.hourMinuteSeparator = cr.text("hourMinuteSeparator");
    f.hourType = code(cr, "hourType");
    f.minuteSecondSeparator = cr.text("minuteSecondSeparator");
    f.minuteType = code(cr, "minuteType");
    f.pmString = cr.text("pmString");
    f.secondType = code(cr, "secondType");
    f.timeBase = code(cr, "timeBase");
    f.useLeadingZero = cr.flag("useLeadingZero");
    f.useSystemDefaults = cr.flag("useSystemDefaults");
}

void tvReadParagraphFormatting(tvParagraphFormatting& f, const rt::Object& cr,
                               bool withTextFormat) {
    f.firstLineIndent = tvLong(cr.integer("firstLineIndent"));
    f.leftIndent = tvLong(cr.integer("leftIndent"));
    f.lineSpacing = cr.real("lineSpacing");
    f.lineSpacingType = code(cr, "lineSpacingType");
    f.rightIndent = tvLong(cr.integer("rightIndent"));
    if (withTextFormat) f.textFormat = code(cr, "textFormat");
}
