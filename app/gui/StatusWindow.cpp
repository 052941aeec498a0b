#include "StatusWindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "AboutDialog.h"
#include "UserMessages.h"
#include "WindowFit.h"

StatusWindow::StatusWindow() : lblDetails(new QLabel(this)) {
    setObjectName(QStringLiteral("TVMessage"));
    setWindowTitle(QStringLiteral("Tavrin"));
    lblDetails->setObjectName(QStringLiteral("lblDetails"));
    lblDetails->setMinimumWidth(320);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblDetails);
}

StatusWindow& StatusWindow::instance() {
    static StatusWindow* window = new StatusWindow;  // lives as long as the program, as a top level
    return *window;
}

void StatusWindow::UpdateStatus(bool show, QString& text) {
    StatusWindow& window = instance();
    if (show) {
        if (!window.isVisible()) window.show();
        window.lblDetails->setText(text);
        ShowStatus(text);
        return;
    }
    text.clear();
    window.lblDetails->clear();
    ShowStatus(QString());
    window.hide();
}

ExtractResultsWindow::ExtractResultsWindow(QWidget* parent)
    : QWidget(parent), lstExtract(new QListWidget(this)), lblTip(new QLabel(this)) {
    setObjectName(QStringLiteral("TVUExtract"));
    setWindowTitle(QStringLiteral("Tavrin Extract"));
    lstExtract->setObjectName(QStringLiteral("lstExtract"));
    lblTip->setObjectName(QStringLiteral("lblTip"));
    lblTip->setText(QStringLiteral("Double-click on file to open"));
    // The window opens wide enough for the full paths where there is room.
    lstExtract->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstExtract);
    layout->addWidget(lblTip);
    connect(lstExtract, &QListWidget::itemDoubleClicked, this, &ExtractResultsWindow::openEntry);
}

void ExtractResultsWindow::setResults(const QStringList& results) {
    lstExtract->clear();
    lstExtract->addItems(results);
    fitWindowToContents(this);
}

QStringList ExtractResultsWindow::results() const {
    QStringList list;
    for (int i = 0; i < lstExtract->count(); ++i) list << lstExtract->item(i)->text();
    return list;
}

QString ExtractResultsWindow::openerFor(const QString& entry) {
    if (entry.endsWith(QLatin1String(".tvd"))) return QStringLiteral("text");
    if (entry.endsWith(QLatin1String(".doc")) || entry.endsWith(QLatin1String(".docx")))
        return QStringLiteral("word");
    return QString();
}

void ExtractResultsWindow::openEntry(QListWidgetItem* item) {
    // The desktop's own program for each kind; the path goes as one argument, blanks and all.
    if (item && !openerFor(item->text()).isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(item->text()));
}

SplashWindow::SplashWindow(QWidget* parent) : QWidget(parent), lblVersion(new QLabel(this)) {
    useProgramIcon();
    setObjectName(QStringLiteral("TVSplash"));
    setWindowFlags(Qt::SplashScreen);
    auto* picMain2 = new QFrame(this);
    picMain2->setObjectName(QStringLiteral("picMain2"));
    picMain2->setFrameShape(QFrame::Box);
    auto* picMain = new QFrame(picMain2);
    picMain->setObjectName(QStringLiteral("picMain"));
    auto* title = new QLabel(QStringLiteral("Tavrin"), picMain);
    QFont big = title->font();
    big.setPointSize(24);
    big.setBold(true);
    title->setFont(big);
    auto* caption =
        new QLabel(QStringLiteral("Documentation Utilities for Crystal Reports"), picMain);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setFont(QFont(QStringLiteral("Arial")));
    lblVersion->setText(QStringLiteral("Version ") + TavrinVersionText());
    auto* inner = new QVBoxLayout(picMain);
    inner->addWidget(title);
    inner->addWidget(caption);
    inner->addWidget(lblVersion);
    auto* middle = new QVBoxLayout(picMain2);
    middle->addWidget(picMain);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(picMain2);
    resize(420, 137);  // the banner's proportions
}

void useProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 256})
        icon.addFile(QStringLiteral(":/icons/tavrin-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
}
