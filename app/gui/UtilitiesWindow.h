#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <optional>

#include "RunReporter.h"

class QLabel;
class QListWidget;
class QMdiArea;
class QProgressBar;
class QPushButton;

namespace tav::gui {

class ExtractResultsWindow;
class MiningSettingsWindow;
class ReportDiffWindow;
class ReportOwnersWindow;
class ResultGridWindow;
class StatusWindow;
class TemplatesWindow;

// The program's main window: the report list, the four utility buttons and the result windows
// inside it, and the status bar through which the work reports its progress. It owns the status
// window and keeps the modeless windows it opens, one of each.
class UtilitiesWindow : public QMainWindow {
    Q_OBJECT
public:
    // The utility buttons, in their order.
    enum Utility : int { CrossReference = 0, SiteSurvey = 1, Extract = 2, ReportDifference = 3 };

    explicit UtilitiesWindow(QWidget* parent = nullptr);
    ~UtilitiesWindow() override;

    // Adds files chosen in the Open dialog (or given by a caller) unless listed already.
    void chooseReports();
    void addReports(const QStringList& paths);
    void chooseFolder();
    void removeSelectedReports();
    // The dispatcher of the four utility buttons.
    void startUtility(int index);
    // Rebuilds expandedReports(): one .rpt path an entry, from files, folders and .RML lists.
    // False, with the reason in `error`, at an entry that cannot be expanded: the list then
    // holds the reports read before the failure, those of that entry's own included.
    bool ExpandReportList(QString* error = nullptr);
    const QStringList& expandedReports() const { return expandedReports_; }

    QString statusText() const;
    void setStatusText(const QString& text);

    // The reporter that the window gives the work it starts: messages as boxes over the window,
    // progress texts in panel 1, the status of long work in the status window. A run may keep it
    // past the window: its messages then reach standard error.
    const std::shared_ptr<core::RunReporter>& reporter() const { return reporter_; }

    // True while a utility runs: the buttons start nothing meanwhile.
    bool isRunningUtility() const { return utilityRunning_; }
    // The utility of the last run (none before the first), and the two reports that the last
    // Report Difference compared.
    std::optional<Utility> currentUtility() const { return currentUtility_; }
    QStringList comparedReports() const { return {path1_, path2_}; }

    // The result windows, created on first use and kept so that results survive runs.
    ExtractResultsWindow& extractWindow();
    ResultGridWindow& gridWindow(int index);
    ReportDiffWindow& diffWindow();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool isInReportList(const QString& path) const;
    void showFileCount();
    bool holdsResults(int index);
    void runUtility(int index);
    // Puts a result window in the window area, where the keyboard leads in and out of it.
    void addResultWindow(QWidget* window);
    void bringToFront(QWidget* window);
    void warn(const QString& text);
    // Clears panel 1 of a progress text once the program waits for the user again, unless
    // another text has taken its place.
    void dropProgressText(const QString& text);
    // Lays the open result windows out in strips that fill the window area: full-width strips
    // one above the other, or full-height strips side by side.
    void tileSubWindows(bool oneAboveTheOther);
    // The modeless windows of the File menu.
    void showSettings();
    void showTemplates();
    void showReportOwners();

    QListWidget* reportList_;
    QStringList expandedReports_;
    QPushButton* removeButton_;
    QLabel* fileCount_;
    QLabel* statusPanel1_;
    QProgressBar* progressBar_;
    QMdiArea* mdiArea_;
    StatusWindow* statusWindow_;

    std::optional<Utility> currentUtility_;
    bool utilityRunning_ = false;
    QString path1_;
    QString path2_;

    ExtractResultsWindow* extract_ = nullptr;
    ResultGridWindow* grids_[2] = {nullptr, nullptr};
    ReportDiffWindow* diff_ = nullptr;
    bool diffShown_ = false;
    std::shared_ptr<core::RunReporter> reporter_;

    QPointer<MiningSettingsWindow> settings_;
    // A window of its own beside the program, not this window's child.
    QPointer<TemplatesWindow> templates_;
    QPointer<ReportOwnersWindow> owners_;
};

}  // namespace tav::gui
