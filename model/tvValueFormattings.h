#pragma once

#include <QString>

#include "RtObject.h"

// How a field's value is printed. Plain values; field objects and the field elements of text
// objects fill them from their runtime object with the tvRead… functions below. Codes are the
// runtime's own numbers; the desktop program turns them into display text.

class tvBooleanFormatting {
public:
    qint16 booleanOutputType = 0;
};

class tvCurrencyFormatting {
public:
    bool useOneSymbolPerPage = false;
    qint16 symbolType = 0;
    QString symbol;
    qint16 positionType = 0;
};

class tvDateTimeFormatting {
public:
    qint16 dateWindowsDefaultType = 0;
};

class tvDateFormatting {
public:
    qint16 yearType = 0;
    qint16 monthType = 0;
    qint16 leadingDayType = 0;
    QString leadingDaySeparator;
    qint16 leadingDayPosition = 0;
    qint16 dayType = 0;
    QString suffixSeparator;
    QString secondSeparator;
    QString prefixSeparator;
    qint16 order = 0;
    QString firstSeparator;
    qint16 eraType = 0;
    qint16 calendarType = 0;
};

class tvNumberFormatting {
public:
    QString zeroValueString;
    QString thousandSymbol;
    bool thousandsSeparators = false;
    qint16 roundingType = 0;
    qint16 negativeType = 0;
    bool displayReverseSign = false;
    QString decimalSymbol;
    qint16 decimalPlaces = 0;
};

class tvParagraphFormatting {
public:
    qint32 rightIndent = 0;
    qint16 lineSpacingType = 0;
    double lineSpacing = 0.0;
    qint32 leftIndent = 0;
    qint32 firstLineIndent = 0;
    qint16 textFormat = 0;  // stays 0 in a text object's paragraph formatting
};

class tvTimeFormatting {
public:
    bool useLeadingZero = false;
    bool useSystemDefaults = false;
    qint16 timeBase = 0;
    qint16 secondType = 0;
    QString pmString;
    qint16 minuteType = 0;
    QString minuteSecondSeparator;
    qint16 hourType = 0;
    QString hourMinuteSeparator;
    QString amString;
    qint16 amPmPosition = 0;
};

// Each fills every member of one formatting from a runtime field object or field element, in a
// fixed order (the order of the member names, read by those names); a failing read or a code
// that does not fit 16 bits ends the fill there.
void tvReadBooleanFormatting(tvBooleanFormatting& formatting, const rt::Object& crObject);
void tvReadCurrencyFormatting(tvCurrencyFormatting& formatting, const rt::Object& crObject);
void tvReadDateTimeFormatting(tvDateTimeFormatting& formatting, const rt::Object& crObject);
void tvReadDateFormatting(tvDateFormatting& formatting, const rt::Object& crObject);
void tvReadNumberFormatting(tvNumberFormatting& formatting, const rt::Object& crObject);
void tvReadTimeFormatting(tvTimeFormatting& formatting, const rt::Object& crObject);
// A text object stops before `textFormat`: pass false.
void tvReadParagraphFormatting(tvParagraphFormatting& formatting, const rt::Object& crObject,
                               bool withTextFormat = true);
