#include <gtest/gtest.h>

#include "LayoutFixture.h"
#include "TestSupport.h"
#include "tvArea.h"
#include "tvMapObject.h"
#include "tvOLAPGridObject.h"
#include "tvOleObject.h"
#include "tvSection.h"

namespace {

// Every value the three kinds may read, with a border colour and a suppress formula, and a
// CSS-class formula.
const QByteArray kValues =
    "backgroundColor='0x80000005' borderColor='255' bottomStyle='0' dropshadow='true' "
    "leftStyle='1' rightStyle='-2' topStyle='3' tightHorizontal='true' "
    "closeBorderonPageBreak='false' cssClass='pic' keepTogether='true' suppress='false' "
    "horizontalAlignment='2' canGrow='true' maxLines='4' textRotationAngle='90' "
    "hyperlinkText='https://example.org/' hyperlinkType='2' "
    "bottomCropping='10' leftCropping='-20' rightCropping='30' topCropping='40' "
    "xScaling='0.5' yScaling='1.25' left='-100' top='200' width='3000' height='1500' ";
const QByteArray kFormulas =
    "<ConditionFormula number='46'>crBlue</ConditionFormula>"
    "<ConditionFormula number='60'>{?Hide}</ConditionFormula>"
    "<ConditionFormula number='68'>'wide'</ConditionFormula>";

QByteArray object(const QByteArray& tag, int kind, const QByteArray& name) {
    return "<" + tag + " kind='" + QByteArray::number(kind) + "' name='" + name + "' " + kValues +
           ">" + kFormulas + "</" + tag + ">";
}

void expectBorder(const tvBorderFormatting& b) {
    EXPECT_EQ(b.backgroundColor, static_cast<qint32>(0x80000005u));
    EXPECT_EQ(b.borderColor, 255);
    EXPECT_EQ(b.useBGColor, 0);
    EXPECT_EQ(b.bottomStyle, QStringLiteral("0"));
    EXPECT_EQ(b.leftStyle, QStringLiteral("1"));
    EXPECT_EQ(b.rightStyle, QStringLiteral("-2"));
    EXPECT_EQ(b.topStyle, QStringLiteral("3"));
    EXPECT_EQ(b.dropshadow, QStringLiteral("True"));
    EXPECT_TRUE(b.tightHorizontal.isEmpty());  // field objects only
}

// Only name, CSS class and the three flags are copied; the rest keeps its initial value.
void expectCommon(const tvCommonFormatting& c, const QString& name, const QString& cssClass) {
    EXPECT_EQ(c.name, name);
    EXPECT_EQ(c.cssClass, cssClass);
    EXPECT_EQ(c.closeBorderonPageBreak, QStringLiteral("False"));
    EXPECT_EQ(c.keepTogether, QStringLiteral("True"));
    EXPECT_EQ(c.suppress, QStringLiteral("False"));
    EXPECT_TRUE(c.canGrow.isEmpty());
    EXPECT_EQ(c.horizontalAlignment, 0);
    EXPECT_EQ(c.maxLines, 0);
    EXPECT_EQ(c.textRotationAngle, 0);
    EXPECT_FALSE(c.suppressEmbedded);
    EXPECT_TRUE(c.toolTip.isEmpty());
}

void expectPosition(const tvPosition& p) {
    EXPECT_EQ(p.left, -100);
    EXPECT_EQ(p.top, 200);
    EXPECT_EQ(p.width, 3000);
    EXPECT_EQ(p.height, 1500);
}

const std::vector<std::string> kCommonThenBorder = {
    "Css Class: ", "Enable Suppress: ", "Border Color: "};

// What the three kinds share: kind, name, border, common formatting, place and formulas.
template <class T>
void expectObject(const T& object, qint16 kind, const char* objectName, const char* name,
                  const char* cssClass, const std::vector<std::string>& formulaCaptions) {
    EXPECT_EQ(object.kind, kind);
    EXPECT_EQ(object.objectName, QString::fromUtf8(objectName));
    expectBorder(object.borderFormatting);
    expectCommon(object.commonFormatting, QString::fromUtf8(name), QString::fromUtf8(cssClass));
    expectPosition(object.position);
    EXPECT_EQ(captions(object.ConditionalFormulas), formulaCaptions);
}

}  // namespace

TEST(OleMapOlapObjects, CarryTheirNamesBagsAndFormulas) {
    const auto report = loadReport(reportWithObjects(object("OleObject", 6, "Picture1") +
                                                     object("MapObject", 10, "Sales map") +
                                                     object("OlapGridObject", 11, "Grid1")));

    const auto& ole = objectAt<tvOleObject>(*report, 1);
    expectObject(ole, tvOleObjectKind, "Ole", "Picture1", "pic", kCommonThenBorder);
    EXPECT_TRUE(ole.oleSource.isEmpty());
    EXPECT_EQ(ole.hyperlinkFormatting.hyperlinkText, QStringLiteral("https://example.org/"));
    EXPECT_EQ(ole.hyperlinkFormatting.hyperlinkType, 2);
    const tvPictureFormatting& picture = ole.pictureFormatting;
    EXPECT_EQ(picture.bottomCropping, 10);
    EXPECT_EQ(picture.leftCropping, -20);
    EXPECT_EQ(picture.rightCropping, 30);
    EXPECT_EQ(picture.topCropping, 40);
    EXPECT_EQ(picture.xScaling, 0.5);
    EXPECT_EQ(picture.yScaling, 1.25);
    EXPECT_EQ(picture.scaledHeight, 0.0);
    EXPECT_EQ(picture.scaledWidth, 0.0);
    EXPECT_TRUE(picture.formattedPicture.isEmpty());

    const auto& map = objectAt<tvMapObject>(*report, 2);
    expectObject(map, tvMapObjectKind, "Sales map", "Sales map", "pic", kCommonThenBorder);
    EXPECT_EQ(map.hyperlinkFormatting.hyperlinkText, QStringLiteral("https://example.org/"));
    EXPECT_EQ(map.hyperlinkFormatting.hyperlinkType, 2);

    // No CSS class although the runtime object has one; border formulas first.
    expectObject(objectAt<tvOLAPGridObject>(*report, 3), tvOLAPGridObjectKind, "OLAP Grid", "Grid1",
                 "", {"Border Color: ", "Css Class: ", "Enable Suppress: "});
}

TEST(OleMapOlapObjects, NewObjectsBeforeInit) {
    const tvOleObject ole;
    const tvMapObject map;
    const tvOLAPGridObject grid;
    const tvIReportObject* objects[] = {&ole, &map, &grid};
    const qint16 kinds[] = {6, 10, 11};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(objects[i]->kind, kinds[i]);
        EXPECT_EQ(objects[i]->parent, nullptr);
        EXPECT_EQ(objects[i]->report(), nullptr);
        EXPECT_TRUE(objects[i]->objectName.isEmpty());
        const tvPosition& p = objects[i]->position;
        EXPECT_EQ(p.left | p.top | p.width | p.height, 0);
    }
}

// Any failing read inside an object fails the load, whichever the kind, and leaves no runtime
// object behind.
TEST(OleMapOlapObjects, FailingReadFailsTheLoad) {
    for (const char* objectXml :
         {"<OleObject kind='6' fail='xScaling'/>", "<MapObject kind='10' fail='hyperlinkType'/>",
          "<OlapGridObject kind='11' fail='width'/>",
          "<OleObject kind='6' borderColor='0x100000000'/>",
          "<MapObject kind='10' bottomStyle='0x80000000'/>"}) {
        SCOPED_TRACE(objectXml);
        EXPECT_THROW(loadReport(reportWithObjects(objectXml)), rt::Error);
        EXPECT_EQ(liveRuntimeObjects(), 0);
    }
}
