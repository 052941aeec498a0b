#include <gtest/gtest.h>

#include "ObjectFixtures.h"
#include "tvTextObject.h"

namespace {

// A formula in each group that any of the text object and its elements could list.
const QByteArray kFormulas =
    "<ConditionFormula number='200'>p</ConditionFormula>"
    "<ConditionFormula number='160'>t</ConditionFormula>"
    "<ConditionFormula number='110'>n</ConditionFormula>"
    "<ConditionFormula number='180'>f</ConditionFormula>"
    "<ConditionFormula number='141'>x</ConditionFormula>"
    "<ConditionFormula number='120'>d</ConditionFormula>"
    "<ConditionFormula number='60'>s</ConditionFormula>"
    "<ConditionFormula number='80'>u</ConditionFormula>"
    "<ConditionFormula number='20'>o</ConditionFormula>"
    "<ConditionFormula number='46'>b</ConditionFormula>";

const tvTextObject& onlyText(const tvReport& report) { return objectAt<tvTextObject>(report, 1); }

}  // namespace

// The text is the names of the embedded fields, joined without the literal words; text without
// fields keeps the runtime's text; an only field with an empty name gives an empty text.
TEST(TextObject, TextIsItsFieldNamesOrItsRuntimeText) {
    const struct {
        const char* object;
        const char* text;
        int elements;
    } cases[] = {
        {"<TextObject kind='2' text='Order {Orders.OrderID} of {Orders.Amount}'><FieldElements>"
         "<FieldElement field='1:Orders.OrderID'/><FieldElement field='1:Orders.Amount'/>"
         "</FieldElements></TextObject>",
         "Orders.OrderIDOrders.Amount", 2},
        {"<TextObject kind='2' text='Literal words only'/>", "Literal words only", 0},
        {"<TextObject kind='2' text='{?P}'><FieldElements><FieldElement>"
         "<field kind='4' name='' specialVarType='1'/></FieldElement></FieldElements></TextObject>",
         "", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.object);
        const auto report = loadReport(ordersWithObjects(c.object));
        const tvTextObject& text = onlyText(*report);
        EXPECT_EQ(text.text, QString::fromLatin1(c.text));
        EXPECT_EQ(text.objectName, text.text);
        EXPECT_EQ(text.fieldElements.Count(), c.elements);
    }
}

TEST(TextObject, CopiesItsBagsAndListsOnlyBorderFormulas) {
    const auto report = loadReport(ordersWithObjects(
        "<TextObject kind='2' name='T1' text='x' left='5' top='6' width='7' height='8' "
        "canGrow='false' maxLines='3' horizontalAlignment='1' suppressIfDuplicated='true' "
        "tightHorizontal='true' bottomStyle='2' hyperlinkType='1' firstLineIndent='10' "
        "leftIndent='20' lineSpacing='1.5' lineSpacingType='1' rightIndent='30' textFormat='2' "
        "characterSpacing='4' color='255'>" +
        kFormulas + "</TextObject>"));
    const tvTextObject& text = onlyText(*report);
    EXPECT_EQ(text.kind, tvTextObjectKind);
    EXPECT_EQ(text.commonFormatting.name, u"T1");
    EXPECT_EQ(text.commonFormatting.canGrow, u"False");
    EXPECT_EQ(text.commonFormatting.maxLines, 3);
    EXPECT_TRUE(text.commonFormatting.suppressIfDuplicated);
    EXPECT_EQ(text.borderFormatting.bottomStyle, u"2");
    EXPECT_TRUE(text.borderFormatting.tightHorizontal.isEmpty());
    EXPECT_EQ(text.hyperlinkFormatting.hyperlinkType, 1);
    EXPECT_EQ(text.paragraphFormatting.firstLineIndent, 10);
    EXPECT_EQ(text.paragraphFormatting.leftIndent, 20);
    EXPECT_EQ(text.paragraphFormatting.lineSpacing, 1.5);
    EXPECT_EQ(text.paragraphFormatting.lineSpacingType, 1);
    EXPECT_EQ(text.paragraphFormatting.rightIndent, 30);
    EXPECT_EQ(text.paragraphFormatting.textFormat, 0);  // not read for a text object
    EXPECT_EQ(text.fontFormatting.characterSpacing, 4);
    EXPECT_EQ(text.fontFormatting.color, u"255");
    expectPlace(text.position, 5, 6, 7, 8);
    EXPECT_EQ(captions(text.ConditionalFormulas), std::vector<std::string>({"Border Color: "}));
}

// An element holds every value formatting, also for a string field, and lists its groups in its
// own order: of the common group only "Suppress if Duplicated: ", never a border formula.
TEST(TextObject, ElementHoldsEveryValueFormattingAndItsOwnFormulas) {
    const auto report = loadReport(ordersWithObjects(
        "<TextObject kind='2'><FieldElements><FieldElement field='2:Name' booleanOutputType='3' "
        "symbol='' positionType='2' useOneSymbolPerPage='true' order='1' "
        "dateWindowsDefaultType='1' characterSpacing='2' color='16' decimalPlaces='0' "
        "textFormat='2' hourType='1' maxNumberOfLines='5' suppressIfDuplicated='true' "
        "suppressIfZero='true'>" +
            kFormulas + "<font name='Courier'/></FieldElement></FieldElements></TextObject>",
        "<FormulaFields><FormulaField kind='2' name='Name' valueType='12'/></FormulaFields>"));
    const tvTextObject& text = onlyText(*report);
    const tvFieldElement& e = text.fieldElements.Item(1);
    EXPECT_EQ(e.parent, &text);
    EXPECT_EQ(e.fieldDefinition, &report->tvFormulaFields.Item("Name"));
    EXPECT_EQ(e.booleanFormatting.booleanOutputType, 3);
    EXPECT_TRUE(e.currencyFormatting.symbol.isEmpty());
    EXPECT_EQ(e.currencyFormatting.positionType, 2);
    EXPECT_TRUE(e.currencyFormatting.useOneSymbolPerPage);
    EXPECT_EQ(e.dateFormatting.order, 1);
    EXPECT_EQ(e.dateTimeFormatting.dateWindowsDefaultType, 1);
    EXPECT_EQ(e.fontFormatting.color, u"16");
    EXPECT_EQ(e.fontFormatting.font.name, u"Courier");
    EXPECT_EQ(e.numberFormatting.decimalPlaces, 0);
    EXPECT_EQ(e.paragraphFormatting.textFormat, 2);
    EXPECT_EQ(e.timeFormatting.hourType, 1);
    EXPECT_EQ(e.maxNumberOfLines, 5);
    EXPECT_TRUE(e.suppressIfDuplicated);
    EXPECT_TRUE(e.suppressIfZero);
    // The element's own pair stays empty: the runtime's values are in the formattings.
    EXPECT_FALSE(e.useOneSymbolPerPage);
    EXPECT_EQ(e.textFormat, 0);
    EXPECT_EQ(captions(e.ConditionalFormulas),
              std::vector<std::string>(
                  {"Boolean Output Format: ", "Suppress if Duplicated: ", "Year Format: ",
                   "Date Time Separator: ", "Font Color: ", "Has One Symbol Per Page: ",
                   "Text Interpretation: ", "Time Base: "}));
}

// A field embedded twice is one definition; a special field is a definition of its own each
// time it is used.
TEST(TextObject, ElementsShareDefinitionsExceptSpecialFields) {
    const auto report = loadReport(ordersWithObjects(
        "<TextObject kind='2'><FieldElements><FieldElement field='1:Orders.Amount'/>"
        "<FieldElement field='1:Orders.Amount'/>"
        "<FieldElement><field kind='4' name='PageNumber' specialVarType='4'/></FieldElement>"
        "<FieldElement><field kind='4' name='PageNumber' specialVarType='4'/></FieldElement>"
        "</FieldElements></TextObject>"));
    const auto& elements = onlyText(*report).fieldElements;
    EXPECT_EQ(elements.Item(1).fieldDefinition, elements.Item(2).fieldDefinition);
    EXPECT_NE(elements.Item(3).fieldDefinition, elements.Item(4).fieldDefinition);
    EXPECT_EQ(report->specialVarFields.Count(), 2);
}

TEST(TextObject, FailuresEndTheLoad) {
    for (const char* object :
         {"<TextObject kind='2' fail='FieldElements'/>",
          "<TextObject kind='2'><FieldElements><FieldElement fail='timeBase'/></FieldElements>"
          "</TextObject>",
          "<TextObject kind='2'><FieldElements><FieldElement maxNumberOfLines='32768'/>"
          "</FieldElements></TextObject>",
          "<TextObject kind='2'><FieldElements><FieldElement field='2:Missing'/></FieldElements>"
          "</TextObject>"}) {
        SCOPED_TRACE(object);
        EXPECT_NE(loadError(ordersWithObjects(object)), 0);
        EXPECT_EQ(liveRuntimeObjects(), 0);
    }
}
