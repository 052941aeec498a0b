#include "ExtractResultsWindow.h"

#include <QDesktopServices>
#include <QLabel>
#include <QListWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "WindowFit.h"

namespace tav::gui {

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

}  // namespace tav::gui
