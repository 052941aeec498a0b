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

#include "AboutDialog.h"
#include "CrossReference.h"
#include "ExtractDriver.h"
#include "ExtractOptions.h"
#include "ExtractResultsWindow.h"
#include "GuiSeams.h"
#include "LogonDialog.h"
#include "MiningSettingsWindow.h"
#include "ProgramSettings.h"
#include "ReportDiffWindow.h"
#include "ReportListFile.h"
#include "ReportOwnersWindow.h"
#include "ReportViewerWindow.h"
#include "ResultGridWindow.h"
#include "RunLog.h"
#include "SettingsStore.h"
#include "SiteSurvey.h"
#include "SplashWindow.h"
#include "StatusWindow.h"
#include "TemplatesWindow.h"
#include "UserMessages.h"
#include "WindowFit.h"

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

// One row a utility button: its name, caption, the question before a new run and the text
// shown while its engine is missing.
struct UtilityRow {
    const char* name;
    const char* caption;
    const char* rerunQuestion;
};
constexpr UtilityRow kUtilities[] = {
    {"XRef", "Cross Reference",
     "An XRef has already been run.  Press 'OK' to create a new XRef or 'Cancel' to display "
     "existing XRef results"},
    {"Survey", "Site Survey",
     "A Survey has already been run.  Press 'OK' to create a new Survey or 'Cancel' to display "
     "existing Survey results"},
    {"Extract", "Extract",
     "An Extract has already been run.  Press 'OK' to create a new Extract or 'Cancel' to "
     "display existing Extract results"},
    {"RptDiff", "Report Difference",
     "A RptDiff has already been run.  Press 'OK' to create a new RptDiff or 'Cancel' to "
     "display existing RptDiff results"},
};

// The upper-cased text after the last '.', or the whole text when it has none.
QString extensionOf(const QString& entry) {
    return entry.mid(entry.lastIndexOf(u'.') + 1).toUpper();
}

bool isFolderEntry(const QString& entry) { return entry.endsWith(u'/') || entry.endsWith(u'\\'); }

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

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
        cmdRM[i] = new QPushButton(QLatin1String(kUtilities[i].caption), pbLeft);
        cmdRM[i]->setObjectName(QStringLiteral("cmdRM_%1").arg(i));
        connect(cmdRM[i], &QPushButton::clicked, this, [this, i] { startUtility(i); });
        utilities->addWidget(cmdRM[i]);
    }
    left->addLayout(utilities);
    lblFileCount = new QLabel(pbLeft);
    lblFileCount->setObjectName(QStringLiteral("lblFileCount"));
    left->addWidget(lblFileCount);
    RptList = new QListWidget(pbLeft);
    RptList->setObjectName(QStringLiteral("RptList"));
    RptList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    RptList->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    left->addWidget(RptList);
    auto* listButtons = new QHBoxLayout;
    cmdAddReports = button("cmdAddReports", QStringLiteral("&Add Reports"), pbLeft);
    cmdAddFolder = button("cmdAddFolder", QStringLiteral("Add F&older"), pbLeft);
    cmdRemove = button("cmdRemove", QStringLiteral("Re&move"), pbLeft);
    cmdRemove->setToolTip(
        QStringLiteral("Removes highligted reports in 'Selected report to survey' list"));
    for (auto* b : {cmdAddReports, cmdAddFolder, cmdRemove}) listButtons->addWidget(b);
    left->addLayout(listButtons);
    connect(cmdAddReports, &QPushButton::clicked, this, &UtilitiesWindow::chooseReports);
    connect(cmdAddFolder, &QPushButton::clicked, this, &UtilitiesWindow::chooseFolder);
    connect(cmdRemove, &QPushButton::clicked, this, &UtilitiesWindow::removeSelectedReports);

    mdiArea = new QMdiArea;
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    // Without scroll bars the area takes every window's minimum size as its own, and a large
    // child window would widen the main window.
    mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* splitter = new QSplitter;
    splitter->setObjectName(QStringLiteral("picSplitter"));
    splitter->addWidget(pbLeft);
    splitter->addWidget(mdiArea);
    splitter->setStretchFactor(1, 1);
    setCentralWidget(splitter);

    auto* sbStatus = statusBar();
    sbStatus->setObjectName(QStringLiteral("sbStatus"));
    statusPanel1 = new QLabel;
    statusPanel1->setObjectName(QStringLiteral("sbStatusPanel1"));
    statusPanel2 = new QLabel;
    statusPanel2->setObjectName(QStringLiteral("sbStatusPanel2"));
    statusPanel2->setMinimumWidth(133);
    sbStatus->addWidget(statusPanel1, 1);
    sbStatus->addPermanentWidget(statusPanel2);
    // Set by the dispatcher and the utilities, but kept out of sight.
    pbProgress = new QProgressBar(sbStatus);
    pbProgress->setObjectName(QStringLiteral("pbProgress"));
    pbProgress->hide();

    auto* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    auto* settings = file->addAction(QStringLiteral("&Settings"));
    settings->setObjectName(QStringLiteral("miFSettings"));
    connect(settings, &QAction::triggered, this, [this] { ShowMiningSettings(this); });
    auto* templates = file->addAction(QStringLiteral("&Templates"));
    templates->setObjectName(QStringLiteral("miFTemplates"));
    connect(templates, &QAction::triggered, this, [] { ShowTemplates(nullptr); });
    auto* owners = file->addAction(QStringLiteral("&Report Owners"));
    owners->setObjectName(QStringLiteral("miFRptOwners"));
    connect(owners, &QAction::triggered, this, [this] { ShowReportOwners(this, ownersWindow_); });
    file->addSeparator();
    auto* exitAction = file->addAction(QStringLiteral("E&xit"));
    exitAction->setObjectName(QStringLiteral("miFExit"));
    connect(exitAction, &QAction::triggered, this, &QWidget::close);
    auto* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    auto* copy = edit->addAction(QStringLiteral("&Copy Grid to Clipboard"));
    copy->setObjectName(QStringLiteral("miEditCopy"));
    connect(copy, &QAction::triggered, this, [this] {
        const int index = currentUtility == QLatin1String("XRef")     ? XRef
                          : currentUtility == QLatin1String("Survey") ? Survey
                                                                      : -1;
        if (index < 0 || !grids_[index]) return;
        grids_[index]->EditSelectAll();
    });
    AddReportsMenu(this);
    auto* window = menuBar()->addMenu(QStringLiteral("&Window"));
    window->setObjectName(QStringLiteral("mnuWindow"));
    auto* cascade = window->addAction(QStringLiteral("&Cascade"));
    cascade->setObjectName(QStringLiteral("miWCascade"));
    connect(cascade, &QAction::triggered, mdiArea, &QMdiArea::cascadeSubWindows);
    auto* tileHorizontally = window->addAction(QStringLiteral("Tile &Horizontally"));
    tileHorizontally->setObjectName(QStringLiteral("miWTileHorz"));
    connect(tileHorizontally, &QAction::triggered, this, [this] { tileSubWindows(true); });
    auto* tileVertically = window->addAction(QStringLiteral("Tile &Vertically"));
    tileVertically->setObjectName(QStringLiteral("miWTileVert"));
    connect(tileVertically, &QAction::triggered, this, [this] { tileSubWindows(false); });
    AddHelpMenu(this);

    cmdRemove->setEnabled(false);
    currentUtility.clear();
    setStatusText(QLatin1String(kBeginText));
    StatusWindow::instance().hide();
    utilityRunning = false;
    UpdateFileCount();
    setStatusHandler([this](const QString& text) {
        setStatusText(text);
        statusPanel1->repaint();
        // A progress text is news of the work that runs: once the program waits for the user
        // again, the work is over and the text goes.
        QTimer::singleShot(0, this, [this, text] {
            if (statusText() == text) setStatusText(QString());
        });
    });
    setWorkStatusHandler([](bool show, const QString& text) {
        QString shown = text;
        StatusWindow::UpdateStatus(show, shown);
    });
    setMessageHandler([this](const QString& text, const QString& title) {
        guiSeams().message(this, text, title, QMessageBox::NoIcon);
    });
    resize(900, 600);
}

UtilitiesWindow::~UtilitiesWindow() {
    setStatusHandler(nullptr);
    setWorkStatusHandler(nullptr);
    setMessageHandler(nullptr);
}

void UtilitiesWindow::closeEvent(QCloseEvent* event) {
    if (!SaveProgramSettings()) ShowMessage(saveProgramSettingsFailedText());
    CloseLog();
    StatusWindow::instance().hide();
    event->accept();
    // The viewer, the templates and the other windows of their own go with the program.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible()) window->hide();
    if (guiSeams().endProgram) guiSeams().endProgram();
}

void UtilitiesWindow::tileSubWindows(bool oneAboveTheOther) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : mdiArea->subWindowList())
        if (sub->isVisible() && !sub->isMinimized()) windows << sub;
    if (windows.isEmpty()) return;
    const QRect area = mdiArea->viewport()->rect();
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

QString UtilitiesWindow::statusText() const { return statusPanel1->text(); }
void UtilitiesWindow::setStatusText(const QString& text) { statusPanel1->setText(text); }

void UtilitiesWindow::warn(const QString& text) {
    guiSeams().message(this, text, QString(), QMessageBox::Warning);
}

bool UtilitiesWindow::isInReportList(const QString& path) const {
    for (int i = 0; i < RptList->count(); ++i)
        if (RptList->item(i)->text() == path) return true;
    return false;
}

void UtilitiesWindow::UpdateFileCount() {
    const int n = RptList->count();
    cmdRemove->setEnabled(n > 0);
    if (n == 0) {
        lblFileCount->setText(QStringLiteral("No files selected"));
        return;
    }
    lblFileCount->setText(n == 1 ? QStringLiteral("1 file/folder selected")
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
        if (!isInReportList(path)) RptList->addItem(path);
    UpdateFileCount();
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
        RptList->addItem(folder);
    UpdateFileCount();
}

void UtilitiesWindow::removeSelectedReports() {
    if (RptList->currentRow() == -1) {
        warn(QStringLiteral("No report chosen to remove from list."));
        return;
    }
    if (RptList->selectedItems().isEmpty()) {
        guiSeams().message(this, QStringLiteral("No reports to remove."), QString(),
                           QMessageBox::NoIcon);
    } else {
        for (int i = RptList->count() - 1; i >= 0; --i)
            if (RptList->item(i)->isSelected()) delete RptList->takeItem(i);
    }
    UpdateFileCount();
}

void UtilitiesWindow::ExpandReportList() {
    ExplodedRptList.clear();
    for (int i = 0; i < RptList->count(); ++i) {
        const QString entry = RptList->item(i)->text();
        const QString extension = extensionOf(entry);
        if (extension == QLatin1String("RPT")) {
            ExplodedRptList << entry;
        } else if (isFolderEntry(entry)) {
            if (!QFileInfo(entry).isDir())
                throw std::runtime_error(("Path not found: " + entry).toStdString());
            AddFolderReports(entry, QStringLiteral("RPT"));
        } else if (extension == QLatin1String("RML")) {
            const ReportListFile list = ReportListFile::read(entry);
            if (list.outcome == ReportListFile::Outcome::NotRegularFile)
                throw std::runtime_error(list.error.toStdString());
            if (list.outcome == ReportListFile::Outcome::NotOpened)
                throw std::runtime_error(("File not found: " + entry).toStdString());
            ExplodedRptList << list.reports;
        }
    }
}

void UtilitiesWindow::AddFolderReports(const QString& folder, const QString& extension) {
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        if (extensionOf(name) == extension) ExplodedRptList << dir.filePath(name);
        QCoreApplication::processEvents();
    }
    // Linked folders are not followed: a link back up the tree would never end the walk.
    for (const QString& name : dir.entryList(
             QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::NoSymLinks, QDir::Name)) {
        QCoreApplication::processEvents();
        AddFolderReports(dir.filePath(name), extension);
    }
}

ExtractResultsWindow& UtilitiesWindow::extractWindow() {
    if (!extract_) {
        extract_ = new ExtractResultsWindow;
        mdiArea->addSubWindow(extract_);
        fitWindowToContents(extract_);
    }
    return *extract_;
}

ResultGridWindow& UtilitiesWindow::gridWindow(int index) {
    if (!grids_[index]) {
        ResultGridWindow* window = index == XRef
                                       ? static_cast<ResultGridWindow*>(new CrossReferenceWindow)
                                       : new SiteSurveyWindow;
        mdiArea->addSubWindow(window);
        fitWindowToContents(window);
        grids_[index] = window;
    }
    return *grids_[index];
}

ReportDiffWindow& UtilitiesWindow::diffWindow() {
    if (!diff_) {
        diff_ = new ReportDiffWindow;
        mdiArea->addSubWindow(diff_);
        fitWindowToContents(diff_);
    }
    return *diff_;
}

void UtilitiesWindow::bringToFront(QWidget* window) {
    for (QWidget* w = window; w; w = w->parentWidget()) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w)) {
            sub->show();
            mdiArea->setActiveSubWindow(sub);
            return;
        }
    }
}

bool UtilitiesWindow::holdsResults(int index) {
    switch (index) {
        case XRef:
        case Survey:
            // A single row of results is not worth a question: only more are kept.
            return gridWindow(index).result().rows().size() > 1;
        case Extract:
            return extractWindow().lstExtract->count() > 1;
        default:
            diffWindow();
            return diffShown_;
    }
}

void UtilitiesWindow::startUtility(int index) {
    if (utilityRunning) return;
    utilityRunning = true;
    // Every way out of a run clears the flag and gives the pointer back.
    struct RunGuard {
        UtilitiesWindow& window;
        bool busyPointer = false;
        ~RunGuard() {
            if (busyPointer) QApplication::restoreOverrideCursor();
            window.utilityRunning = false;
        }
    } guard{*this};

    const bool known = index >= XRef && index <= RptDiff;
    if (known) {
        const int count = RptList->count();
        if (count == 0) {
            warn(QStringLiteral("No reports have been selected"));
            return;
        }
        if (index == RptDiff) {
            if (count == 1) {
                warn(QStringLiteral("You must select two reports for a comparison"));
                return;
            }
            if (count > 2 && RptList->selectedItems().size() != 2) {
                warn(QLatin1String(kHighlightTwoText));
                return;
            }
            if (count == 2) RptList->selectAll();
        }
        QApplication::setOverrideCursor(Qt::WaitCursor);
        guard.busyPointer = true;
        currentUtility = QLatin1String(kUtilities[index].name);
        QWidget* result = index == Extract   ? static_cast<QWidget*>(&extractWindow())
                          : index == RptDiff ? static_cast<QWidget*>(&diffWindow())
                                             : &gridWindow(index);
        bringToFront(result);
        if (holdsResults(index) &&
            !guiSeams().askOkCancel(this, QLatin1String(kUtilities[index].rerunQuestion)))
            return;
        try {
            runUtility(index);
        } catch (const std::exception& error) {
            guiSeams().message(this, QString::fromUtf8(error.what()), QString(),
                               QMessageBox::NoIcon);
        }
        if (index == RptDiff && (path1.isEmpty() || path2.isEmpty())) return;
    }
    setStatusText(QLatin1String(kBeginText));
    setWindowTitle(QStringLiteral("Tavrin Utilities"));
}

void UtilitiesWindow::runUtility(int index) {
    if (index != RptDiff) {
        try {
            ExpandReportList();
        } catch (const std::exception& error) {
            // The utility still runs over the reports expanded before the failing entry.
            guiSeams().message(this, QString::fromUtf8(error.what()), QString(),
                               QMessageBox::NoIcon);
        }
        pbProgress->setRange(0, static_cast<int>(ExplodedRptList.size()));
        pbProgress->setValue(0);
        if (index == Extract) {
            QStringList results = extractWindow().results();
            ExtractDriver(programOptions(), defaultExtractWriters(), LogonDialog::present)
                .ExtractReportList(ExplodedRptList, results);
            extractWindow().setResults(results);
        } else {
            const auto run = index == XRef ? RunCrossReference : RunSiteSurvey;
            ResultGridWindow& window = gridWindow(index);
            window.setResult(run(ExplodedRptList, programOptions().PromptForParameters,
                                 [this, &window](qsizetype done, const ResultGrid& sofar) {
                                     pbProgress->setValue(static_cast<int>(done + 1));
                                     window.showProgress(sofar);
                                 }));
        }
        return;
    }
    path1.clear();
    path2.clear();
    for (int i = 0; i < RptList->count(); ++i) {
        if (!RptList->item(i)->isSelected()) continue;
        if (path1.isEmpty()) {
            path1 = RptList->item(i)->text();
        } else {
            path2 = RptList->item(i)->text();
            break;
        }
    }
    if (path1.isEmpty() || path2.isEmpty()) {
        warn(QLatin1String(kHighlightTwoText));
        return;
    }
    ReportDiffWindow& window = diffWindow();
    window.parentWidget()->show();
    pbProgress->setRange(0, 3);
    pbProgress->setValue(0);
    window.compare(path1, path2);
    diffShown_ = true;
}

}  // namespace tav::gui
