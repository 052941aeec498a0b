#pragma once

#include <QDialog>
#include <QString>

namespace tav::gui {

// The program's version as people read it: major.minor.revision in plain decimal.
QString TavrinVersionText();

// The About box: the version, the maker's web address and the System Information launcher.
class AboutDialog : public QDialog {
public:
    explicit AboutDialog(QWidget* parent = nullptr);

private:
    // Starts the System Information tool that the system's settings name, or says that there
    // is none.
    void startSystemInformation();
};

// The update notice: where to download the newer version.
class UpdateNoticeDialog : public QDialog {
public:
    explicit UpdateNoticeDialog(QWidget* parent = nullptr);
};

}  // namespace tav::gui
