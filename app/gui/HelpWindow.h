#pragma once

#include <QWidget>

class QPushButton;
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

    QTextBrowser* browser;
    QPushButton* cmdBack;
    QPushButton* cmdForward;
};

// The program's one help window, created on first use.
HelpWindow& helpWindow();

// Help > Help: the manual's first page in the desktop's browser, or in the help window where
// the desktop cannot open it.
void ShowHelp();

}  // namespace tav::gui
