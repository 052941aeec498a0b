#include <gtest/gtest.h>

#include "ObjectFixtures.h"
#include "tvBoxObject.h"
#include "tvLineObject.h"
#include "tvSubReportObject.h"

namespace {

// Five sections in four areas: S1 (400 twips), S2 (1000) and, in the details, S3 (500) and S4
// (300), then S5 (700). `objects` are placed in S2.
QByteArray fiveSections(const QByteArray& objects) {
    return reportWithAreas(
        "<Area kind='1' name='RH'><Sections><Section sectionName='S1' height='400'/></Sections>"
        "</Area><Area kind='2' name='PH'><Sections><Section sectionName='S2' height='1000'>"
        "<ReportObjects>" +
        objects +
        "</ReportObjects></Section></Sections></Area>"
        "<Area kind='4' name='D'><Sections><Section sectionName='S3' height='500'/>"
        "<Section sectionName='S4' height='300'/></Sections></Area>"
        "<Area kind='8' name='RF'><Sections><Section sectionName='S5' height='700'/></Sections>"
        "</Area>");
}

const tvIReportObject& objectInS2(const tvReport& report, int position) {
    return report.tvAreas.Item(2).tvSections.Item(1).reportObjects.Item(position);
}

}  // namespace

// Heights across sections: the rest of the start section, the sections between, 60 twips a
// boundary for a line and 55 for a box, and the bottom.
TEST(LineBoxObject, HeightsAcrossSections) {
    const struct {
        const char* object;
        qint32 width;
        qint32 height;
        const char* name;
    } cases[] = {
        {"<LineObject kind='3' left='50' right='50' top='100' bottom='200' endSection='S4'/>", 0,
         (1000 - 100) + 500 + 2 * 60 + 200, "Vertical Line"},
        {"<BoxObject kind='4' left='50' right='250' top='100' bottom='200' endSection='S4'/>", 200,
         (1000 - 100) + (500 + 55) + 55 + 200, "Box"},
        {"<BoxObject kind='4' left='0' right='10' top='100' bottom='200' endSection='S3'/>", 10,
         (1000 - 100) + 55 + 200, "Box"},
        {"<LineObject kind='3' left='0' right='0' top='100' bottom='200' endSection='S3'/>", 0,
         (1000 - 100) + 60 + 200, "Vertical Line"},
        // Within one section, named or not: bottom minus top.
        {"<LineObject kind='3' left='7' right='7' top='100' bottom='900'/>", 0, 800,
         "Vertical Line"},
        {"<BoxObject kind='4' left='10' right='40' top='100' bottom='300' endSection='S2'/>", 30,
         200, "Box"},
        {"<LineObject kind='3' left='7' right='7' top='100' bottom='100'/>", 0, 0, "Vertical Line"},
        // A horizontal line is 0 high, wherever it ends.
        {"<LineObject kind='3' left='100' right='3000' top='400' bottom='900' endSection='S5'/>",
         2900, 0, "Horizontal Line"},
        {"<LineObject kind='3' left='100' right='40' top='400' bottom='400'/>", -60, 0,
         "Horizontal Line"},
        // It looks up no section: an end section above it, or none of the report's, is no fault.
        {"<LineObject kind='3' left='0' right='100' top='5' bottom='9' endSection='S1'/>", 100, 0,
         "Horizontal Line"},
        {"<LineObject kind='3' left='0' right='100' top='5' bottom='9' endSection='S9'/>", 100, 0,
         "Horizontal Line"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.object);
        const auto report = loadReport(fiveSections(c.object));
        const tvIReportObject& object = objectInS2(*report, 1);
        EXPECT_EQ(object.position.width, c.width);
        EXPECT_EQ(object.position.height, c.height);
        EXPECT_EQ(object.objectName, QString::fromLatin1(c.name));
        EXPECT_EQ(object.parent, &report->tvAreas.Item(2).tvSections.Item(1));
    }
}

TEST(LineBoxObject, LineValues) {
    const auto report = loadReport(fiveSections(
        "<LineObject kind='3' name='L1' left='-5' right='-5' top='10' bottom='20' "
        "cssClass='rule' extendToBottomOfSection='true' lineColor='0x80000012' lineStyle='3' "
        "lineThickness='70000' suppress='true' endSection='S3'/>"));
    const auto& line = dynamic_cast<const tvLineObject&>(objectInS2(*report, 1));
    EXPECT_EQ(line.kind, tvLineObjectKind);
    EXPECT_EQ(line.name, u"L1");
    EXPECT_EQ(line.cssClass, u"rule");
    EXPECT_TRUE(line.extendToBottomOfSection);
    EXPECT_EQ(line.lineColor, static_cast<qint32>(0x80000012u));
    EXPECT_EQ(line.lineStyle, 3);
    EXPECT_EQ(line.lineThickness, 70000);
    EXPECT_TRUE(line.suppress);
    EXPECT_EQ(line.position.left, -5);
    EXPECT_EQ(line.position.top, 10);
    EXPECT_EQ(line.endSection, nullptr);
}

TEST(LineBoxObject, BoxValues) {
    const auto report = loadReport(fiveSections(
        "<BoxObject kind='4' name='B1' left='1' right='2' top='3' bottom='4' "
        "closeAtPageBreak='true' cornerEllipseHeight='90' cornerEllipseWidth='-120' cssClass='c' "
        "extendToBottomOfSection='true' fillColor='0xFFFFFF' hasDropShadow='true' "
        "lineColor='255' lineStyle='2' lineThickness='40' suppress='true' key='k'/>"
        "<BoxObject kind='4'/>"));
    const auto& box = dynamic_cast<const tvBoxObject&>(objectInS2(*report, 1));
    EXPECT_EQ(box.kind, tvBoxObjectKind);
    EXPECT_EQ(box.name, u"B1");
    EXPECT_TRUE(box.closeAtPageBreak);
    EXPECT_EQ(box.cornerEllipseHeight, 90);
    EXPECT_EQ(box.cornerEllipseWidth, u"-120");
    EXPECT_EQ(box.cssClass, u"c");
    EXPECT_TRUE(box.extendToBottomOfSection);
    EXPECT_EQ(box.fillColor, 0xFFFFFF);
    EXPECT_TRUE(box.hasDropShadow);
    EXPECT_EQ(box.lineColor, 255);
    EXPECT_EQ(box.lineStyle, u"2");
    EXPECT_EQ(box.lineThickness, u"40");
    EXPECT_TRUE(box.suppress);
    EXPECT_TRUE(box.key.isEmpty());
    EXPECT_EQ(objectInS2(*report, 2).objectName, u"Box");  // every box has the one name

    const tvBoxObject fresh;
    EXPECT_EQ(fresh.cornerEllipseWidth, u"0");
    EXPECT_EQ(fresh.kind, tvBoxObjectKind);
}

// A vertical line or a box whose end section lies above its own, or is not in its report's
// list, still has a height: the line counts 60 twips for each step from its section's index to
// the end's (index 0 when unlisted), the box walks the sections after its own until the end
// section (to the last one when unlisted), 55 twips each. Sections of 400, 500 and 300 twips,
// the object in the 500 one, 100 twips from its top and ending 110 twips into the end section.
TEST(LineBoxObject, AnEndSectionAboveOrUnlistedStillGivesAHeight) {
    const struct {
        const char* object;
        qint32 height;
    } cases[] = {
        {"<LineObject kind='3' left='0' right='0' top='100' bottom='110' endSection='A'/>", 450},
        {"<BoxObject kind='4' left='0' right='1440' top='100' bottom='110' endSection='A'/>", 565},
        {"<LineObject kind='3' left='0' right='0' top='100' bottom='110' endSection='Nope'/>", 390},
        {"<BoxObject kind='4' left='0' right='1440' top='100' bottom='110' endSection='Nope'/>",
         920},
        // Below, for comparison: the two rules agree but for their boundary twips.
        {"<LineObject kind='3' left='0' right='0' top='100' bottom='110' endSection='C'/>", 570},
        {"<BoxObject kind='4' left='0' right='1440' top='100' bottom='110' endSection='C'/>", 565},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.object);
        const auto report = loadReport(reportWithAreas(
            "<Area kind='1' name='RH'><Sections><Section sectionName='A' height='400'/></Sections>"
            "</Area><Area kind='4' name='D'><Sections><Section sectionName='B' height='500'>"
            "<ReportObjects>" +
            QByteArray(c.object) +
            "</ReportObjects></Section><Section sectionName='C' height='300'/></Sections></Area>"));
        EXPECT_EQ(report->tvAreas.Item(2).tvSections.Item(1).reportObjects.Item(1).position.height,
                  c.height);
        EXPECT_EQ(liveRuntimeObjects(), 0);
    }
}

// A height or width beyond 32 bits overflows and fails the load, as does a sum or difference
// beyond 64 bits: it is never computed wrapped.
TEST(LineBoxObject, AHeightBeyond32BitsFailsTheLoad) {
    for (const char* object :
         {"<LineObject kind='3' left='0' right='0' top='-2147483000' bottom='2147483000'/>",
          "<BoxObject kind='4' endSection='S5' bottom='2147483000'/>",
          "<BoxObject kind='4' endSection='S5' top='-9223372036854775808'/>",
          "<LineObject kind='3' endSection='S4' top='10' bottom='9223372036854775807'/>",
          "<LineObject kind='3' left='1' right='-9223372036854775808'/>"}) {
        SCOPED_TRACE(object);
        const auto failure = loadFailure(fiveSections(object));
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->number(), rt::kErrOverflow);
        EXPECT_EQ(liveRuntimeObjects(), 0);
    }
}

// Sections are found by name: a later section of a name already seen does not count.
TEST(LineBoxObject, TheFirstSectionOfANameCounts) {
    const auto report = loadReport(reportWithAreas(
        "<Area kind='1' name='A'><Sections><Section sectionName='X' height='100'>"
        "<ReportObjects><BoxObject kind='4' top='10' bottom='20' endSection='Y'/></ReportObjects>"
        "</Section><Section sectionName='Y' height='200'/><Section sectionName='X' height='300'/>"
        "<Section sectionName='Y' height='400'/></Sections></Area>"));
    EXPECT_EQ(report->tvAreas.Item(1).tvSections.Item(1).reportObjects.Item(1).position.height,
              (100 - 10) + 55 + 20);
}

// A line inside a subreport measures over the subreport's sections, although the main report
// has sections of the same names.
TEST(LineBoxObject, ASubreportsLineMeasuresOverItsOwnSections) {
    const auto report = loadReport(fiveSections(
        "<SubreportObject kind='5' subreportName='Sub'>" +
        reportWithAreas("<Area kind='4' name='D'><Sections>"
                        "<Section sectionName='S1' height='11'><ReportObjects>"
                        "<LineObject kind='3' top='1' bottom='2' endSection='S3'/>"
                        "</ReportObjects></Section><Section sectionName='S2' height='22'/>"
                        "<Section sectionName='S3' height='33'/></Sections></Area>") +
        "</SubreportObject>"));
    const auto& sub = dynamic_cast<const tvSubReportObject&>(objectInS2(*report, 1));
    EXPECT_EQ(objectAt<tvLineObject>(*sub.report, 1).position.height, (11 - 1) + 22 + 2 * 60 + 2);
}
