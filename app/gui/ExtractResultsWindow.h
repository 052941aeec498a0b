#pragma once

#include <QWidget>

class QListWidget;
class QListWidgetItem;

namespace tav::gui {

// The Extract results: the output files of the runs, opened on double-click, or by Enter or the
// context menu key on the selected one.
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Opens the entry's file; where it is gone or nothing opens it, the user is told.
    void openEntry(QListWidgetItem* item);
    void tell(const QString& text);

    QListWidget* list_;
};

}  // namespace tav::gui
