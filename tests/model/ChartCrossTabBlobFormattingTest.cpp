#include <gtest/gtest.h>

#include "ChartFixture.h"
#include "tvBlobObject.h"
#include "tvCrossTabObject.h"
#include "tvGraphObject.h"

namespace {

const QByteArray kFormatting =
    " backgroundColor='0x80000005' borderColor='255' bottomStyle='0' dropshadow='true'"
    " leftStyle='1' rightStyle='-2' topStyle='3' tightHorizontal='true'"
    " closeBorderonPageBreak='true' cssClass='wide' keepTogether='false' suppress='true'"
    " canGrow='true' maxLines='4' hyperlinkText='https://example.org/' hyperlinkType='2'"
    " left='-100' top='200' width='3000' height='1500' field='1:Orders.Photo'>"
    "<ConditionFormula number='43'>crSingleLine</ConditionFormula>"
    "<ConditionFormula number='62'>false</ConditionFormula>"
    "<ConditionFormula number='60'>{?Hide}</ConditionFormula>";

QByteArray object(const QByteArray& tag, int kind) {
    return "<" + tag + " kind='" + QByteArray::number(kind) + "' name='Thing'" + kFormatting +
           "</" + tag + ">";
}

template <class T>
void expectFormatting(const T& object) {
    const tvBorderFormatting& b = object.borderFormatting;
    EXPECT_EQ(b.backgroundColor, static_cast<qint32>(0x80000005u));
    EXPECT_EQ(b.borderColor, 255);
    EXPECT_EQ(b.bottomStyle, u"0");
    EXPECT_EQ(b.leftStyle, u"1");
    EXPECT_EQ(b.rightStyle, u"-2");
    EXPECT_EQ(b.topStyle, u"3");
    EXPECT_EQ(b.dropshadow, u"True");
    EXPECT_TRUE(b.tightHorizontal.isEmpty());
    const tvCommonFormatting& c = object.commonFormatting;
    EXPECT_EQ(c.name, u"Thing");
    EXPECT_EQ(c.cssClass, u"wide");
    EXPECT_EQ(c.closeBorderonPageBreak, u"True");
    EXPECT_EQ(c.keepTogether, u"False");
    EXPECT_EQ(c.suppress, u"True");
    EXPECT_TRUE(c.canGrow.isEmpty());
    EXPECT_EQ(c.maxLines, 0);
    EXPECT_EQ(object.hyperlinkFormatting.hyperlinkText, u"https://example.org/");
    EXPECT_EQ(object.hyperlinkFormatting.hyperlinkType, 2);
    const tvPosition& p = object.position;
    EXPECT_EQ(QList<int>({p.left, p.top, p.width, p.height}), QList<int>({-100, 200, 3000, 1500}));
    // Common formulas first, then border ones, each in caption order.
    EXPECT_EQ(formulaList(object.ConditionalFormulas),
              FormulaList({{"Enable Close At Page Break: ", "false"},
                           {"Enable Suppress: ", "{?Hide}"},
                           {"Bottom Line Style: ", "crSingleLine"}}));
}

}  // namespace

TEST(ChartCrossTabBlob, ShareTheFormattingOfReportObjects) {
    const auto report = loadReport(ordersWithObjects(
        object("ChartObject", 7) + object("CrossTabObject", 8) + object("BlobFieldObject", 9)));
    expectFormatting(objectAt<tvGraphObject>(*report, 1));
    expectFormatting(objectAt<tvCrossTabObject>(*report, 2));
    expectFormatting(objectAt<tvBlobObject>(*report, 3));
}
