#include <gtest/gtest.h>

#include "ObjectFixtures.h"
#include "tvFieldObject.h"
#include "tvTextObject.h"

namespace {

// One formula in every group a field object may list, so that the list shows which groups were
// read.
const QByteArray kOneFormulaPerGroup =
    "<ConditionFormula number='60'>c</ConditionFormula>"
    "<ConditionFormula number='46'>b</ConditionFormula>"
    "<ConditionFormula number='180'>f</ConditionFormula>"
    "<ConditionFormula number='160'>t</ConditionFormula>"
    "<ConditionFormula number='120'>d</ConditionFormula>"
    "<ConditionFormula number='20'>o</ConditionFormula>"
    "<ConditionFormula number='100'>n</ConditionFormula>"
    "<ConditionFormula number='140'>x</ConditionFormula>"
    "<ConditionFormula number='200'>p</ConditionFormula>";

// The value formattings an object holds, one letter each: Time, Date, Boolean, Currency,
// date-time (X), Number, Paragraph.
std::string formattingsOf(const tvFieldObject& o) {
    std::string letters;
    if (o.timeFormatting) letters += 'T';
    if (o.dateFormatting) letters += 'D';
    if (o.booleanFormatting) letters += 'B';
    if (o.currencyFormatting) letters += 'C';
    if (o.dateTimeFormatting) letters += 'X';
    if (o.numberFormatting) letters += 'N';
    if (o.paragraphFormatting) letters += 'P';
    return letters;
}

const std::vector<std::string> kAlwaysListed = {
    "Enable Suppress: ", "Border Color: ", "Font Color: "};

}  // namespace

// Which value formattings a field object holds, and which formula groups follow the font group,
// for every value type.
TEST(FieldObject, ValueFormattingsAndFormulasByValueType) {
    struct Row {
        std::initializer_list<int> valueTypes;
        std::string formattings;
        std::vector<std::string> formulasAfterFont;
    };
    const Row rows[] = {
        {{0, 14, 15, 17}, "", {}},
        {{1, 2, 3, 4, 5, 6, 7}, "N", {"NDecimal Places: "}},
        {{8}, "C", {}},  // no number formatting, so none of the currency captions either
        {{9}, "B", {"Boolean Output Format: "}},
        {{10}, "D", {"Year Format: "}},
        {{11}, "T", {"Time Base: "}},
        {{12, 13}, "P", {}},
        {{16}, "TDX", {"Time Base: ", "Year Format: ", "Date Time Order: "}},
    };
    int covered = 0;
    for (const Row& row : rows) {
        for (const int valueType : row.valueTypes) {
            SCOPED_TRACE(valueType);
            ++covered;
            const auto report = loadReport(ordersWithObjects(
                "<FieldObject kind='1' field='2:F'>" + kOneFormulaPerGroup + "</FieldObject>",
                "<FormulaFields><FormulaField kind='2' name='F' valueType='" +
                    QByteArray::number(valueType) + "'/></FormulaFields>"));
            const auto& object = objectAt<tvFieldObject>(*report, 1);
            EXPECT_EQ(object.field, &report->tvFormulaFields.Item("F"));
            EXPECT_EQ(formattingsOf(object), row.formattings);
            std::vector<std::string> expected = kAlwaysListed;
            expected.insert(expected.end(), row.formulasAfterFont.begin(),
                            row.formulasAfterFont.end());
            EXPECT_EQ(captions(object.ConditionalFormulas), expected);
        }
    }
    EXPECT_EQ(covered, 18);
}

TEST(FieldObject, CopiesItsBagsPlaceAndValueFormatting) {
    const auto report = loadReport(ordersWithObjects(
        "<FieldObject kind='1' field='1:Orders.Quantity' name='Qty' left='-10' top='20' "
        "width='300' height='240' canGrow='true' closeBorderonPageBreak='false' cssClass='q' "
        "horizontalAlignment='3' keepTogether='true' maxLines='2' suppress='false' "
        "suppressIfDuplicated='true' textRotationAngle='90' backgroundColor='0x80000005' "
        "borderColor='255' bottomStyle='0' dropshadow='true' leftStyle='1' rightStyle='2' "
        "topStyle='3' tightHorizontal='true' hyperlinkText='h' hyperlinkType='2' "
        "characterSpacing='15' color='0x80000008' decimalPlaces='0' decimalSymbol=',' "
        "negativeType='1' roundingType='4' thousandsSeparators='true' thousandSymbol='.' "
        "zeroValueString='-' suppressIfZero='true' key='k' conditionFormula='x'>"
        "<font name='Arial' size='9.5' bold='true' weight='700'/></FieldObject>"));
    const auto& o = objectAt<tvFieldObject>(*report, 1);
    EXPECT_EQ(o.kind, tvFieldObjectKind);
    EXPECT_EQ(o.objectName, QStringLiteral("Orders.Quantity"));
    EXPECT_EQ(o.parent, &report->tvAreas.Item(1).tvSections.Item(1));
    EXPECT_EQ(o.field, &report->tvDatabase->allFields.Item("Orders.Quantity"));
    expectPlace(o.position, -10, 20, 300, 240);

    const tvCommonFormatting& c = o.commonFormatting;
    EXPECT_EQ(c.canGrow, u"True");
    EXPECT_EQ(c.closeBorderonPageBreak, u"False");
    EXPECT_EQ(c.cssClass, u"q");
    EXPECT_EQ(c.horizontalAlignment, 3);
    EXPECT_EQ(c.keepTogether, u"True");
    EXPECT_EQ(c.maxLines, 2);
    EXPECT_EQ(c.name, u"Qty");
    EXPECT_EQ(c.suppress, u"False");
    EXPECT_TRUE(c.suppressIfDuplicated);
    EXPECT_EQ(c.textRotationAngle, 90);

    const tvBorderFormatting& b = o.borderFormatting;
    EXPECT_EQ(b.backgroundColor, static_cast<qint32>(0x80000005u));
    EXPECT_EQ(b.borderColor, 255);
    EXPECT_EQ(b.bottomStyle, u"0");
    EXPECT_EQ(b.tightHorizontal, u"True");  // read for field objects only
    EXPECT_EQ(o.hyperlinkFormatting.hyperlinkText, u"h");
    EXPECT_EQ(o.hyperlinkFormatting.hyperlinkType, 2);

    EXPECT_EQ(o.fontFormatting.characterSpacing, 15);
    EXPECT_EQ(o.fontFormatting.color, QString::number(static_cast<qint32>(0x80000008u)));
    EXPECT_EQ(o.fontFormatting.font.name, u"Arial");
    EXPECT_EQ(o.fontFormatting.font.size, 9.5);
    EXPECT_EQ(o.fontFormatting.font.weight, 700);

    ASSERT_TRUE(o.numberFormatting);
    const tvNumberFormatting& n = *o.numberFormatting;
    EXPECT_EQ(n.decimalPlaces, 0);
    EXPECT_EQ(n.decimalSymbol, u",");
    EXPECT_EQ(n.negativeType, 1);
    EXPECT_EQ(n.roundingType, 4);
    EXPECT_TRUE(n.thousandsSeparators);
    EXPECT_EQ(n.thousandSymbol, u".");
    EXPECT_EQ(n.zeroValueString, u"-");
    EXPECT_FALSE(o.currencyFormatting);
    EXPECT_TRUE(o.suppressIfZero);
    // Nothing of the library fills these, whatever the runtime holds.
    EXPECT_TRUE(o.key.isEmpty());
    EXPECT_TRUE(o.conditionFormula.isEmpty());
}

TEST(FieldObject, NewObjectBeforeInit) {
    const tvFieldObject o;
    EXPECT_EQ(o.kind, tvFieldObjectKind);
    EXPECT_EQ(o.parent, nullptr);
    EXPECT_EQ(o.field, nullptr);
    EXPECT_TRUE(o.objectName.isEmpty());
    EXPECT_EQ(formattingsOf(o), "");
}

// The object is named by the runtime's name of its field: a summary that the report does not
// list stands for the field it summarizes, and keeps its own name.
TEST(FieldObject, NamedByTheRuntimeFieldNotByTheDefinition) {
    const auto report = loadReport(ordersWithObjects(
        "<FieldObject kind='1'><field kind='3' name='Avg of Orders.Amount' summaryType='1' "
        "summarizedField='1:Orders.Amount' valueType='7'/></FieldObject>"));
    const auto& o = objectAt<tvFieldObject>(*report, 1);
    EXPECT_EQ(o.objectName, QStringLiteral("Avg of Orders.Amount"));
    EXPECT_EQ(o.field, &report->tvDatabase->allFields.Item("Orders.Amount"));
    EXPECT_EQ(formattingsOf(o), "C");  // the definition's value type counts
}

// A field whose kind the resolver has no definition for, or no field at all: the object keeps
// no field and no value formatting, and the load goes on.
TEST(FieldObject, FieldWithoutDefinitionKeepsNoFieldAndTheLoadGoesOn) {
    const auto report = loadReport(ordersWithObjects(
        "<FieldObject kind='1'><field kind='0' name='Odd' valueType='8'/>" + kOneFormulaPerGroup +
        "</FieldObject>"
        "<FieldObject kind='1'><field kind='9' name='Odder' valueType='16'/></FieldObject>"
        "<FieldObject kind='1' field='1:Orders.OrderID'/>"));
    const char* names[] = {"Odd", "Odder"};
    for (int i = 1; i <= 2; ++i) {
        SCOPED_TRACE(i);
        const auto& o = objectAt<tvFieldObject>(*report, i);
        EXPECT_EQ(o.field, nullptr);
        EXPECT_EQ(o.objectName, QString::fromLatin1(names[i - 1]));
        EXPECT_EQ(formattingsOf(o), "");
    }
    EXPECT_EQ(captions(objectAt<tvFieldObject>(*report, 1).ConditionalFormulas), kAlwaysListed);
    EXPECT_EQ(formattingsOf(objectAt<tvFieldObject>(*report, 3)), "N");
}

// The runtime's field objects and field elements always show a field: one without fails the load.
// An object that names no field shows none, as one whose field has no definition; the load goes on.
TEST(FieldObject, AnObjectWithoutAFieldLoadsWithoutOne) {
    const auto report = loadReport(ordersWithObjects(
        "<FieldObject kind='1' decimalPlaces='2'/>"
        "<TextObject kind='2'><FieldElements><FieldElement/></FieldElements></TextObject>"
        "<FieldObject kind='1'><field kind='0' name='Mystery'/></FieldObject>"));
    const auto& nameless = objectAt<tvFieldObject>(*report, 1);
    EXPECT_EQ(nameless.field, nullptr);
    EXPECT_EQ(nameless.objectName, QString());
    EXPECT_EQ(objectAt<tvTextObject>(*report, 2).fieldElements.Item(1).fieldDefinition, nullptr);
    const auto& unknown = objectAt<tvFieldObject>(*report, 3);
    EXPECT_EQ(unknown.field, nullptr);
    EXPECT_EQ(unknown.objectName, QStringLiteral("Mystery"));
}

// Every use of one column is the one definition the report holds.
TEST(FieldObject, FieldObjectsAndTextElementsShareTheDefinition) {
    const auto report = loadReport(ordersWithObjects(
        "<FieldObject kind='1' field='1:Orders.Amount'/>"
        "<TextObject kind='2'><FieldElements><FieldElement field='1:Orders.Amount'/>"
        "</FieldElements></TextObject>"
        "<FieldObject kind='1' field='1:orders.amount'/>"));
    const tvIFieldDefinition* column = &report->tvDatabase->allFields.Item("Orders.Amount");
    EXPECT_EQ(objectAt<tvFieldObject>(*report, 1).field, column);
    EXPECT_EQ(objectAt<tvTextObject>(*report, 2).fieldElements.Item(1).fieldDefinition, column);
    EXPECT_EQ(objectAt<tvFieldObject>(*report, 3).field, column);
}

// A failing read, an unknown field or a value beyond its member fails the load, and no runtime
// object outlives it. A formatting the value type does not call for is not read at all.
TEST(FieldObject, FailuresEndTheLoad) {
    const struct {
        const char* object;
        bool fails;
    } cases[] = {
        {"<FieldObject kind='1' field='1:Orders.Amount' fail='suppressIfZero'/>", true},
        {"<FieldObject kind='1' field='1:Orders.Amount' fail='symbol'/>", true},
        {"<FieldObject kind='1' field='1:Orders.Amount' fail='decimalPlaces hourType'/>", false},
        {"<FieldObject kind='1' field='1:Orders.OrderID' decimalPlaces='40000'/>", true},
        {"<FieldObject kind='1' field='1:Orders.OrderID' textRotationAngle='-40000'/>", true},
        {"<FieldObject kind='1' fail='field'/>", true},
        {"<FieldObject kind='1'><field kind='1' name='Orders.Nothing'/></FieldObject>", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.object);
        EXPECT_EQ(loadError(ordersWithObjects(c.object)) != 0, c.fails);
        EXPECT_EQ(liveRuntimeObjects(), 0);
    }
}
