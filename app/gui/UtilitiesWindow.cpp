#include "UtilitiesWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>
#include <stdexcept>

#include "CrossReference.h"
#include "ExtractDriver.h"
#include "ExtractOptions.h"
#include "ExtractResultsWindow.h"
#include "GuiSeams.h"
#include "HelpMenu.h"
#include "LogonDialog.h"
#include "MiningSettingsWindow.h"
#include "NamedWidgets.h"
#include "ProgramSettings.h"
#include "ReportDiffWindow.h"
#include "ReportFolder.h"
#include "ReportListFile.h"
#include "ReportOwnersWindow.h"
#include "ReportsMenu.h"
#include "ResultGridWindow.h"
#include "RunReporter.h"
#include "SiteSurvey.h"
#include "SplashWindow.h"
#include "StatusWindow.h"
#include "TemplatesWindow.h"
#include "WindowFit.h"
#include "WindowReporter.h"

namespace tav::gui {

using namespace core;
using namespace doctext;
using namespace word;
using namespace utilities;
using namespace extract;

namespace {

constexpr auto kBeginText = "Click the 'Add Reports' button to begin.";
constexpr auto kHighlightTwoText =
    "You must highlight two reports for a comparison. (Highlight by using <Ctrl>+<left click>";

// One row a utility button, in the order of the utilities: its caption with its access key, and
// the question before a new run.
struct UtilityRow {
    const char* caption;
    const char* rerunQuestion;
};
constexpr UtilityRow kUtilities[] = {
    {"&Cross Reference",
     "An XRef has already been run.  Press 'OK' to create a new XRef or 'Cancel' to display "
     "existing XRef results"},
    {"&Site Survey",
     "A Survey has already been run.  Press 'OK' to create a new Survey or 'Cancel' to display "
     "existing Survey results"},
    {"E&xtract",
     "An Extract has already been run.  Press 'OK' to create a new Extract or 'Cancel' to "
     "display existing Extract results"},
    {"Report &Difference",
     "A RptDiff has already been run.  Press 'OK' to create a new RptDiff or 'Cancel' to "
     "display existing RptDiff results"},
};

// The upper-cased text after the last '.', or the whole text when it has none.
QString extensionOf(const QString& entry) {
    return entry.mid(entry.lastIndexOf(u'.') + 1).toUpper();
}

bool isFolderEntry(const QString& entry) { return entry.endsWith(u'/') || entry.endsWith(u'\\'); }

// A result window inside the main window. Tab and Shift+Tab go through its controls and on to
// the main window's others, as between the main window's own; a window of this kind would
// otherwise keep the focus among its own controls for good.
class ResultSubWindow : public QMdiSubWindow {
protected:
    bool focusNextPrevChild(bool next) override {
        QWidget* from = QApplication::focusWidget();
        if (!from || !isAncestorOf(from)) return QMdiSubWindow::focusNextPrevChild(next);
        for (QWidget* to = step(from, next); to && to != from; to = step(to, next)) {
            // A result window gives the focus straight back to its own control: it is passed
            // by, and its control is reached in its place.
            if ((to->focusPolicy() & Qt::TabFocus) && to->isVisible() && to->isEnabled() &&
                !to->focusProxy() && !qobject_cast<QMdiSubWindow*>(to)) {
                to->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
                return true;
            }
        }
        return false;
    }

private:
    static QWidget* step(QWidget* widget, bool next) {
        return next ? widget->nextInFocusChain() : widget->previousInFocusChain();
    }
};

}  // namespace

UtilitiesWindow::UtilitiesWindow(QWidget* parent) : QMainWindow(parent) {
    useProgramIcon();
    setObjectName(QStringLiteral("TVUtility"));
    setWindowTitle(QStringLiteral("Tavrin"));

    auto* pbLeft = new QWidget;
    pbLeft->setObjectName(QStringLiteral("pbLeft"));
    auto* left = new QVBoxLayout(pbLeft);
    auto* utilities = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        auto* utility = new QPushButton(QLatin1String(kUtilities[i].caption), pbLeft);
        utility->setObjectName(QStringLiteral("cmdRM_%1").arg(i));
        connect(utility, &QPushButton::clicked, this, [this, i] { startUtility(i); });
        utilities->addWidget(utility);
    }
    left->addLayout(utilities);
    fileCount_ = named(new QLabel(pbLeft), "lblFileCount");
    left->addWidget(fileCount_);
    reportList_ = named(new QListWidget(pbLeft), "RptList");
    reportList_->setAccessibleName(QStringLiteral("Report list"));
    reportList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    reportList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    left->addWidget(reportList_);
    auto* listButtons = new QHBoxLayout;
    auto* addReportsButton = namedButton("cmdAddReports", "&Add Reports", pbLeft);
    auto* addFolderButton = namedButton("cmdAddFolder", "Add F&older", pbLeft);
    removeButton_ = namedButton("cmdRemove", "Re&move", pbLeft);
    removeButton_->setToolTip(
        QStringLiteral("Removes highligted reports in 'Selected report to survey' list"));
    for (auto* b : {addReportsButton, addFolderButton, removeButton_}) listButtons->addWidget(b);
    left->addLayout(listButtons);
    connect(addReportsButton, &QPushButton::clicked, this, &UtilitiesWindow::chooseReports);
    connect(addFolderButton, &QPushButton::clicked, this, &UtilitiesWindow::chooseFolder);
    connect(removeButton_, &QPushButton::clicked, this, &UtilitiesWindow::removeSelectedReports);

    mdiArea_ = named(new QMdiArea, "mdiArea");
    // Without scroll bars the area takes every window's minimum size as its own, and a large
    // child window would widen the main window.
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* splitter = new QSplitter;
    splitter->setObjectName(QStringLiteral("picSplitter"));
    splitter->addWidget(pbLeft);
    splitter->addWidget(mdiArea_);
    splitter->setStretchFactor(1, 1);
    setCentralWidget(splitter);

    auto* sbStatus = statusBar();
    sbStatus->setObjectName(QStringLiteral("sbStatus"));
    statusPanel1_ = named(new QLabel, "sbStatusPanel1");
    auto* statusPanel2 = named(new QLabel, "sbStatusPanel2");
    statusPanel2->setMinimumWidth(133);
    sbStatus->addWidget(statusPanel1_, 1);
    sbStatus->addPermanentWidget(statusPanel2);
    // Set by the dispatcher and the utilities, but kept out of sight.
    progressBar_ = named(new QProgressBar(sbStatus), "pbProgress");
    progressBar_->hide();
    statusWindow_ = new StatusWindow(this);

    auto* file = named(menuBar()->addMenu(QStringLiteral("&File")), "mnuFile");
    auto* settings = named(file->addAction(QStringLiteral("&Settings")), "miFSettings");
    connect(settings, &QAction::triggered, this, &UtilitiesWindow::showSettings);
    auto* templates = named(file->addAction(QStringLiteral("&Templates")), "miFTemplates");
    connect(templates, &QAction::triggered, this, &UtilitiesWindow::showTemplates);
    auto* owners = named(file->addAction(QStringLiteral("&Report Owners")), "miFRptOwners");
    connect(owners, &QAction::triggered, this, &UtilitiesWindow::showReportOwners);
    file->addSeparator();
    auto* exitAction = named(file->addAction(QStringLiteral("E&xit")), "miFExit");
    connect(exitAction, &QAction::triggered, this, &QWidget::close);
    auto* edit = named(menuBar()->addMenu(QStringLiteral("&Edit")), "mnuEdit");
    auto* copy = named(edit->addAction(QStringLiteral("&Copy Grid to Clipboard")), "miEditCopy");
    connect(copy, &QAction::triggered, this, [this] {
        if (!currentUtility_ ||
            (*currentUtility_ != CrossReference && *currentUtility_ != SiteSurvey))
            return;
        if (grids_[*currentUtility_]) grids_[*currentUtility_]->copyWholeGrid();
    });
    new ReportsMenu(this);  // owned by this window
    auto* window = named(menuBar()->addMenu(QStringLiteral("&Window")), "mnuWindow");
    auto* cascade = named(window->addAction(QStringLiteral("&Cascade")), "miWCascade");
    connect(cascade, &QAction::triggered, mdiArea_, &QMdiArea::cascadeSubWindows);
    auto* tileHorizontally =
        named(window->addAction(QStringLiteral("Tile &Horizontally")), "miWTileHorz");
    connect(tileHorizontally, &QAction::triggered, this, [this] { tileSubWindows(true); });
    auto* tileVertically =
        named(window->addAction(QStringLiteral("Tile &Vertically")), "miWTileVert");
    connect(tileVertically, &QAction::triggered, this, [this] { tileSubWindows(false); });
    new HelpMenu(this);  // owned by this window

    removeButton_->setEnabled(false);
    setStatusText(QLatin1String(kBeginText));
    showFileCount();
    reporter_ = std::make_shared<WindowReporter>(
        this,
        [this](const QString& text) {
            setStatusText(text);
            statusPanel1_->repaint();
            // A progress text is news of the work that runs: once the program waits for the user
            // again, the work is over and the text goes.
            QTimer::singleShot(0, this, [this, text] { dropProgressText(text); });
        },
        statusWindow_);
    resize(900, 600);
}

UtilitiesWindow::~UtilitiesWindow() {
    // The templates window tells its status in this window's status window.
    delete templates_.data();
}

void UtilitiesWindow::closeEvent(QCloseEvent* event) {
    if (QString error; !programSettings().save(&error)) reporter_->message(error);
    statusWindow_->hide();
    event->accept();
    // The viewer, the templates and the other windows of their own go with the program.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible()) window->hide();
    if (guiSeams().endProgram) guiSeams().endProgram();
}

void UtilitiesWindow::tileSubWindows(bool oneAboveTheOther) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList())
        if (sub->isVisible() && !sub->isMinimized()) windows << sub;
    if (windows.isEmpty()) return;
    const QRect area = mdiArea_->viewport()->rect();
    const int n = static_cast<int>(windows.size());
    for (int i = 0; i < n; ++i) {
        windows[i]->showNormal();
        if (oneAboveTheOther)
            windows[i]->setGeometry(0, area.height() * i / n, area.width(),
                                    area.height() * (i + 1) / n - area.height() * i / n);
        else
            windows[i]->setGeometry(area.width() * i / n, 0,
                                    area.width() * (i + 1) / n - area.width() * i / n,
                                    area.height());
    }
}

void UtilitiesWindow::showSettings() {
    if (!settings_) {
        settings_ = new MiningSettingsWindow(this);
        settings_->setWindowFlag(Qt::Window);
    }
    if (settings_->isVisible()) {
        settings_->raise();
        settings_->activateWindow();
        return;
    }
    settings_->show();
}

void UtilitiesWindow::showTemplates() {
    if (!templates_)
        templates_ = new TemplatesWindow(programSettings().store().programFolder(), reporter_.get(),
                                         nullptr);
    showModeless(templates_);
}

void UtilitiesWindow::showReportOwners() {
    if (!owners_) owners_ = new ReportOwnersWindow(this, reporter_.get());
    showModeless(owners_);
}

void UtilitiesWindow::dropProgressText(const QString& text) {
    // A dialog or box that the work opens (the logon, a failure's message) waits for the user
    // while the work is still on: the text stays until the work is over.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(100, this, [this, text] { dropProgressText(text); });
        return;
    }
    if (statusText() == text) setStatusText(QString());
}

QString UtilitiesWindow::statusText() const { return statusPanel1_->text(); }
void UtilitiesWindow::setStatusText(const QString& text) { statusPanel1_->setText(text); }

void UtilitiesWindow::warn(const QString& text) {
    guiSeams().message(this, text, QString(), QMessageBox::Warning);
}

bool UtilitiesWindow::isInReportList(const QString& path) const {
    for (int i = 0; i < reportList_->count(); ++i)
        if (reportList_->item(i)->text() == path) return true;
    return false;
}

void UtilitiesWindow::showFileCount() {
    const int n = reportList_->count();
    removeButton_->setEnabled(n > 0);
    if (n == 0) {
        fileCount_->setText(QStringLiteral("No files selected"));
        return;
    }
    fileCount_->setText(n == 1 ? QStringLiteral("1 file/folder selected")
                               : QStringLiteral("%1 files/folders selected").arg(n));
    setStatusText(QStringLiteral("Use buttons at top for desired action."));
}

void UtilitiesWindow::chooseReports() {
    const QStringList files = guiSeams().openFileNames(
        this, programOptions().RptPath, QStringLiteral("Crystal Report Files (*.rpt)"));
    if (files.isEmpty()) return;
    programOptions().RptPath = QFileInfo(files.first()).absolutePath() + u'/';
    addReports(files);
}

void UtilitiesWindow::addReports(const QStringList& paths) {
    for (const QString& path : paths)
        if (!isInReportList(path)) reportList_->addItem(path);
    showFileCount();
}

void UtilitiesWindow::chooseFolder() {
    QString folder =
        BrowseForFolder(this, QStringLiteral("Enter the path in which to search for reports"),
                        QCoreApplication::applicationDirPath());
    if (folder.isEmpty()) return;
    if (!isFolderEntry(folder)) folder += u'/';
    if (isInReportList(folder))
        guiSeams().message(this, QStringLiteral("This path already exists in selected list"),
                           QString(), QMessageBox::NoIcon);
    else
        reportList_->addItem(folder);
    showFileCount();
}

void UtilitiesWindow::removeSelectedReports() {
    if (reportList_->currentRow() == -1) {
        warn(QStringLiteral("No report chosen to remove from list."));
        return;
    }
    if (reportList_->selectedItems().isEmpty()) {
        guiSeams().message(this, QStringLiteral("No reports to remove."), QString(),
                           QMessageBox::NoIcon);
    } else {
        for (int i = reportList_->count() - 1; i >= 0; --i)
            if (reportList_->item(i)->isSelected()) delete reportList_->takeItem(i);
    }
    showFileCount();
}

bool UtilitiesWindow::ExpandReportList(QString* error) {
    expandedReports_.clear();
    // A folder or a list that was not read whole ends the expansion; the reports read before
    // the failure stay.
    const auto expandWith = [this, error](const auto& source) {
        expandedReports_ << source.reports;
        if (error && !source.readWhole()) *error = source.error;
        return source.readWhole();
    };
    for (int i = 0; i < reportList_->count(); ++i) {
        const QString entry = reportList_->item(i)->text();
        const QString extension = extensionOf(entry);
        if (extension == QLatin1String("RPT")) {
            expandedReports_ << entry;
        } else if (isFolderEntry(entry)) {
            if (!expandWith(ReportFolder::read(entry, ReportFolder::Subfolders::Walked,
                                               ReportFolder::Hidden::Taken,
                                               [] { QCoreApplication::processEvents(); })))
                return false;
        } else if (extension == QLatin1String("RML")) {
            if (!expandWith(ReportListFile::read(entry))) return false;
        }
    }
    return true;
}

ExtractResultsWindow& UtilitiesWindow::extractWindow() {
    if (!extract_) {
        extract_ = new ExtractResultsWindow;
        addResultWindow(extract_);
        fitWindowToContents(extract_);
    }
    return *extract_;
}

ResultGridWindow& UtilitiesWindow::gridWindow(int index) {
    if (!grids_[index]) {
        auto* window =
            new ResultGridWindow(index == CrossReference ? ResultGridWindow::CrossReference
                                                         : ResultGridWindow::SiteSurvey);
        addResultWindow(window);
        fitWindowToContents(window);
        grids_[index] = window;
    }
    return *grids_[index];
}

ReportDiffWindow& UtilitiesWindow::diffWindow() {
    if (!diff_) {
        diff_ = new ReportDiffWindow;
        diff_->comparison().setReporter(*reporter_);
        addResultWindow(diff_);
        fitWindowToContents(diff_);
    }
    return *diff_;
}

void UtilitiesWindow::addResultWindow(QWidget* window) {
    // Closed, the window is only hidden: this window keeps it, and it comes back with its
    // results at the next run of its utility.
    auto* sub = new ResultSubWindow;
    sub->setWidget(window);
    mdiArea_->addSubWindow(sub);
}

void UtilitiesWindow::bringToFront(QWidget* window) {
    // A window the user closed was hidden with its frame.
    window->show();
    for (QWidget* w = window; w; w = w->parentWidget()) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w)) {
            sub->show();
            mdiArea_->setActiveSubWindow(sub);
            return;
        }
    }
}

bool UtilitiesWindow::holdsResults(int index) {
    switch (index) {
        case CrossReference:
        case SiteSurvey:
            // A single row of results is not worth a question: only more are kept.
            return gridWindow(index).result().rows().size() > 1;
        case Extract:
            return extractWindow().results().size() > 1;
        default:
            diffWindow();
            return diffShown_;
    }
}

void UtilitiesWindow::startUtility(int index) {
    if (utilityRunning_) return;
    utilityRunning_ = true;
    // Every way out of a run clears the flag and gives the pointer back.
    struct RunGuard {
        UtilitiesWindow& window;
        bool busyPointer = false;
        ~RunGuard() {
            if (busyPointer) QApplication::restoreOverrideCursor();
            window.utilityRunning_ = false;
        }
    } guard{*this};

    const bool known = index >= CrossReference && index <= ReportDifference;
    if (known) {
        const int count = reportList_->count();
        if (count == 0) {
            warn(QStringLiteral("No reports have been selected"));
            return;
        }
        if (index == ReportDifference) {
            if (count == 1) {
                warn(QStringLiteral("You must select two reports for a comparison"));
                return;
            }
            if (count > 2 && reportList_->selectedItems().size() != 2) {
                warn(QLatin1String(kHighlightTwoText));
                return;
            }
            if (count == 2) reportList_->selectAll();
        }
        QApplication::setOverrideCursor(Qt::WaitCursor);
        guard.busyPointer = true;
        currentUtility_ = static_cast<Utility>(index);
        QWidget* result = index == Extract            ? static_cast<QWidget*>(&extractWindow())
                          : index == ReportDifference ? static_cast<QWidget*>(&diffWindow())
                                                      : &gridWindow(index);
        bringToFront(result);
        if (holdsResults(index) &&
            !guiSeams().askOkCancel(this, QLatin1String(kUtilities[index].rerunQuestion)))
            return;
        // Each utility answers its failures itself, report by report.
        runUtility(index);
        if (index == ReportDifference && (path1_.isEmpty() || path2_.isEmpty())) return;
    }
    setStatusText(QLatin1String(kBeginText));
    setWindowTitle(QStringLiteral("Tavrin Utilities"));
}

void UtilitiesWindow::runUtility(int index) {
    if (index != ReportDifference) {
        // The utility still runs over the reports expanded before the failing entry.
        if (QString error; !ExpandReportList(&error))
            guiSeams().message(this, error, QString(), QMessageBox::NoIcon);
        progressBar_->setRange(0, static_cast<int>(expandedReports_.size()));
        progressBar_->setValue(0);
        if (index == Extract) {
            QStringList results = extractWindow().results();
            ExtractRun run(programOptions(), *reporter_);
            ExtractDriver(run, defaultExtractWriters(), LogonDialog::present)
                .ExtractReportList(expandedReports_, results);
            extractWindow().setResults(results);
        } else {
            const auto run = index == CrossReference ? RunCrossReference : RunSiteSurvey;
            ResultGridWindow& window = gridWindow(index);
            window.setResult(run(expandedReports_, programOptions().PromptForParameters, *reporter_,
                                 [this, &window](qsizetype done, const ResultGrid& sofar) {
                                     progressBar_->setValue(static_cast<int>(done + 1));
                                     window.showProgress(sofar);
                                 }));
        }
        return;
    }
    path1_.clear();
    path2_.clear();
    for (int i = 0; i < reportList_->count(); ++i) {
        if (!reportList_->item(i)->isSelected()) continue;
        if (path1_.isEmpty()) {
            path1_ = reportList_->item(i)->text();
        } else {
            path2_ = reportList_->item(i)->text();
            break;
        }
    }
    if (path1_.isEmpty() || path2_.isEmpty()) {
        warn(QLatin1String(kHighlightTwoText));
        return;
    }
    ReportDiffWindow& window = diffWindow();
    window.parentWidget()->show();
    progressBar_->setRange(0, 3);
    progressBar_->setValue(0);
    QString error;
    if (!window.compare(path1_, path2_, &error)) {
        guiSeams().message(this, error, QString(), QMessageBox::NoIcon);
        return;
    }
    diffShown_ = true;
}

}  // namespace tav::gui
