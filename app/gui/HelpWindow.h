#pragma once

#include <QWidget>

class QTextBrowser;
class QUrl;

namespace tav::gui {

// The program's own reader of its manual, for a desktop whose browser cannot open it: the
// shipped pages in a text browser, their links followed inside it.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows `page` and brings the window to the front.
    void showPage(const QUrl& page);

private:
    QTextBrowser* browser_;
};

}  // namespace tav::gui
