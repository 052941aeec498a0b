#include "LayoutPicture.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>

#include "ExtractOptions.h"
#include "FieldDetails.h"
#include "SaveFile.h"
#include "SharedBlocks.h"
#include "WritingFailure.h"
#include "tvArea.h"
#include "tvBlobObject.h"
#include "tvBoxObject.h"
#include "tvCrossTabObject.h"
#include "tvFieldElement.h"
#include "tvFieldObject.h"
#include "tvGraphObject.h"
#include "tvLineObject.h"
#include "tvMapObject.h"
#include "tvOLAPGridObject.h"
#include "tvOleObject.h"
#include "tvPrinterObject.h"
#include "tvReport.h"
#include "tvSection.h"
#include "tvSubReportObject.h"
#include "tvTextObject.h"

namespace tav::word {

using namespace core;
using namespace doctext;

namespace {

constexpr double kCornerMark = 57.6;  // twips
constexpr double kStartWidth = 10000;

// The usual light desktop scheme, by system colour index: a picture looks the same on every
// machine, whatever its own desktop theme.
constexpr QRgb kSystemColors[] = {
    0xC8C8C8,  // scroll bar
    0x000000,  // desktop
    0x99B4D1,  // active caption
    0xBFCDDB,  // inactive caption
    0xF0F0F0,  // menu
    0xFFFFFF,  // window
    0x646464,  // window frame
    0x000000,  // menu text
    0x000000,  // window text
    0x000000,  // caption text
    0xB4B4B4,  // active border
    0xF4F7FC,  // inactive border
    0xABABAB,  // application workspace
    0x0078D7,  // highlight
    0xFFFFFF,  // highlighted text
    0xF0F0F0,  // button face
    0xA0A0A0,  // button shadow
    0x6D6D6D,  // grey text
    0x000000,  // button text
    0x000000,  // inactive caption text
    0xFFFFFF,  // button highlight
    0x696969,  // 3-D dark shadow
    0xE3E3E3,  // 3-D light
    0x000000,  // tooltip text
    0xFFFFE1,  // tooltip background
    0x808080,  // (no colour of its own)
    0x0066CC,  // hot-tracked item
    0xB9D1EA,  // gradient of the active caption
    0xD7E4F2,  // gradient of the inactive caption
    0x0078D7,  // highlighted menu item
    0xF0F0F0,  // menu bar
};
constexpr QRgb kUnknownSystemColor = 0x808080;

// A colour of the model as Qt's. A system colour names an entry of the desktop scheme in its
// low byte; any other keeps red in its low byte.
QColor colorOf(qint32 value) {
    if ((quint32(value) & 0xFF000000u) == 0x80000000u) {
        const quint32 index = quint32(value) & 0x00FFFFFFu;
        return QColor(index < std::size(kSystemColors) ? kSystemColors[index]
                                                       : kUnknownSystemColor);
    }
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

Qt::PenStyle penStyle(qint32 lineStyle) {
    return lineStyle == 3 ? Qt::DashLine : lineStyle == 4 ? Qt::DotLine : Qt::SolidLine;
}

// The border of the object kinds that have one.
template <class... Kinds>
const tvBorderFormatting* borderOfAny(const tvIReportObject& object) {
    const tvBorderFormatting* found = nullptr;
    ((found = found ? found : [&]() -> const tvBorderFormatting* {
         const auto* typed = dynamic_cast<const Kinds*>(&object);
         return typed ? &typed->borderFormatting : nullptr;
     }()),
     ...);
    return found;
}

const tvBorderFormatting* borderOf(const tvIReportObject& object) {
    return borderOfAny<tvFieldObject, tvTextObject, tvSubReportObject, tvOleObject, tvGraphObject,
                       tvCrossTabObject, tvBlobObject, tvMapObject, tvOLAPGridObject>(object);
}

bool isHidden(const tvArea& area, const tvSection& section) {
    return area.hideForDrillDown.toBool() || section.suppress;
}

}  // namespace

// The system hands out fresh memory a page at a time, and slowly: a picture takes over the
// memory of the one drawn before it, once that is let go, rather than memory of its own. One
// spare is kept, as large as the largest picture so far.
class SurfaceMemory : public std::enable_shared_from_this<SurfaceMemory> {
public:
    // An image of the given size over memory of its own or the spare's; the memory comes back
    // when the last copy of the image is gone, to this object while it lives.
    QImage image(int width, int height) {
        const qsizetype bytesPerLine = qsizetype(width) * 4;
        const std::size_t size = std::size_t(bytesPerLine) * std::size_t(height);
        auto lease = std::make_unique<Lease>();
        lease->owner = weak_from_this();
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            if (spare_) {
                lease->memory = std::move(*spare_);
                spare_.reset();
            }
        }
        if (lease->memory.size() < size) lease->memory.resize(size);
        QImage image(lease->memory.data(), width, height, bytesPerLine, QImage::Format_RGB32,
                     &SurfaceMemory::giveBack, lease.get());
        if (image.isNull()) return QImage(width, height, QImage::Format_RGB32);
        lease.release();  // the image owns it now
        return image;
    }

private:
    // The memory under one image, and where it goes back to.
    struct Lease {
        std::vector<uchar> memory;
        std::weak_ptr<SurfaceMemory> owner;
    };

    static void giveBack(void* info) {
        const std::unique_ptr<Lease> lease(static_cast<Lease*>(info));
        if (const std::shared_ptr<SurfaceMemory> owner = lease->owner.lock()) {
            const std::lock_guard<std::mutex> lock(owner->mutex_);
            if (!owner->spare_ || owner->spare_->size() < lease->memory.size())
                owner->spare_ = std::move(lease->memory);
        }
    }

    std::mutex mutex_;
    std::optional<std::vector<uchar>> spare_;
};

namespace {

// One picture being drawn, in twips.
class Surface {
public:
    // The layout is drawn over `width` by `height` twips; the picture is 30 twips larger both
    // ways, so that the bands' right and lower edges stay on it.
    Surface(SurfaceMemory& memory, double width, double height, double scale)
        : image_(memory.image(pixels(width + kEdge), pixels(height + kEdge))),
          width_(width),
          scale_(scale) {
        image_.fill(Qt::white);
        // Tagged with the resolution it is drawn at, so that it keeps its size in a document.
        image_.setDotsPerMeterX(LayoutPicture::kDotsPerMeter);
        image_.setDotsPerMeterY(LayoutPicture::kDotsPerMeter);
        painter_.begin(&image_);
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.scale(LayoutPicture::kPixelsPerInch / 1440, LayoutPicture::kPixelsPerInch / 1440);
    }
    ~Surface() {
        if (painter_.isActive()) painter_.end();
    }
    QImage finish() {
        painter_.end();
        return image_;
    }

    // A line, a box outline or a filled box over (x, y)-(x + w, y + h).
    void lineOrBox(double x, double y, double h, double w, qint32 color, qint32 style, bool box,
                   bool fill) {
        if (fill && !box) return;
        painter_.setPen(QPen(colorOf(color), 0, penStyle(style)));
        painter_.setBrush(fill ? QBrush(colorOf(color)) : QBrush(Qt::NoBrush));
        if (box)
            painter_.drawRect(QRectF(x, y, w, h));
        else
            painter_.drawLine(QPointF(x, y), QPointF(x + w, y + h));
        painter_.setBrush(Qt::NoBrush);
    }

    void section(double top, double bottom, qint32 backColor, bool hidden) {
        const double w = width_;
        if (backColor != -1) lineOrBox(0, top, bottom - top, w, backColor, 0, true, true);
        if (hidden) {
            painter_.setPen(QPen(colorOf(0x010101), 0));
            painter_.setBrush(QBrush(Qt::black, Qt::FDiagPattern));
            painter_.drawRect(QRectF(0, top, w, bottom - top));
            painter_.setBrush(Qt::NoBrush);
        }
        lineOrBox(0, top, bottom - top, w, 0, 0, true, false);
    }

    void text(const QRectF& rect, const QString& text, QFont font, double sizePt, qint32 color,
              Qt::Alignment alignment) {
        // Fonts come from the platform of Qt's graphical application, the offscreen one will
        // do; without any the picture goes without its texts rather than end the program.
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
        // In twips, held within what a pixel size can take.
        font.setPixelSize(int(std::lround(std::clamp(sizePt * 20, 1.0, 1e6))));
        painter_.setFont(font);
        painter_.setPen(colorOf(color));
        painter_.save();
        painter_.setClipRect(rect);
        painter_.drawText(rect, int(alignment | Qt::TextWordWrap | Qt::AlignTop), text);
        painter_.restore();
    }

    void roundBox(const tvBoxObject& box, double x, double y, double h, double w) {
        // The corner's ellipse is given in report twips, scaled like the box itself.
        const double rx =
            std::clamp(documented(CodeOfText(box.cornerEllipseWidth)) * scale_ / 2, 0.0, w / 2);
        const double ry = std::clamp(double(box.cornerEllipseHeight) * scale_ / 2, 0.0, h / 2);
        bool ok = false;
        const double thickness = box.lineThickness.toDouble(&ok);
        painter_.setPen(QPen(colorOf(box.lineColor), ok && thickness > 0 ? thickness : 0));
        painter_.setBrush(box.fillColor != -1 ? QBrush(colorOf(box.fillColor))
                                              : QBrush(Qt::NoBrush));
        painter_.drawRoundedRect(QRectF(x, y, w, h), rx, ry);
        painter_.setBrush(Qt::NoBrush);
    }

    // Grey corner marks where neither side meeting at a corner is a single line, then the
    // borders; a double border gets a second, parallel line.
    void borders(const tvBorderFormatting& border, double x, double y, double h, double w) {
        const qint32 top = documented(CodeOfText(border.topStyle));
        const qint32 left = documented(CodeOfText(border.leftStyle));
        const qint32 right = documented(CodeOfText(border.rightStyle));
        const qint32 bottom = documented(CodeOfText(border.bottomStyle));
        const double L = kCornerMark;
        const auto mark = [&](qint32 a, qint32 b, double x1, double y1, double x2, double y2,
                              double x3, double y3, double x4, double y4) {
            if (a == 1 || b == 1) return;
            lineOrBox(x1, y1, y2 - y1, x2 - x1, 0x808080, 0, false, false);
            lineOrBox(x3, y3, y4 - y3, x4 - x3, 0x808080, 0, false, false);
        };
        mark(top, left, x, y, x + L, y, x, y, x, y + L);
        mark(bottom, left, x, y + h, x + L, y + h, x, y + h - L, x, y + h);
        mark(top, right, x + w - L, y, x + w, y, x + w, y, x + w, y + L);
        mark(bottom, right, x + w - L, y + h, x + w, y + h, x + w, y + h - L, x + w, y + h);
        struct Side {
            qint32 style;
            double x1, y1, x2, y2, dx, dy;
        };
        const Side sides[] = {{top, x, y, x + w, y, 0, 10},
                              {left, x, y, x, y + h, 10, 0},
                              {right, x + w, y, x + w, y + h, 10, 0},
                              {bottom, x, y + h, x + w, y + h, 0, 30}};
        for (const Side& s : sides) {
            if (s.style == 0) continue;
            lineOrBox(s.x1, s.y1, s.y2 - s.y1, s.x2 - s.x1, border.borderColor, s.style, false,
                      false);
            if (s.style == 2)
                lineOrBox(s.x1 + s.dx, s.y1 + s.dy, s.y2 - s.y1, s.x2 - s.x1, border.borderColor,
                          s.style, false, false);
        }
    }

    double scale() const { return scale_; }

    static constexpr double kEdge = 30;  // twips
    static int pixels(double twips) {
        return std::max(1, int(std::lround(twips / 1440 * LayoutPicture::kPixelsPerInch)));
    }

private:
    QImage image_;
    QPainter painter_;
    double width_;
    double scale_;
};

// The font size on the surface: 8 for no size or one that would be too small to read.
double scaleFontSize(double size, double scale) {
    if (size == 0) return 8;
    const double r = std::nearbyint(std::nearbyint(size) * scale);
    return r >= 5 ? r : 8;
}

void drawObject(Surface& surface, const tvIReportObject& object, double sectionTop,
                int& objectNumber, const QString& numberFontName) {
    const double s = surface.scale();
    const tvPosition& p = object.position;
    const double x = p.left * s, y = p.top * s + sectionTop + 30, h = p.height * s, w = p.width * s;
    ++objectNumber;
    const tvBorderFormatting* border = borderOf(object);
    if (object.kind == tvLineObjectKind) {
        const auto& line = static_cast<const tvLineObject&>(object);
        surface.lineOrBox(x, y, h, w, line.lineColor, line.lineStyle, false, false);
        return;
    }
    if (object.kind == tvBoxObjectKind) {
        surface.roundBox(static_cast<const tvBoxObject&>(object), x, y, h, w);
        return;
    }
    if (border && border->backgroundColor != -1)
        surface.lineOrBox(x, y, h, w, border->backgroundColor, 0, true, true);
    const auto* field = dynamic_cast<const tvFieldObject*>(&object);
    const auto* text = dynamic_cast<const tvTextObject*>(&object);
    if (field || text) {
        const tvFontFormatting& fontFormatting =
            field ? field->fontFormatting : text->fontFormatting;
        const tvCommonFormatting& common = field ? field->commonFormatting : text->commonFormatting;
        QString shown;
        if (field) {
            shown = documented(GetFieldDisplayName(field->field));
        } else if (text->fieldElements.Count() > 0) {
            for (const tvFieldElement& element : text->fieldElements)
                shown += u'{' + documented(GetFieldDisplayName(element.fieldDefinition)) + u'}';
        } else {
            shown = text->text;
        }
        shown.replace(u'^', QStringLiteral("\r\n")).replace(u'\t', QStringLiteral("      "));
        const tvFont& model = fontFormatting.font;
        QFont font(model.name);
        font.setBold(model.bold);
        font.setItalic(model.italic);
        font.setUnderline(model.underline);
        font.setStrikeOut(model.strikethrough);
        const Qt::Alignment alignment = common.horizontalAlignment == 3   ? Qt::AlignRight
                                        : common.horizontalAlignment == 2 ? Qt::AlignHCenter
                                                                          : Qt::AlignLeft;
        surface.text(QRectF(x, y, w, h), shown, font, scaleFontSize(model.size, s),
                     documented(CodeOfText(fontFormatting.color)), alignment);
    } else {
        // Objects without text of their own show their number.
        const double v = h * s;
        const double labelHeight = v >= 200 ? std::nearbyint(v) : 255;
        surface.text(QRectF(x, y, w, labelHeight), QString::number(objectNumber),
                     QFont(numberFontName), scaleFontSize(9, s), 0, Qt::AlignHCenter);
    }
    if (border) surface.borders(*border, x, y, h, w);
}

}  // namespace

LayoutPicture::LayoutPicture(const QString& numberFontName, bool showHiddenSections,
                             std::shared_ptr<SurfaceMemory> memory)
    : numberFontName_(numberFontName),
      showHiddenSections_(showHiddenSections),
      memory_(memory ? std::move(memory) : NewMemory()) {}

std::shared_ptr<SurfaceMemory> LayoutPicture::NewMemory() {
    return std::make_shared<SurfaceMemory>();
}

LayoutPicture::Frame LayoutPicture::FrameOf(const tvReport& mainReport, qsizetype index) const {
    const double printable = PrintableWidth(mainReport);
    if (printable <= 0) throw std::runtime_error("the margins leave no room on the page");
    const tvReport& report = *documented(GetReportOrSubreport(mainReport, index));
    // The surface's starting width stands for the printable width of the page.
    double scale = kStartWidth / printable;

    qint64 total = 0;
    for (const tvArea& area : report.tvAreas)
        for (const tvSection& section : area.tvSections) {
            // In 64 bits: a section of the largest height still adds its margin.
            if (!isHidden(area, section))
                total += qint64(section.minimumHeight) + 50;
            else if (showHiddenSections_)
                total += qint64(section.height) + 50;
        }
    double width = kStartWidth, height = total * scale;
    if (kMaxSurfaceHeight - 400 < height) {
        const double fit = (kMaxSurfaceHeight - 400) / double(total);
        width = fit * kStartWidth / scale;
        scale = fit;
        height = kMaxSurfaceHeight - 400;
    }
    return {width, height, scale};
}

double LayoutPicture::PrintableWidth(const tvReport& mainReport) {
    const double marginInches = (double(mainReport.rightMargin) + mainReport.leftMargin) / 1440;
    const qint16 orientation =
        mainReport.tvPrinterObject ? mainReport.tvPrinterObject->PaperOrientation : 0;
    return ((orientation == 2 ? 11.0 : 8.5) - marginInches) * 1440;
}

bool LayoutPicture::HasRoom(const tvReport& mainReport) { return PrintableWidth(mainReport) > 0; }

QSize LayoutPicture::SizeOfReport(const tvReport& mainReport, qsizetype index) const {
    const Frame frame = FrameOf(mainReport, index);
    return {Surface::pixels(frame.width + Surface::kEdge),
            Surface::pixels(frame.height + Surface::kEdge)};
}

QImage LayoutPicture::DrawReport(const tvReport& mainReport, qsizetype index) const {
    const bool showHidden = showHiddenSections_;
    const tvReport& report = *documented(GetReportOrSubreport(mainReport, index));
    const Frame frame = FrameOf(mainReport, index);
    const double scale = frame.scale;
    Surface surface(*memory_, frame.width, frame.height, scale);
    int objectNumber = 0;
    double top = 0;
    for (const tvArea& area : report.tvAreas)
        for (const tvSection& section : area.tvSections) {
            const bool hidden = isHidden(area, section);
            if (hidden && !showHidden) {
                objectNumber += int(section.reportObjects.Count());
                continue;
            }
            const double bottom = top + (qint64(section.minimumHeight) + 50) * scale;
            surface.section(top, bottom, section.backColor, hidden);
            // Boxes first, so that everything else is drawn over them.
            for (bool boxes : {true, false})
                for (const tvIReportObject& object : section.reportObjects)
                    if ((object.kind == tvBoxObjectKind) == boxes)
                        drawObject(surface, object, top, objectNumber, numberFontName_);
            top = bottom;
        }

    return surface.finish();
}

void LayoutPicture::MakeReport(const tvReport& mainReport, qsizetype index,
                               const QString& filePath) const {
    const QImage image = DrawReport(mainReport, index);
    rt::SaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "BMP") || !file.commit())
        throw std::runtime_error(
            ("the layout picture cannot be saved: " + file.errorString()).toStdString());
}

}  // namespace tav::word
