#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <memory>

class tvReport;

namespace tav::word {

// The memory that the pictures of one painter are drawn on, kept from one picture to the next.
class SurfaceMemory;

// Draws the layout picture of a report: every section as a band across the printable width,
// every report object as a scaled rectangle with its text, borders, lines and boxes. One scale
// serves both directions, and a layout taller than the surface shrinks until it fits. System
// colours take the usual light desktop scheme. Texts need Qt's graphical application on any
// platform (offscreen in a run without a display); without one the picture has no texts.
class LayoutPicture {
public:
    // `numberFontName` draws the numbers of objects without a text of their own; hidden
    // sections are drawn only with `showHiddenSections`.
    // Pictures drawn over one `memory`, one after another, each draw over the memory of the one
    // before rather than faulting in fresh pages: a writer keeps one for all its reports.
    LayoutPicture(const QString& numberFontName, bool showHiddenSections,
                  std::shared_ptr<SurfaceMemory> memory = NewMemory());

    // Memory for the surfaces of pictures drawn one after another.
    static std::shared_ptr<SurfaceMemory> NewMemory();

    // The tallest surface, in twips: about the printable height of a page, so that the picture
    // fits one page of the document.
    static constexpr double kMaxSurfaceHeight = 13440;
    // Screen resolution that the twips of the surface are turned into pixels at.
    static constexpr double kPixelsPerInch = 96;
    // The same in dots per metre, as pictures carry it.
    static constexpr int kDotsPerMeter = 3780;

    // Whether the main report's margins leave the page any width for its pictures; without it
    // the other members throw.
    static bool HasRoom(const tvReport& mainReport);

    // Draws the layout of the main report (index 0) or of its index-th subreport, with the main
    // report's margins and orientation. Throws std::runtime_error when the picture cannot be made.
    QImage DrawReport(const tvReport& mainReport, qsizetype index) const;
    // The size in pixels of the picture that DrawReport makes, found without drawing it; throws
    // as DrawReport does when there is no room for it.
    QSize SizeOfReport(const tvReport& mainReport, qsizetype index) const;
    // Draws as DrawReport does and saves the picture as a BMP file at `filePath` (written to a
    // temporary file first). Throws std::runtime_error when the picture cannot be made or saved.
    void MakeReport(const tvReport& mainReport, qsizetype index, const QString& filePath) const;

private:
    struct Frame {
        double width, height;  // of the layout on the surface, in twips
        double scale;          // of the report's twips onto the surface
    };
    Frame FrameOf(const tvReport& mainReport, qsizetype index) const;
    // Of the page, less the margins, in twips; not above zero when they leave none.
    static double PrintableWidth(const tvReport& mainReport);

    QString numberFontName_;
    bool showHiddenSections_;
    std::shared_ptr<SurfaceMemory> memory_;
};

}  // namespace tav::word
