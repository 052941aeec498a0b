#pragma once

#include <QWidget>

class QLabel;
class QListWidget;
class QListWidgetItem;

// The status window: long database and Word operations say what they are doing here and in
// panel 1 of the utilities window's status bar.
class StatusWindow : public QWidget {
    Q_OBJECT
public:
    // The one status window, created hidden on first use.
    static StatusWindow& instance();
    // show: the window shows text; otherwise text is emptied and the window hidden.
    static void UpdateStatus(bool show, QString& text);

    QLabel* lblDetails;

private:
    StatusWindow();
};

// The Extract results: the output files of the runs, opened on double-click.
class ExtractResultsWindow : public QWidget {
    Q_OBJECT
public:
    explicit ExtractResultsWindow(QWidget* parent = nullptr);
    // Shows the driver's result list.
    void setResults(const QStringList& results);
    QStringList results() const;
    // The program that opens an entry: the text editor for ".tvd", the word processor for
    // ".doc" (exact lower case, as the driver writes them); "" for anything else.
    static QString openerFor(const QString& entry);

    QListWidget* lstExtract;
    QLabel* lblTip;

private:
    void openEntry(QListWidgetItem* item);
};

// The start-up banner with the program's version.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);

    QLabel* lblVersion;
};

// Gives every window of the program the program's own icon.
void useProgramIcon();
