#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "ChartFixture.h"
#include "tvBlobObject.h"
#include "tvBoxObject.h"
#include "tvCrossTabObject.h"
#include "tvGraphObject.h"
#include "tvLineObject.h"
#include "tvMapObject.h"
#include "tvOleObject.h"
#include "tvReportObjectClasses.h"

// A failing read ends an object's `init` and what was read before it stays: each kind reads in a
// fixed order, which these cases pin by failing one read and looking at what was stored.

namespace {

const QByteArray kShared =
    " name='N' closeBorderonPageBreak='true' cssClass='c' keepTogether='true' suppress='true'"
    " borderColor='255' hyperlinkText='h' hyperlinkType='2'"
    " left='10' top='20' width='30' height='40'>"
    "<ConditionFormula number='60'>{?Hide}</ConditionFormula>"
    "<ConditionFormula number='46'>crBlue</ConditionFormula>";

// The section's objects, by position: 1 OLE, 2 BLOB, 3 chart, 4 cross-tab, 5 map, 6 box,
// 7 horizontal line, 8 vertical line.
const QByteArray kObjects =
    "<OleObject kind='6' bottomCropping='1' leftCropping='2' rightCropping='3' topCropping='4'"
    " xScaling='0.5' yScaling='2'" +
    kShared + "</OleObject><BlobFieldObject kind='9' field='1:Orders.Photo'" + kShared +
    "</BlobFieldObject><ChartObject kind='7' yAxisTitle='y' zAxisTitle='z'" + kShared +
    "</ChartObject><CrossTabObject kind='8'" + kShared + "</CrossTabObject><MapObject kind='10'" +
    kShared +
    "</MapObject>"
    "<BoxObject kind='4' name='B' left='10' right='40' top='20' bottom='60' suppress='true'/>"
    "<LineObject kind='3' name='H' left='10' right='40' top='20' bottom='20' suppress='true'/>"
    "<LineObject kind='3' name='V' left='10' right='10' top='20' bottom='60' suppress='true'/>";

using Place = std::array<qint32, 4>;  // left, top, width, height
Place place(const tvIReportObject& object) {
    const tvPosition& p = object.position;
    return {p.left, p.top, p.width, p.height};
}

const std::vector<std::string> kNoFormulas;
const std::vector<std::string> kAllFormulas = {"Enable Suppress: ", "Border Color: "};

using Check = std::function<void(const tvIReportObject&)>;

template <class T, class F>
Check as(F check) {
    return [check](const tvIReportObject& object) { check(dynamic_cast<const T&>(object)); };
}

struct Case {
    const char* failing;  // the read that fails, "Type.member"
    int object;           // the object's position in the section
    bool fails;           // whether `init` ends with the error
    Check stored;         // what `init` stored before it ended
};

}  // namespace

TEST(ReadOrder, AFailingReadKeepsOnlyWhatWasReadBeforeIt) {
    const Case cases[] = {
        // OLE: border, hyperlink, picture, common, formulas, place.
        {"OleObject.cssClass", 1, true, as<tvOleObject>([](const tvOleObject& o) {
             EXPECT_EQ(o.hyperlinkFormatting.hyperlinkText, QStringLiteral("h"));
             EXPECT_EQ(o.pictureFormatting.yScaling, 2.0);
             EXPECT_EQ(o.commonFormatting.closeBorderonPageBreak, QStringLiteral("True"));
             EXPECT_TRUE(o.commonFormatting.keepTogether.isEmpty());
             EXPECT_EQ(captions(o.ConditionalFormulas), kNoFormulas);
             EXPECT_EQ(place(o), (Place{0, 0, 0, 0}));
         })},
        // BLOB: the keep-together flag before the other common members.
        {"BlobFieldObject.cssClass", 2, true, as<tvBlobObject>([](const tvBlobObject& o) {
             EXPECT_EQ(o.commonFormatting.keepTogether, QStringLiteral("True"));
             EXPECT_EQ(o.commonFormatting.closeBorderonPageBreak, QStringLiteral("True"));
             EXPECT_TRUE(o.commonFormatting.name.isEmpty());
             EXPECT_TRUE(o.commonFormatting.suppress.isEmpty());
             EXPECT_TRUE(o.hyperlinkFormatting.hyperlinkText.isEmpty());
         })},
        // Chart: suppress before name, keep-together last.
        {"ChartObject.name", 3, true, as<tvGraphObject>([](const tvGraphObject& o) {
             EXPECT_EQ(o.commonFormatting.cssClass, QStringLiteral("c"));
             EXPECT_EQ(o.commonFormatting.suppress, QStringLiteral("True"));
             EXPECT_TRUE(o.commonFormatting.keepTogether.isEmpty());
             EXPECT_TRUE(o.hyperlinkFormatting.hyperlinkText.isEmpty());
         })},
        // Chart: left, height, width, top.
        {"ChartObject.width", 3, true, as<tvGraphObject>([](const tvGraphObject& o) {
             EXPECT_EQ(o.hyperlinkFormatting.hyperlinkText, QStringLiteral("h"));
             EXPECT_EQ(place(o), (Place{10, 0, 0, 40}));
             EXPECT_TRUE(o.objectName.isEmpty());
         })},
        // Chart: the formulas after the chart's own values, before its summaries.
        {"ChartObject.zAxisTitle", 3, true, as<tvGraphObject>([](const tvGraphObject& o) {
             EXPECT_EQ(o.yAxisTitle, QStringLiteral("y"));
             EXPECT_EQ(captions(o.ConditionalFormulas), kNoFormulas);
         })},
        {"ChartObject.SummaryFields", 3, true, as<tvGraphObject>([](const tvGraphObject& o) {
             EXPECT_EQ(o.zAxisTitle, QStringLiteral("z"));
             EXPECT_EQ(captions(o.ConditionalFormulas), kAllFormulas);
         })},
        // Cross-tab: the place before the hyperlink, the formulas after it.
        {"CrossTabObject.hyperlinkText", 4, true,
         as<tvCrossTabObject>([](const tvCrossTabObject& o) {
             EXPECT_EQ(o.commonFormatting.suppress, QStringLiteral("True"));
             EXPECT_EQ(place(o), (Place{10, 20, 30, 40}));
             EXPECT_EQ(captions(o.ConditionalFormulas), kNoFormulas);
         })},
        // Map: the place before the formulas.
        {"MapObject.width", 5, true, as<tvMapObject>([](const tvMapObject& o) {
             EXPECT_EQ(o.hyperlinkFormatting.hyperlinkText, QStringLiteral("h"));
             EXPECT_EQ(place(o), (Place{10, 20, 0, 40}));
             EXPECT_EQ(captions(o.ConditionalFormulas), kNoFormulas);
         })},
        // Box: the height over its sections before left, top and width.
        {"BoxObject.left", 6, true, as<tvBoxObject>([](const tvBoxObject& o) {
             EXPECT_EQ(o.name, QStringLiteral("B"));
             EXPECT_EQ(place(o), (Place{0, 0, 0, 40}));
             EXPECT_FALSE(o.suppress);
         })},
        // Line: only a vertical line reads its bottom.
        {"LineObject.bottom", 7, false, as<tvLineObject>([](const tvLineObject& o) {
             EXPECT_EQ(o.objectName, QStringLiteral("Horizontal Line"));
             EXPECT_EQ(place(o), (Place{10, 20, 30, 0}));
         })},
        {"LineObject.bottom", 8, true, as<tvLineObject>([](const tvLineObject& o) {
             EXPECT_TRUE(o.suppress);
             EXPECT_EQ(place(o), (Place{0, 0, 0, 0}));
             EXPECT_TRUE(o.objectName.isEmpty());
         })},
    };

    // A sound load gives the section, area and report that the objects' `init` reaches.
    const QByteArray xml = ordersWithObjects(kObjects);
    const auto report = loadReport(xml);
    tvSection& section = report->tvAreas.Item(1).tvSections.Item(1);
    ASSERT_EQ(section.reportObjects.Count(), 8);

    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.failing << " of object " << c.object);
        const FaultyRuntime faults({QString::fromLatin1(c.failing)});
        const auto crReport = faults.wrap(runtimeReport(xml));
        const auto crObject = crReport->collection("Areas")
                                  ->item(1)
                                  ->collection("Sections")
                                  ->item(1)
                                  ->collection("ReportObjects")
                                  ->item(c.object);
        const auto object = tvReportObjectClassOf(crObject->integer("kind"))->create();
        if (c.fails) {
            EXPECT_THROW(object->init(*crObject, section), rt::Error);
        } else {
            EXPECT_NO_THROW(object->init(*crObject, section));
        }
        c.stored(*object);
    }
}
