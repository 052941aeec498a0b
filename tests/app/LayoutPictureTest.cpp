#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <functional>
#include <memory>

#include "ExtractOptions.h"
#include "LayoutPicture.h"
#include "TestSupport.h"

using namespace tav::core;
using namespace tav::word;

namespace {

// Margins of half an inch each: the surface's 10000 twips stand for 7.5 inches, and one pixel
// is 15 twips of the surface.
constexpr double kScale = 10000.0 / (7.5 * 1440);

int pixels(double reportTwips) { return int(reportTwips * kScale / 15); }

std::unique_ptr<tvReport> reportOf(const QByteArray& sections) {
    return loadReport(
        "<Report leftMargin=\"720\" rightMargin=\"720\"><Database/><ExportOptions/><Areas>"
        "<Area kind=\"1\"><Sections>" +
        sections + "</Sections></Area></Areas></Report>");
}

// The picture as a run without a display draws it: the graphical application on Qt's offscreen
// platform, as the program's command line starts it.
class LayoutPictureTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "app_tests";
        static char* argv[] = {name, nullptr};
        application_ = new QGuiApplication(argc, argv);
    }
    static void TearDownTestSuite() {
        delete application_;
        application_ = nullptr;
    }

    static QImage draw(const QByteArray& sections) {
        return LayoutPicture(QString(), false).DrawReport(*reportOf(sections), 0);
    }
    // How many pixels of the rectangle (in report twips, relative to the first section's top)
    // match `test`.
    static int count(const QImage& image, double left, double top, double width, double height,
                     const std::function<bool(QColor)>& test) {
        int found = 0;
        // The objects of a section sit 30 twips of the surface below its top.
        const int y0 = pixels(top) + 2, y1 = pixels(top + height);
        for (int y = y0; y < y1; ++y)
            for (int x = pixels(left) + 1; x < pixels(left + width) - 1; ++x)
                found += test(image.pixelColor(x, y)) ? 1 : 0;
        return found;
    }

    static QGuiApplication* application_;
};
QGuiApplication* LayoutPictureTest::application_ = nullptr;

bool reddish(QColor c) { return c.red() > 180 && c.green() < 90 && c.blue() < 90; }
bool dark(QColor c) { return c.lightness() < 80; }

// Texts and the numbers of objects without text are drawn in their rectangles, cut off at their
// edges, in a run without a display as in a windowed one.
TEST_F(LayoutPictureTest, TextsAndNumbersAreDrawnInsideTheirObjects) {
    const QImage image = draw(
        "<Section minimumHeight=\"2880\" backColor=\"-1\"><ReportObjects>"
        "<TextObject kind=\"2\" text=\"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW\" left=\"0\" top=\"0\" "
        "width=\"2880\" height=\"720\" color=\"255\" backgroundColor=\"-1\"><font name=\"Arial\" "
        "size=\"20\" "
        "bold=\"true\"/></TextObject>"
        "<OleObject kind=\"6\" left=\"0\" top=\"1440\" width=\"2880\" height=\"1080\" "
        "backgroundColor=\"-1\" leftStyle=\"0\" rightStyle=\"0\" topStyle=\"0\" "
        "bottomStyle=\"0\"/></ReportObjects></Section>");
    EXPECT_GT(count(image, 0, 0, 2880, 720, reddish), 200);
    // The long text wraps nowhere and runs no further than its object.
    EXPECT_EQ(count(image, 2880 + 60, 0, 4000, 720, reddish), 0);
    // The picture of the OLE object carries its number, 2, in black.
    EXPECT_GT(count(image, 200, 1440, 2480, 1000, dark), 3);
}

// System colours take the light desktop scheme; other colours keep red in their low byte.
TEST_F(LayoutPictureTest, SystemColoursAreTheLightDesktopScheme) {
    const struct {
        const char* value;
        const char* expected;
    } cases[] = {
        {"0x8000000F", "#f0f0f0"},  // button face
        {"0x80000005", "#ffffff"},  // window
        {"0x80000008", "#000000"},  // window text
        {"0x80000018", "#ffffe1"},  // tooltip background
        {"0x800000FF", "#808080"},  // no such entry
        {"0x00FF0000", "#0000ff"},  // red in the low byte
        {"0x000000FF", "#ff0000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        // Over a section of another colour, so that a white background still shows.
        const QImage image =
            draw(QByteArray("<Section minimumHeight=\"1440\" backColor=\"0x00FF00\">"
                            "<ReportObjects><OleObject kind=\"6\" left=\"1440\" "
                            "top=\"0\" width=\"2880\" height=\"1080\" "
                            "backgroundColor=\"") +
                 c.value + "\"/></ReportObjects></Section>");
        EXPECT_EQ(image.pixelColor(pixels(1440 + 200), pixels(900)).name(), c.expected);
        EXPECT_EQ(
            draw(QByteArray("<Section minimumHeight=\"1440\" backColor=\"") + c.value + "\"/>")
                .pixelColor(pixels(5000), pixels(700))
                .name(),
            c.expected);
    }
}

// A band reaches across the width that stands for the page, its right edge inside the picture.
TEST_F(LayoutPictureTest, SectionBandsKeepTheirRightEdgeInThePicture) {
    const QImage image = draw("<Section minimumHeight=\"1440\" backColor=\"-1\"/>");
    const int middle = pixels(720);
    int edge = -1;
    for (int x = image.width() - 1; x > image.width() - 8 && edge < 0; --x)
        if (dark(image.pixelColor(x, middle))) edge = x;
    EXPECT_NEAR(edge, int(10000 / 15.0), 1);
}

// A hidden section, shown, is hatched with lines running down to the right ("\\").
TEST_F(LayoutPictureTest, HiddenSectionsAreHatchedDownward) {
    const QImage image =
        LayoutPicture(QString(), true)
            .DrawReport(*reportOf("<Section minimumHeight=\"2880\" height=\"2880\" "
                                  "backColor=\"-1\" suppress=\"true\"/>"),
                        0);
    int downward = 0, upward = 0;
    for (int y = 10; y < pixels(2000); ++y)
        for (int x = 10; x < 300; ++x) {
            if (!dark(image.pixelColor(x, y))) continue;
            downward += dark(image.pixelColor(x + 1, y + 1)) ? 1 : 0;
            upward += dark(image.pixelColor(x + 1, y - 1)) ? 1 : 0;
        }
    EXPECT_GT(downward, 100);
    EXPECT_EQ(upward, 0);
}

// A box's corner is an ellipse of its corner width by its corner height in report twips, scaled
// like the box: a small corner keeps the sides straight almost to the end, 0 is square.
TEST_F(LayoutPictureTest, RoundedCornersAreTheirOwnSize) {
    const struct {
        const char* width;
        const char* height;
        int corner;      // whether the very corner is drawn; -1 not checked
        bool nearSides;  // whether the sides are drawn 10 pixels from the corner
    } cases[] = {
        {"0", "0", 1, true},
        {"120", "120", -1, true},
        {"1440", "1440", 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        const QImage image = draw(
            QByteArray("<Section minimumHeight=\"2880\" backColor=\"-1\"><ReportObjects>"
                       "<BoxObject kind=\"4\" left=\"1440\" right=\"7200\" top=\"0\" "
                       "bottom=\"1440\" lineColor=\"255\" fillColor=\"-1\" "
                       "lineThickness=\"0\" cornerEllipseWidth=\"") +
            c.width + "\" cornerEllipseHeight=\"" + c.height + "\"/></ReportObjects></Section>");
        // The box on the surface, in pixels: its objects sit 30 twips below the section's top.
        const int x0 = int(std::lround(1440 * kScale / 15)),
                  x1 = int(std::lround(7200 * kScale / 15));
        const int y0 = 2, y1 = int(std::lround((1440 * kScale + 30) / 15));
        const auto redNear = [&](int x, int y) {
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (reddish(image.pixelColor(x + dx, y + dy))) return true;
            return false;
        };
        if (c.corner >= 0) {
            EXPECT_EQ(reddish(image.pixelColor(x0, y0)), c.corner == 1);
        }
        EXPECT_EQ(redNear(x0 + 10, y0), c.nearSides);
        EXPECT_EQ(redNear(x0, y0 + 10), c.nearSides);
        EXPECT_EQ(redNear(x1 - 10, y1), c.nearSides);
        // Every corner leaves the middle of the sides in place.
        EXPECT_TRUE(redNear((x0 + x1) / 2, y0));
        EXPECT_TRUE(redNear(x1, (y0 + y1) / 2));
    }
}

// Sections of the largest heights add up in 64 bits: the picture is shrunk to its greatest
// height, with every section in it, instead of a sum that wraps below zero.
TEST_F(LayoutPictureTest, SectionsOfTheLargestHeightsFitThePicture) {
    const QImage image = draw(
        "<Section minimumHeight=\"2147483647\" backColor=\"-1\"/>"
        "<Section minimumHeight=\"2147483647\" backColor=\"-1\"/>"
        "<Section minimumHeight=\"1440\" backColor=\"0x0000FF\"/>");
    const int greatest = int((LayoutPicture::kMaxSurfaceHeight - 400 + 30) / 15);
    EXPECT_NEAR(image.height(), greatest, 1);
    EXPECT_LT(image.width(), 10);  // the page's width, shrunk as much
}

// Tagged with the resolution it is drawn at, also without Qt's graphical application (whose
// absence would leave Qt's own default of 100 dots per inch), and also in its file.
TEST(LayoutPictureResolution, IsNinetySixDotsPerInch) {
    const auto report = reportOf("<Section minimumHeight=\"1440\" backColor=\"-1\"/>");
    const int dotsPerMeter = 3780;  // 96 dots per inch
    const QImage drawn = LayoutPicture(QString(), false).DrawReport(*report, 0);
    EXPECT_EQ(drawn.dotsPerMeterX(), dotsPerMeter);
    EXPECT_EQ(drawn.dotsPerMeterY(), dotsPerMeter);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("temp0.bmp"));
    LayoutPicture(QString(), false).MakeReport(*report, 0, file);
    const QImage saved(file, "BMP");
    EXPECT_EQ(saved.dotsPerMeterX(), dotsPerMeter);
    EXPECT_EQ(saved.dotsPerMeterY(), dotsPerMeter);
}

}  // namespace
