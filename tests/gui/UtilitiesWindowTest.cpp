#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

#include "CrossReference.h"
#include "DatabaseConnection.h"
#include "DatabaseCreator.h"
#include "ExtractDriver.h"
#include "ExtractOptions.h"
#include "ExtractResultsWindow.h"
#include "GuiSeams.h"
#include "GuiTestSupport.h"
#include "ProgramSettings.h"
#include "ReadFaults.h"
#include "ReportDiffWindow.h"
#include "ReportViewerWindow.h"
#include "ResultGridWindow.h"
#include "RunReporter.h"
#include "SettingsStore.h"
#include "StatusWindow.h"
#include "UtilitiesWindow.h"

using namespace tav::core;
using namespace tav::doctext;
using namespace tav::utilities;
using namespace tav::extract;
using namespace tav::gui;

namespace {

// A utilities window whose message boxes and dialogs are answered by the test.
class UtilityWindow : public testing::Test {
protected:
    void SetUp() override {
        guiSeams().message = [this](QWidget*, const QString& text, const QString&,
                                    QMessageBox::Icon) { messages << text; };
        guiSeams().askOkCancel = [this](QWidget*, const QString& text) {
            questions << text;
            return answerOk;
        };
        ASSERT_TRUE(out.isValid());
        programOptions().TVDPath = out.path() + u'/';
        programOptions().DBPath = out.path() + u'/';
        programOptions().CreateTVDFile = 1;
        programOptions().CreateWordDocument = 0;
        programOptions().UpdateDB = 0;
        window = std::make_unique<UtilitiesWindow>();
        reportList = control<QListWidget>(*window, "RptList");
        fileCount = control<QLabel>(*window, "lblFileCount");
    }
    void TearDown() override { window.reset(); }
    static QString sample(const char* name) {
        return QStringLiteral(TAV_SAMPLES "/") + QLatin1String(name);
    }
    // Clicks the button of a utility.
    void run(UtilitiesWindow::Utility utility) const {
        control<QPushButton>(*window, QStringLiteral("cmdRM_%1").arg(utility).toLatin1())->click();
    }
    void click(const char* button) const { control<QPushButton>(*window, button)->click(); }
    // The status window that the utilities window owns, and its text.
    QWidget* statusWindow() const { return control(*window, "TVMessage"); }
    QString statusWindowText() const { return control<QLabel>(*window, "lblDetails")->text(); }

    const KeptGuiSeams seams_;
    const ProgramSettings::Scope settings_;
    QTemporaryDir out;
    std::unique_ptr<UtilitiesWindow> window;
    QListWidget* reportList = nullptr;
    QLabel* fileCount = nullptr;
    QStringList messages;
    QStringList questions;
    bool answerOk = true;
};

TEST_F(UtilityWindow, DispatcherGuardsRunNothing) {
    EXPECT_EQ(window->statusText(), QStringLiteral("Click the 'Add Reports' button to begin."));
    EXPECT_EQ(fileCount->text(), QStringLiteral("No files selected"));
    struct Case {
        const char* name;
        QStringList reports;
        QList<int> highlighted;
        UtilitiesWindow::Utility button;
        QString message;
    } cases[] = {
        {"an empty list",
         {},
         {},
         UtilitiesWindow::Extract,
         QStringLiteral("No reports have been selected")},
        {"one report to compare",
         {"/r/a.rpt"},
         {},
         UtilitiesWindow::ReportDifference,
         QStringLiteral("You must select two reports for a comparison")},
        {"three reports, one highlighted",
         {"/r/a.rpt", "/r/b.rpt", "/r/c.rpt"},
         {1},
         UtilitiesWindow::ReportDifference,
         QStringLiteral("You must highlight two reports for a comparison. (Highlight by using "
                        "<Ctrl>+<left click>")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        reportList->clear();
        window->addReports(c.reports);
        for (int row : c.highlighted) reportList->item(row)->setSelected(true);
        messages.clear();
        run(c.button);
        EXPECT_EQ(messages, QStringList{c.message});
        EXPECT_FALSE(window->isRunningUtility());
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Tavrin"));
    }
    // A click while a utility runs (here: while it tells its message) is ignored altogether.
    reportList->clear();
    messages.clear();
    guiSeams().message = [this](QWidget*, const QString& text, const QString&, QMessageBox::Icon) {
        messages << text;
        EXPECT_TRUE(window->isRunningUtility());
        if (messages.size() == 1) run(UtilitiesWindow::Extract);
    };
    run(UtilitiesWindow::Extract);
    EXPECT_EQ(messages, QStringList{QStringLiteral("No reports have been selected")});
    EXPECT_FALSE(window->isRunningUtility());
}

TEST_F(UtilityWindow, ChosenReportsAreListedOnceAndTheirFolderRemembered) {
    QStringList chosen{QStringLiteral("/r/q1/a.rpt"), QStringLiteral("/r/q1/b.rpt")};
    guiSeams().openFileNames = [&](QWidget*, const QString&, const QString&) { return chosen; };
    click("cmdAddReports");
    EXPECT_EQ(programOptions().RptPath, QStringLiteral("/r/q1/"));
    chosen << QStringLiteral("/r/q1/A.rpt");
    click("cmdAddReports");
    EXPECT_EQ(reportList->count(), 3);  // letter case makes a different entry
    chosen.clear();
    click("cmdAddReports");  // cancelled
    EXPECT_EQ(fileCount->text(), QStringLiteral("3 files/folders selected"));
}

TEST_F(UtilityWindow, FoldersAndListFilesExpandToTheirReports) {
    QDir dir(out.path());
    ASSERT_TRUE(dir.mkpath(QStringLiteral("tree/sub")));
    for (const char* name : {"tree/b.RPT", "tree/a.rpt", "tree/c.rpt.bak", "tree/sub/d.Rpt"}) {
        QFile file(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    // A link back up the tree must not make the walk endless.
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("tree")),
                            dir.filePath(QStringLiteral("tree/sub/loop"))));
    QFile list(dir.filePath(QStringLiteral("nightly.RML")));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("/r/x.rpt\r\n\n/r/folder/\n/r/y.rpt \n/r/z.RPT\n");
    list.close();

    guiSeams().browseForFolder = [&](QWidget*, const QString& title, const QString&) {
        EXPECT_EQ(title, QStringLiteral("Enter the path in which to search for reports"));
        return dir.filePath(QStringLiteral("tree"));
    };
    click("cmdAddFolder");
    click("cmdAddFolder");
    EXPECT_EQ(messages, QStringList{QStringLiteral("This path already exists in selected list")});
    window->addReports(
        {list.fileName(), QStringLiteral("/r/notes.txt"), QStringLiteral("/r/direct.rpt")});
    EXPECT_EQ(reportList->item(0)->text(), dir.filePath(QStringLiteral("tree/")));
    EXPECT_EQ(fileCount->text(), QStringLiteral("4 files/folders selected"));

    EXPECT_TRUE(window->ExpandReportList());
    const QString tree = dir.filePath(QStringLiteral("tree/"));
    EXPECT_EQ(window->expandedReports(),
              (QStringList{tree + "a.rpt", tree + "b.RPT", tree + "sub/d.Rpt", "/r/x.rpt",
                           "/r/z.RPT", "/r/direct.rpt"}));

    // Removing everything leaves the count empty and Remove disabled.
    reportList->selectAll();
    reportList->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    click("cmdRemove");
    EXPECT_EQ(fileCount->text(), QStringLiteral("No files selected"));
    EXPECT_FALSE(control<QPushButton>(*window, "cmdRemove")->isEnabled());
}

// A list or a folder that cannot be read whole is told as the command line tells it, and ends the
// expansion there: the utility runs over the reports read before the failure, and no further.
TEST_F(UtilityWindow, AListOrFolderNotReadWholeIsToldAndEndsTheExpansion) {
    QDir dir(out.path());
    for (const char* folder : {"tree/a", "tree/b"}) ASSERT_TRUE(dir.mkpath(QLatin1String(folder)));
    for (const char* name : {"tree/1.rpt", "tree/a/2.rpt", "tree/b/3.rpt"})
        ASSERT_TRUE(QFile::copy(sample("list.rpt"), dir.filePath(QLatin1String(name))));
    const QString tree = dir.filePath(QStringLiteral("tree/"));
    const QString list = dir.filePath(QStringLiteral("nightly.RML"));
    const QByteArray firstTwo =
        (sample("list.rpt") + u'\n' + sample("fields.rpt") + u'\n').toUtf8();
    QFile file(list);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(firstTwo + "/r/third.rpt\n");
    file.close();
    const QString gone = dir.filePath(QStringLiteral("gone.RML"));

    const struct {
        QString entry;
        QString failing;  // the list that fails after its first two lines, or the folder unread
        QString error;
        QStringList expanded;
    } cases[] = {
        {list, list, list + ": Input/output error", {sample("list.rpt"), sample("fields.rpt")}},
        {gone, QString(), gone + ": No such file or directory", {}},
        {tree, tree + "b/", tree + "b/: Permission denied", {tree + "1.rpt", tree + "a/2.rpt"}},
        {tree + "gone/", QString(), tree + "gone/: No such file or directory", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error.toStdString());
        const FailingListFile failingList(c.failing, firstTwo.size());
        const UnreadableFolder unreadable(c.failing);
        reportList->clear();
        window->addReports({c.entry, QStringLiteral("/r/after.rpt")});
        messages.clear();
        run(UtilitiesWindow::CrossReference);
        EXPECT_EQ(messages, QStringList{c.error});
        EXPECT_EQ(window->expandedReports(), c.expanded);
    }
}

// A list that is a pipe or a device is refused unread, as the command line refuses it: reading
// a pipe waits for a writer that never comes, and the window would freeze. Should the window
// open the pipe after all, a writer comes after a while, so that the test fails instead.
TEST_F(UtilityWindow, AListThatIsAPipeOrADeviceIsRefusedUnread) {
    const QString pipe = out.filePath(QStringLiteral("pipe.RML"));
    const QString device = out.filePath(QStringLiteral("null.RML"));
    ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), device));
    std::atomic<bool> done = false;
    std::thread writer([&] {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (!done && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        // Opens only while a reader waits, and lets it go on to the end of an empty list.
        if (const int fd = ::open(pipe.toLocal8Bit().constData(), O_WRONLY | O_NONBLOCK); fd >= 0)
            ::close(fd);
    });
    for (const QString& list : {pipe, device}) {
        SCOPED_TRACE(list.toStdString());
        reportList->clear();
        window->addReports({list, sample("list.rpt")});
        messages.clear();
        QElapsedTimer timer;
        timer.start();
        run(UtilitiesWindow::CrossReference);
        EXPECT_LT(timer.elapsed(), 2000);
        EXPECT_EQ(messages, QStringList{list + QStringLiteral(" is not a regular file")});
    }
    done = true;
    writer.join();
}

TEST_F(UtilityWindow, ExtractFillsTheResultListAndAsksBeforeRunningAgain) {
    window->addReports({sample("list.rpt"), sample("fields.rpt")});
    run(UtilitiesWindow::Extract);
    StandardErrorReporter quiet;
    ExtractRun settingsRun(programOptions(), quiet);
    const ExtractDriver driver(settingsRun);
    const QStringList expected{driver.textOutputPath(QStringLiteral("list")),
                               driver.textOutputPath(QStringLiteral("fields"))};
    EXPECT_EQ(window->extractWindow().results(), expected);
    for (const QString& file : expected) EXPECT_TRUE(QFile::exists(file)) << file.toStdString();
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    EXPECT_EQ(window->statusText(), QStringLiteral("Click the 'Add Reports' button to begin."));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tavrin Utilities"));
    EXPECT_EQ(window->currentUtility(), UtilitiesWindow::Extract);

    // Cancel keeps the earlier results; OK runs again and keeps one entry a report.
    answerOk = false;
    window->extractWindow().setResults(window->extractWindow().results() << "marker");
    run(UtilitiesWindow::Extract);
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions.first().startsWith(QStringLiteral("An Extract has already been run.")));
    EXPECT_EQ(window->extractWindow().results().size(), 3);
    answerOk = true;
    run(UtilitiesWindow::Extract);
    EXPECT_EQ(window->extractWindow().results(), QStringList{QStringLiteral("marker")} + expected);
}

TEST_F(UtilityWindow, CrossReferenceAndSurveyFillTheirGrids) {
    window->addReports({sample("list.rpt"), sample("fields.rpt")});
    for (const auto& [button, grid] : {std::pair{UtilitiesWindow::CrossReference, "grdXRef"},
                                       std::pair{UtilitiesWindow::SiteSurvey, "grdSurvey"}}) {
        run(button);
        const auto* table = window->findChild<QTableWidget*>(QLatin1String(grid));
        ASSERT_NE(table, nullptr) << grid;
        EXPECT_GE(table->rowCount(), 2) << grid;  // a row a report at least
        EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    }
}

TEST_F(UtilityWindow, TwoListedReportsAreComparedWithoutBeingHighlighted) {
    window->addReports({sample("list.rpt"), sample("fields.rpt")});
    run(UtilitiesWindow::ReportDifference);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    EXPECT_EQ(window->comparedReports(), (QStringList{sample("list.rpt"), sample("fields.rpt")}));
    EXPECT_FALSE(window->diffWindow().results().combinedText().isEmpty());
    run(UtilitiesWindow::ReportDifference);
    EXPECT_EQ(questions.size(), 1);
}

TEST_F(UtilityWindow, StatusWindowMirrorsItsTextInTheStatusBar) {
    const QString text = QStringLiteral("Creating database");
    window->reporter()->workStatus(true, text);
    EXPECT_TRUE(statusWindow()->isVisible());
    EXPECT_EQ(statusWindowText(), text);
    EXPECT_EQ(window->statusText(), text);
    QString ended = text;
    window->findChild<StatusWindow*>()->UpdateStatus(false, ended);
    EXPECT_TRUE(ended.isEmpty());
    EXPECT_TRUE(statusWindowText().isEmpty());
    window->reporter()->workStatus(false, text);
    EXPECT_TRUE(window->statusText().isEmpty());
    EXPECT_FALSE(statusWindow()->isVisible());
    EXPECT_EQ(ExtractResultsWindow::openerFor(QStringLiteral("/my out/SALES.tvd")),
              QStringLiteral("text"));
    EXPECT_TRUE(ExtractResultsWindow::openerFor(QStringLiteral("/out/SALES.TVD")).isEmpty());
}

TEST_F(UtilityWindow, OnlyMoreThanOneRowOfEarlierResultsIsWorthAQuestion) {
    window->addReports({sample("list.rpt")});
    // The rows the earlier run left, and whether running again asks first.
    const std::pair<qsizetype, bool> cases[] = {{0, false}, {1, false}, {2, true}};
    for (const auto& [earlier, asks] : cases) {
        SCOPED_TRACE(earlier);
        ResultGrid grid(CrossReferenceColumns());
        for (qsizetype i = 0; i < earlier; ++i) grid.AddItem({QStringLiteral("row %1").arg(i)});
        window->gridWindow(UtilitiesWindow::CrossReference).setResult(grid);
        questions.clear();
        run(UtilitiesWindow::CrossReference);
        EXPECT_EQ(questions.size(), asks ? 1 : 0);
    }
}

TEST_F(UtilityWindow, ClosingTheWindowEndsTheProgramWhateverElseIsOpen) {
    // Closing saves the settings: into a file of the test's own.
    programSettings().setStore(
        std::make_unique<SettingsStore>(out.filePath(QStringLiteral("Tavrin.conf")), out.path()));
    int ended = 0;
    guiSeams().endProgram = [&] { ++ended; };
    ReportViewerWindow viewer;
    viewer.show();
    window->show();
    window->close();
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(viewer.isVisible());
}

TEST_F(UtilityWindow, TheWindowMenuCascadesAndTilesBothWays) {
    QStringList captions;
    for (const char* name : {"miWCascade", "miWTileHorz", "miWTileVert"}) {
        auto* item = window->findChild<QAction*>(QLatin1String(name));
        ASSERT_NE(item, nullptr) << name;
        captions << item->text();
    }
    EXPECT_EQ(captions, (QStringList{"&Cascade", "Tile &Horizontally", "Tile &Vertically"}));

    window->resize(1000, 700);
    window->show();
    window->extractWindow();
    window->gridWindow(UtilitiesWindow::CrossReference);
    auto* mdiArea = control<QMdiArea>(*window, "mdiArea");
    const QList<QMdiSubWindow*> subs = mdiArea->subWindowList();
    ASSERT_EQ(subs.size(), 2);
    for (QMdiSubWindow* sub : subs) sub->show();
    const QSize area = mdiArea->viewport()->size();
    window->findChild<QAction*>(QStringLiteral("miWTileHorz"))->trigger();
    // One above the other, each as wide as the area.
    EXPECT_EQ(subs[0]->geometry().width(), area.width());
    EXPECT_EQ(subs[1]->geometry().width(), area.width());
    EXPECT_EQ(subs[0]->geometry().height() + subs[1]->geometry().height(), area.height());
    EXPECT_FALSE(subs[0]->geometry().intersects(subs[1]->geometry()));
    window->findChild<QAction*>(QStringLiteral("miWTileVert"))->trigger();
    // Side by side, each as high as the area.
    EXPECT_EQ(subs[0]->geometry().height(), area.height());
    EXPECT_EQ(subs[1]->geometry().height(), area.height());
    EXPECT_EQ(subs[0]->geometry().width() + subs[1]->geometry().width(), area.width());
    EXPECT_FALSE(subs[0]->geometry().intersects(subs[1]->geometry()));
}

// What `work` writes to standard error.
QByteArray standardErrorOf(const std::function<void()>& work) {
    QTemporaryFile capture;
    if (!capture.open()) return "<no capture>";
    std::fflush(stderr);
    const int saved = ::dup(STDERR_FILENO);
    ::dup2(capture.handle(), STDERR_FILENO);
    work();
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    capture.seek(0);
    return capture.readAll();
}

// A run may keep the reporter of the window that started it past the window: what it tells
// after the window has closed reaches standard error rather than vanishing.
TEST_F(UtilityWindow, AMessageAfterTheWindowClosedReachesStandardError) {
    const std::shared_ptr<RunReporter> reporter = window->reporter();
    window->close();
    window.reset();
    const QByteArray said = standardErrorOf(
        [&] { reporter->message(QStringLiteral("Unable to write the run log /out/tvLog.txt")); });
    EXPECT_EQ(said, QByteArray("Unable to write the run log /out/tvLog.txt\n"));
    EXPECT_TRUE(messages.isEmpty());
}

// The database's long work shows in the status window, mirrored in panel 1, and leaves both
// empty when it ends; a progress text goes once the program waits for the user again.
TEST_F(UtilityWindow, StatusTextsLastAsLongAsTheirWork) {
    window->show();
    QStringList seen;
    // What the window shows each time the database tells its status.
    tav::database::DatabaseProgress progress =
        tav::database::DatabaseProgress::reportingTo(*window->reporter());
    progress.status = [&, windows = progress.status](bool show, const QString& text) {
        windows(show, text);
        if (show)
            seen << statusWindowText() + u'|' + window->statusText() + u'|' +
                        QString::number(statusWindow()->isVisible());
    };
    const bool created = tav::database::DatabaseCreator::CreateDatabase(
        out.filePath(QStringLiteral("tv.db")), progress);
    EXPECT_TRUE(created);
    EXPECT_EQ(
        seen,
        QStringList{QStringLiteral("Creating new Tavrin database|Creating new Tavrin database|1")});
    EXPECT_FALSE(statusWindow()->isVisible());
    EXPECT_TRUE(statusWindowText().isEmpty());
    EXPECT_TRUE(window->statusText().isEmpty());

    window->reporter()->status(QStringLiteral("Analyzing differences "));
    EXPECT_EQ(window->statusText(), QStringLiteral("Analyzing differences "));
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->statusText().isEmpty());
    // The window's own texts are no progress: they stay.
    window->setStatusText(QStringLiteral("Use buttons at top for desired action."));
    QCoreApplication::processEvents();
    EXPECT_EQ(window->statusText(), QStringLiteral("Use buttons at top for desired action."));
}

// The database's boxes are titled as every other box of the program, whatever the program's file
// is called.
TEST_F(UtilityWindow, TheDatabasesBoxesAreTitledTavrin) {
    QStringList titles;
    guiSeams().message = [&titles](QWidget*, const QString& text, const QString& title,
                                   QMessageBox::Icon) {
        titles << title + u'|' + text.section(u' ', 0, 2);
    };
    using namespace tav::database;
    const DatabaseProgress progress = DatabaseProgress::reportingTo(*window->reporter());
    const QString path = out.filePath(QStringLiteral("tv.db"));
    ASSERT_TRUE(DatabaseCreator::CreateDatabase(path, progress));
    EXPECT_FALSE(DatabaseCreator::CreateDatabase(path, progress));
    {
        // A file of an older version is backed up before its upgrade.
        DatabaseConnection db(path);
        db.exec(QStringLiteral(
            "UPDATE TVDBControl SET ControlValue = '3.0.54' WHERE ControlKey = 'version'"));
    }
    EXPECT_TRUE(DatabaseCreator::OpenAndUpgradeDatabase(path, progress));
    EXPECT_EQ(titles, QStringList({"Tavrin|The database file", "Tavrin|The original Tavrin"}));
}

TEST_F(UtilityWindow, ALargeDifferenceWindowNeitherWidensTheMainWindowNorHidesItsButtons) {
    window->resize(900, 600);
    window->show();
    QApplication::processEvents();
    const int width = window->width();
    ReportDiffWindow& diff = window->diffWindow();
    diff.parentWidget()->showMaximized();
    QApplication::processEvents();
    diff.parentWidget()->showNormal();
    QApplication::processEvents();
    EXPECT_EQ(window->width(), width);
    // The whole row of buttons is in view, the first one included.
    EXPECT_GE(diff.width(),
              diff.findChild<QPushButton*>(QStringLiteral("cmdPrint"))->geometry().right());
}

// The access key of a caption: the letter after a single '&', lower case; none without one.
QChar accessKey(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        if (caption[i + 1] == u'&') {
            ++i;
            continue;
        }
        return caption[i + 1].toLower();
    }
    return QChar();
}

// No two controls of the utilities window, its buttons and its menu bar's menus, share an access
// key: each key reaches one control.
TEST_F(UtilityWindow, EachControlHasAnAccessKeyOfItsOwn) {
    QHash<QChar, QString> owners;
    QStringList captions;
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
        captions << button->text();
    for (const QAction* menu : window->menuBar()->actions()) captions << menu->text();
    for (const QString& caption : captions) {
        const QChar key = accessKey(caption);
        if (key.isNull()) continue;
        EXPECT_FALSE(owners.contains(key))
            << caption.toStdString() << " and " << owners.value(key).toStdString();
        owners.insert(key, caption);
    }
    EXPECT_EQ(accessKey(control<QPushButton>(*window, "cmdAddReports")->text()), u'a');
}

// Every button of the window has an access key: the utility buttons as the list's buttons.
TEST_F(UtilityWindow, EveryButtonHasAnAccessKey) {
    QStringList keys;
    for (int utility = 0; utility < 4; ++utility) {
        const QString caption =
            control<QPushButton>(*window, QStringLiteral("cmdRM_%1").arg(utility).toLatin1())
                ->text();
        keys << accessKey(caption);
        EXPECT_FALSE(accessKey(caption).isNull()) << caption.toStdString();
    }
    EXPECT_EQ(keys, QStringList({"c", "s", "x", "d"}));
}

// The user who tabs into a result window tabs out of it again, either way; the report list and
// every result list and grid tell their names to a screen reader.
TEST_F(UtilityWindow, TabLeavesTheResultWindowsAndTheirListsAreNamed) {
    window->show();
    window->activateWindow();
    window->addReports({sample("list.rpt"), sample("fields.rpt")});
    for (const auto utility : {UtilitiesWindow::Extract, UtilitiesWindow::CrossReference,
                               UtilitiesWindow::SiteSurvey, UtilitiesWindow::ReportDifference})
        run(utility);
    QApplication::processEvents();
    struct Named {
        const char* name;
        QString accessible;
    };
    const Named lists[] = {{"RptList", "Report list"},
                           {"lstExtract", "Extract results"},
                           {"grdXRef", "Cross Reference results"},
                           {"grdSurvey", "Site Survey results"},
                           {"grd1", "First report"},
                           {"grd2", "Second report"},
                           {"grdDiff", "Differences"}};
    for (const Named& list : lists) {
        SCOPED_TRACE(list.name);
        QWidget* widget = control(*window, list.name);
        EXPECT_EQ(widget->accessibleName(), list.accessible);
        // The report list is the main window's own.
        QMdiSubWindow* subWindow = nullptr;
        for (QWidget* w = widget; w && !subWindow; w = w->parentWidget())
            subWindow = qobject_cast<QMdiSubWindow*>(w);
        if (!subWindow) continue;
        subWindow->show();
        window->findChild<QMdiArea*>()->setActiveSubWindow(subWindow);
        if (!widget->isVisible()) continue;
        for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
            SCOPED_TRACE(key);
            widget->setFocus(Qt::OtherFocusReason);
            QApplication::processEvents();
            ASSERT_EQ(QApplication::focusWidget(), widget);
            // Through the window's other controls, if it has any, and out.
            for (int press = 0; press < 20 && subWindow->isAncestorOf(QApplication::focusWidget());
                 ++press) {
                pressKey(QApplication::focusWidget(), key);
                QApplication::processEvents();
            }
            QWidget* focus = QApplication::focusWidget();
            ASSERT_NE(focus, nullptr);
            EXPECT_FALSE(subWindow->isAncestorOf(focus)) << focus->objectName().toStdString();
        }
    }
}

}  // namespace

// A result window that opens while another is maximised is maximised too and fills the area, as
// the windows before it; while none is, it opens at its own size.
TEST_F(UtilityWindow, ANewResultWindowFollowsTheAreasMaximisedState) {
    struct Case {
        UtilitiesWindow::Utility earlier;
        bool maximised;
        UtilitiesWindow::Utility later;
    };
    const Case cases[] = {{UtilitiesWindow::Extract, true, UtilitiesWindow::CrossReference},
                          {UtilitiesWindow::SiteSurvey, true, UtilitiesWindow::Extract},
                          {UtilitiesWindow::CrossReference, false, UtilitiesWindow::SiteSurvey}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.later);
        window = std::make_unique<UtilitiesWindow>();
        window->resize(1000, 700);
        window->show();
        window->addReports({sample("list.rpt")});
        const auto subWindow = [this](UtilitiesWindow::Utility utility) {
            QWidget* results = utility == UtilitiesWindow::Extract
                                   ? static_cast<QWidget*>(&window->extractWindow())
                                   : &window->gridWindow(utility);
            return qobject_cast<QMdiSubWindow*>(results->parentWidget());
        };
        run(c.earlier);
        if (c.maximised) subWindow(c.earlier)->showMaximized();
        QApplication::processEvents();
        run(c.later);
        QApplication::processEvents();
        QMdiSubWindow* later = subWindow(c.later);
        const QSize room = control<QMdiArea>(*window, "mdiArea")->viewport()->size();
        EXPECT_EQ(later->isMaximized(), c.maximised);
        if (c.maximised) {
            EXPECT_EQ(later->geometry(), QRect(QPoint(), room));
        } else {
            EXPECT_LT(later->width() * later->height(), room.width() * room.height());
        }
        EXPECT_EQ(later->windowTitle(), later->widget()->windowTitle());
    }
}

// A double-click on an Extract result opens it with the desktop's program; where the file is
// gone or no program opens it, the window says so.
TEST_F(UtilityWindow, AResultThatCannotBeOpenedIsToldInItsWindow) {
    const QString made = out.filePath(QStringLiteral("made.tvd"));
    QFile file(made);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString gone = out.filePath(QStringLiteral("gone.tvd"));
    struct Case {
        QString entry;
        bool opens;       // whether the desktop has a program that opens it
        bool tried;       // whether the desktop is asked to open it
        QString message;  // what the window says
    };
    const Case cases[] = {
        {made, true, true, {}},
        {made, false, true,
         QStringLiteral("Unable to open %1: no program is set up to open it.").arg(made)},
        {gone, true, false,
         QStringLiteral("Unable to open %1: the file does not exist.").arg(gone)},
        {out.filePath(QStringLiteral("made.TVD")), true, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry.toStdString());
        ExtractResultsWindow& results = window->extractWindow();
        QList<QUrl> opened;
        guiSeams().openUrl = [&](const QUrl& url, const std::function<void()>& failed) {
            opened << url;
            if (!c.opens) failed();
        };
        QList<QWidget*> owners;
        messages.clear();
        guiSeams().message = [&](QWidget* owner, const QString& text, const QString&,
                                 QMessageBox::Icon) {
            owners << owner;
            messages << text;
        };
        results.setResults({c.entry});
        auto* list = control<QListWidget>(results, "lstExtract");
        doubleClick(list->viewport(), list->visualItemRect(list->item(0)).center());
        EXPECT_EQ(opened.size(), c.tried ? 1 : 0);
        EXPECT_EQ(messages.join(u'\n').toStdString(), c.message.toStdString());
        for (QWidget* owner : owners) EXPECT_EQ(owner, &results);
    }
}

// Enter and the context menu key open the selected entry as a double-click does; other keys, and
// any key while nothing is selected, open nothing.
TEST_F(UtilityWindow, TheKeyboardOpensTheSelectedResult) {
    QStringList files;
    for (const char* name : {"made.tvd", "made.docx"}) {
        files << out.filePath(QLatin1String(name));
        QFile file(files.last());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QList<QUrl> opened;
    guiSeams().openUrl = [&](const QUrl& url, const std::function<void()>&) { opened << url; };
    ExtractResultsWindow& results = window->extractWindow();
    results.setResults(files);
    auto* list = control<QListWidget>(results, "lstExtract");
    const struct {
        Qt::Key key;
        bool opens;
    } keys[] = {{Qt::Key_Return, true}, {Qt::Key_Enter, true},  {Qt::Key_Menu, true},
                {Qt::Key_Space, false}, {Qt::Key_Right, false}, {Qt::Key_F2, false}};
    for (const auto& press : keys) {
        SCOPED_TRACE(press.key);
        list->setCurrentRow(1);
        opened.clear();
        pressKey(list, press.key);
        EXPECT_EQ(opened, press.opens ? QList<QUrl>{QUrl::fromLocalFile(files[1])} : QList<QUrl>{});
    }
    list->clearSelection();
    opened.clear();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Menu}) pressKey(list, key);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
}

// The logon dialog and a failure's message belong to the run: while they are up, panel 1 still
// names the report being mined.
TEST_F(UtilityWindow, PanelOneNamesTheReportWhileTheRunAsksOrTellsTheUser) {
    const QString sales = out.filePath(QStringLiteral("Sales.rpt"));
    QFile report(sales);
    ASSERT_TRUE(report.open(QIODevice::WriteOnly));
    report.write(R"(<Report><sqlQueryString>SELECT 1</sqlQueryString><Database><Tables>
      <Table dllName="crdb_odbc.dll"><ConnectionProperties><Property name="DSN" value="Sales"/>
      </ConnectionProperties></Table></Tables></Database><ExportOptions/></Report>)");
    report.close();
    programOptions().ShowSQL = true;
    window->show();
    QStringList panels;
    // The panel as the user sees it, once the program has waited for the user.
    const auto readPanel = [&] {
        QApplication::processEvents();
        panels << window->statusText();
    };
    guiSeams().message = [&](QWidget* owner, const QString& text, const QString&,
                             QMessageBox::Icon) {
        messages << text;
        QDialog box(owner);
        box.setModal(true);
        QTimer::singleShot(0, &box, [&] {
            readPanel();
            box.accept();
        });
        box.exec();
    };
    int waits = 0;
    std::function<void()> answerLogon = [&] {
        auto* logon = openWindow("frmLogin");
        if ((!logon || !logon->isVisible()) && ++waits < 500) {
            QTimer::singleShot(10, answerLogon);
            return;
        }
        ASSERT_NE(logon, nullptr);
        readPanel();
        control<QPushButton>(*logon, "cmdCancel")->click();
    };
    QTimer::singleShot(0, answerLogon);
    window->addReports({sales, out.filePath(QStringLiteral("gone.rpt"))});
    run(UtilitiesWindow::Extract);
    EXPECT_EQ(panels.join(u'|').toStdString(), "Sales.rpt - Mining|gone.rpt - Mining");
    ASSERT_EQ(messages.size(), 1) << messages.join(u'\n').toStdString();
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Unable to open Report: gone.rpt")))
        << messages[0].toStdString();
}

// The window system shows a new window a moment after it is asked to: here its first exposure
// comes 50 ms late. The status window is painted with its text before the work goes on.
TEST(StatusWindowShowing, IsPaintedWithItsTextBeforeTheWorkGoesOn) {
    struct LateWindowSystem : QObject {
        QStringList painted;  // the texts of the label's paints
        bool delayed = false;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint && watched->objectName() == u"lblDetails")
                painted << static_cast<QLabel*>(watched)->text();
            auto* window = qobject_cast<QWindow*>(watched);
            if (!window || event->type() != QEvent::Expose || delayed) return false;
            delayed = true;
            QTimer::singleShot(50, window, [window] {
                QExposeEvent exposed(QRegion(QRect(QPoint(), window->size())));
                QCoreApplication::sendEvent(window, &exposed);
            });
            return true;
        }
    } windowSystem;
    StatusWindow status;
    qApp->installEventFilter(&windowSystem);
    QString text = QStringLiteral("Creating new Tavrin database");
    status.UpdateStatus(true, text);
    qApp->removeEventFilter(&windowSystem);
    EXPECT_TRUE(windowSystem.delayed);
    EXPECT_TRUE(windowSystem.painted.contains(text)) << windowSystem.painted.size();
}
// The window system takes a window off the screen when the program next turns its event loop, and
// the work that follows the status holds that loop: the status window turns it once as it hides,
// so that it is gone while the work goes on.
TEST(StatusWindowShowing, IsGoneBeforeTheWorkGoesOn) {
    StatusWindow status;
    QString text = QStringLiteral("Creating new Tavrin database");
    status.UpdateStatus(true, text);
    ASSERT_TRUE(status.isVisible());
    bool carriedOut = false;  // a request to the window system, waiting for the loop
    QObject windowSystem;
    QMetaObject::invokeMethod(
        &windowSystem, [&] { carriedOut = true; }, Qt::QueuedConnection);
    QString none;
    status.UpdateStatus(false, none);
    EXPECT_FALSE(status.isVisible());
    EXPECT_TRUE(carriedOut);
    EXPECT_TRUE(control<QLabel>(status, "lblDetails")->text().isEmpty());
}

// A result window the user closed comes back, with its results, when its utility runs again.
TEST_F(UtilityWindow, AClosedResultWindowComesBackWithItsResults) {
    window->show();
    window->addReports({sample("list.rpt")});
    for (const auto utility : {UtilitiesWindow::Extract, UtilitiesWindow::CrossReference}) {
        SCOPED_TRACE(utility);
        const auto results = [this, utility]() -> QWidget& {
            return utility == UtilitiesWindow::Extract
                       ? static_cast<QWidget&>(window->extractWindow())
                       : window->gridWindow(utility);
        };
        run(utility);
        results().parentWidget()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(results().isVisible());
        if (utility == UtilitiesWindow::Extract) {
            EXPECT_EQ(window->extractWindow().results().size(), 1);
        }
        run(utility);
        EXPECT_TRUE(results().isVisible());
    }
}
