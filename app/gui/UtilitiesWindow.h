#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <memory>

class QLabel;
class QListWidget;
class QMdiArea;
class QMdiSubWindow;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace tav::gui {

class ExtractResultsWindow;
class ResultGridWindow;
class ReportDiffWindow;
class ReportOwnersWindow;

// The program's main window: the report list, the four utility buttons and the result windows
// inside it, and the status bar through which the work reports its progress.
class UtilitiesWindow : public QMainWindow {
    Q_OBJECT
public:
    // The utility buttons, in the order of cmdRM.
    enum Utility : int { XRef = 0, Survey = 1, Extract = 2, RptDiff = 3 };

    explicit UtilitiesWindow(QWidget* parent = nullptr);
    ~UtilitiesWindow() override;

    // Adds files chosen in the Open dialog (or given by a caller) unless listed already.
    void chooseReports();
    void addReports(const QStringList& paths);
    void chooseFolder();
    void removeSelectedReports();
    // The dispatcher of the four utility buttons.
    void startUtility(int index);
    // Rebuilds ExplodedRptList: one .rpt path an entry, from files, folders and .RML lists.
    void ExpandReportList();

    QString statusText() const;
    void setStatusText(const QString& text);

    QListWidget* RptList;
    QStringList ExplodedRptList;
    QPushButton* cmdAddReports;
    QPushButton* cmdAddFolder;
    QPushButton* cmdRemove;
    QPushButton* cmdRM[4];
    QLabel* lblFileCount;
    QLabel* statusPanel1;
    QLabel* statusPanel2;
    QProgressBar* pbProgress;
    QMdiArea* mdiArea;

    QString currentUtility;
    bool utilityRunning = false;
    QString path1;
    QString path2;

    // The result windows, created on first use and kept so that results survive runs.
    ExtractResultsWindow& extractWindow();
    ResultGridWindow& gridWindow(int index);
    ReportDiffWindow& diffWindow();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool isInReportList(const QString& path) const;
    void UpdateFileCount();
    void AddFolderReports(const QString& folder, const QString& extension);
    bool holdsResults(int index);
    void runUtility(int index);
    void bringToFront(QWidget* window);
    void warn(const QString& text);
    // Lays the open result windows out in strips that fill the window area: full-width strips
    // one above the other, or full-height strips side by side.
    void tileSubWindows(bool oneAboveTheOther);

    ExtractResultsWindow* extract_ = nullptr;
    ResultGridWindow* grids_[2] = {nullptr, nullptr};
    ReportDiffWindow* diff_ = nullptr;
    bool diffShown_ = false;
    QPointer<ReportOwnersWindow> ownersWindow_;
};

}  // namespace tav::gui
