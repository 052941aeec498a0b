#include "ReportViewerWindow.h"

#include <QApplication>
#include <QColor>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QVBoxLayout>

#include "DatabaseCreator.h"
#include "DatabaseSchema.h"
#include "ExtractOptions.h"
#include "GuiSeams.h"
#include "ProgramSettings.h"
#include "SettingsStore.h"
#include "WindowFit.h"
#include "tvTypes.h"

namespace tav::gui {

using namespace core;
using namespace database;
using namespace utilities;

namespace {

// The file name of a full path as the program stores it (a report's path, written on this
// system or on Windows); any other value as it is.
QString storedFileName(const QString& value) {
    static const QRegularExpression fullPath(
        QStringLiteral(R"(^(/|[A-Za-z]:[\\/]|\\\\).*[^/\\]$)"));
    if (!fullPath.match(value).hasMatch()) return value;
    return tvFileName(value);
}

}  // namespace

void RenderReport(const ViewerReport& report, QTextDocument& document) {
    document.clear();
    document.setMetaInformation(QTextDocument::DocumentTitle, report.title);
    QTextCursor cursor(&document);
    QTextBlockFormat titleBlock;
    titleBlock.setHeadingLevel(1);
    QTextCharFormat titleText;
    titleText.setFontPointSize(16);
    titleText.setFontWeight(QFont::Bold);
    cursor.setBlockFormat(titleBlock);
    cursor.insertText(report.title, titleText);
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());

    // The group's value heads its rows, so its column is not repeated in them.
    QList<int> shown;
    for (int column = 0; column < report.headers.size(); ++column)
        if (column != report.groupColumn) shown << column;
    // A report that shows nothing but its groups still lists their values.
    if (shown.isEmpty() && !report.headers.isEmpty()) shown << report.groupColumn;
    QList<int> groupStarts;
    for (int row = 0; row < report.rows.size(); ++row)
        if (report.groupColumn >= 0 && (row == 0 || report.rows[row][report.groupColumn] !=
                                                        report.rows[row - 1][report.groupColumn]))
            groupStarts << row;
    const bool totals = !report.totals.isEmpty();
    const int lines =
        1 + static_cast<int>(report.rows.size() + groupStarts.size()) + (totals ? 1 : 0);

    QTextTableFormat tableFormat;
    tableFormat.setHeaderRowCount(1);
    tableFormat.setCellPadding(3);
    tableFormat.setCellSpacing(0);
    tableFormat.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    tableFormat.setBorderCollapse(true);
    tableFormat.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    const int width = static_cast<int>(shown.size());
    QTextTable* table = cursor.insertTable(lines, width, tableFormat);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    const auto put = [&](int line, int cell, const QString& text, const QTextCharFormat& format,
                         Qt::Alignment alignment) {
        QTextCursor at = table->cellAt(line, cell).firstCursorPosition();
        QTextBlockFormat block = at.blockFormat();
        block.setAlignment(alignment);
        at.setBlockFormat(block);
        at.insertText(text, format);
    };
    const auto shade = [&](int line, const QColor& colour) {
        for (int cell = 0; cell < table->columns(); ++cell) {
            QTextTableCell tableCell = table->cellAt(line, cell);
            QTextCharFormat format = tableCell.format();
            format.setBackground(colour);
            tableCell.setFormat(format);
        }
    };
    // Totalled columns hold numbers: right-aligned, so that their digits line up.
    const auto alignmentOf = [&](int column) -> Qt::Alignment {
        return totals && !report.totals[column].isEmpty() ? Qt::AlignRight : Qt::AlignLeft;
    };
    for (int cell = 0; cell < width; ++cell)
        put(0, cell, report.headers[shown[cell]], bold, alignmentOf(shown[cell]));
    shade(0, QColor(0xdd, 0xe6, 0xf0));
    int line = 1;
    qsizetype nextGroup = 0;
    for (int row = 0; row < report.rows.size(); ++row) {
        if (nextGroup < groupStarts.size() && groupStarts[nextGroup] == row) {
            ++nextGroup;
            const QString value = report.rows[row][report.groupColumn];
            table->mergeCells(line, 0, 1, width);
            put(line, 0,
                report.headers[report.groupColumn] + QStringLiteral(": ") +
                    (value.isEmpty() ? QStringLiteral("(none)") : value),
                bold, Qt::AlignLeft);
            shade(line, QColor(0xf0, 0xf3, 0xf7));
            ++line;
        }
        for (int cell = 0; cell < width; ++cell) {
            // A stored path shows its file name, the whole path in its tip: a column of full
            // paths would wrap each row over several lines.
            const QString& value = report.rows[row][shown[cell]];
            const QString name = storedFileName(value);
            QTextCharFormat format;
            if (name != value) format.setToolTip(value);
            put(line, cell, name, format, alignmentOf(shown[cell]));
        }
        ++line;
    }
    if (totals) {
        for (int cell = 0; cell < width; ++cell) {
            const QString value = report.totals[shown[cell]];
            put(line, cell, cell == 0 && value.isEmpty() ? QStringLiteral("Total") : value, bold,
                alignmentOf(shown[cell]));
        }
        shade(line, QColor(0xdd, 0xe6, 0xf0));
    }
}

ReportViewerWindow::ReportViewerWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("TVCRViewer"));
    setWindowTitle(QStringLiteral("Tavrin Viewer"));
    viewer_ = new QTextBrowser;
    viewer_->setObjectName(QStringLiteral("viewer"));
    viewer_->setAccessibleName(QStringLiteral("Report view"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* cmdPrint = new QPushButton(QStringLiteral("&Print"));
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    connect(cmdPrint, &QPushButton::clicked, this, &ReportViewerWindow::print);
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("sbStatus"));
    // A long path is cut rather than widening the window; the whole of it is in its tip.
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(0, 0, 6, 0);
    bar->addWidget(cmdPrint);
    bar->addWidget(status_, 1);
    layout->addLayout(bar);
    layout->addWidget(viewer_);
    resize(8670 / tvTwipsPerPixel, 5250 / tvTwipsPerPixel);
}

void ReportViewerWindow::showReport(const ViewerReport& report) {
    RenderReport(report, *viewer_->document());
    status_->clear();
    status_->setToolTip(QString());
    // The report is read from its title down; the view's cursor would stay where the new text
    // ended.
    viewer_->moveCursor(QTextCursor::Start);
    // Each report opens at the viewer's own size, brought back when it was minimized, so that
    // choosing a report always shows it; a viewer not yet open opens over the main window.
    resize(8600 / tvTwipsPerPixel, 5000 / tvTwipsPerPixel);
    if (!isVisible()) placeOverMainWindow(this);
    showNormal();
    viewer_->verticalScrollBar()->setValue(0);
    viewer_->horizontalScrollBar()->setValue(0);
    raise();
    activateWindow();
}

void ReportViewerWindow::print() {
    QPrinter printer;
    if (!guiSeams().preparePrinter || !guiSeams().preparePrinter(this, printer)) return;
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        const QString title = viewer_->document()->metaInformation(QTextDocument::DocumentTitle);
        printer.setOutputFileName(
            QFileInfo(printer.outputFileName()).absolutePath() + QLatin1Char('/') +
            QString(title).replace(QLatin1Char('/'), QLatin1Char('-')) + QStringLiteral(".pdf"));
    }
    viewer_->document()->print(&printer);
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        status_->setText(QStringLiteral("Printed to ") + printer.outputFileName());
        status_->setToolTip(printer.outputFileName());
    }
}

void DisplayReport(QWidget* owner, QPointer<ReportViewerWindow>& viewer, const QString& rptName,
                   const QString& sSeq1, const QString& sSeq2, const QString& sSeq3) {
    if (owner) owner->setCursor(Qt::WaitCursor);
    const QString databasePath = withTrailingSeparator(programOptions().DBPath) +
                                 QString::fromLatin1(DatabaseCreator::kDatabaseFileName);
    QString failure;
    if (!QFileInfo(databasePath).isFile()) {
        failure = QStringLiteral(
            "The Tavrin database (tv.db) is not found or has not yet been created by running an "
            "Extract.  Please check Settings and/run Extract.");
    } else {
        const QString path =
            programSettings().store().programFolder() + QStringLiteral("Reports/") + rptName;
        ViewerReport report;
        if (RunReportDefinition(path, databasePath, {sSeq1, sSeq2, sSeq3}, &report, &failure)) {
            if (!viewer) viewer = new ReportViewerWindow;
            viewer->showReport(report);
        }
    }
    if (!failure.isEmpty()) guiSeams().message(owner, failure, QString(), QMessageBox::NoIcon);
    if (owner) owner->unsetCursor();
}

}  // namespace tav::gui
