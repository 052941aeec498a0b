#include "ExtractResultsWindow.h"

#include <QContextMenuEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QUrl>
#include <QVBoxLayout>

#include "GuiSeams.h"
#include "NamedWidgets.h"
#include "WindowFit.h"

namespace tav::gui {

ExtractResultsWindow::ExtractResultsWindow(QWidget* parent)
    : QWidget(parent), list_(new QListWidget(this)) {
    setObjectName(QStringLiteral("TVUExtract"));
    setWindowTitle(QStringLiteral("Tavrin Extract"));
    list_->setObjectName(QStringLiteral("lstExtract"));
    list_->setAccessibleName(QStringLiteral("Extract results"));
    auto* lblTip =
        named(new QLabel(QStringLiteral("Double-click on file to open"), this), "lblTip");
    // The window opens wide enough for the full paths where there is room.
    list_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(lblTip);
    connect(list_, &QListWidget::itemDoubleClicked, this, &ExtractResultsWindow::openEntry);
    list_->installEventFilter(this);
}

bool ExtractResultsWindow::eventFilter(QObject* watched, QEvent* event) {
    // The keyboard opens the selected entry as a double-click does. The list's own activation
    // is not used: where the desktop activates on one click, a click would open the file.
    if (watched != list_) return QWidget::eventFilter(watched, event);
    bool opens = false;
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        opens = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Menu;
    } else if (event->type() == QEvent::ContextMenu) {
        opens = static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard;
    }
    if (!opens) return QWidget::eventFilter(watched, event);
    if (QListWidgetItem* item = list_->currentItem(); item && item->isSelected()) openEntry(item);
    return true;
}

void ExtractResultsWindow::setResults(const QStringList& results) {
    list_->clear();
    list_->addItems(results);
    fitWindowToContents(this);
}

QStringList ExtractResultsWindow::results() const {
    QStringList list;
    for (int i = 0; i < list_->count(); ++i) list << list_->item(i)->text();
    return list;
}

QString ExtractResultsWindow::openerFor(const QString& entry) {
    if (entry.endsWith(QLatin1String(".tvd"))) return QStringLiteral("text");
    if (entry.endsWith(QLatin1String(".doc")) || entry.endsWith(QLatin1String(".docx")))
        return QStringLiteral("word");
    return QString();
}

void ExtractResultsWindow::openEntry(QListWidgetItem* item) {
    if (!item || openerFor(item->text()).isEmpty()) return;
    const QString path = item->text();
    if (!QFileInfo::exists(path)) {
        tell(QStringLiteral("Unable to open %1: the file does not exist.").arg(path));
        return;
    }
    // The desktop's own program for each kind; the path goes as one argument, blanks and all.
    // The desktop may tell its failure after the window has gone.
    guiSeams().openUrl(QUrl::fromLocalFile(path), [window = QPointer<ExtractResultsWindow>(this),
                                                   path] {
        if (window)
            window->tell(
                QStringLiteral("Unable to open %1: no program is set up to open it.").arg(path));
    });
}

void ExtractResultsWindow::tell(const QString& text) {
    guiSeams().message(this, text, QString(), QMessageBox::Warning);
}

}  // namespace tav::gui
