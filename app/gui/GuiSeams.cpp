#include "GuiSeams.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QScreen>
#include <QSet>
#include <QStandardPaths>

namespace tav::gui {

namespace {

GuiSeams realDialogs() {
    GuiSeams seams;
    seams.message = [](QWidget* owner, const QString& text, const QString& title,
                       QMessageBox::Icon icon) {
        QMessageBox box(icon, title.isEmpty() ? QStringLiteral("Tavrin") : title, text,
                        QMessageBox::Ok, owner);
        // A splash, another copy's included, stays on top of everything; a box of the start must
        // rise above it.
        if (!owner) box.setWindowFlag(Qt::WindowStaysOnTopHint);
        box.exec();
    };
    seams.askOkCancel = [](QWidget* owner, const QString& text) {
        return QMessageBox::question(owner, QStringLiteral("Tavrin"), text,
                                     QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
    };
    seams.askYesNo = [](QWidget* owner, const QString& text) {
        return QMessageBox::question(owner, QStringLiteral("Tavrin"), text,
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
    seams.openFileName = [](QWidget* owner, const QString& folder, const QString& filter) {
        return QFileDialog::getOpenFileName(owner, QString(), folder, filter);
    };
    seams.openFileNames = [](QWidget* owner, const QString& folder, const QString& filter) {
        return QFileDialog::getOpenFileNames(owner, QString(), folder, filter);
    };
    seams.browseForFolder = [](QWidget* owner, const QString& title, const QString& initialFolder) {
        return QFileDialog::getExistingDirectory(owner, title, initialFolder);
    };
    seams.preparePrinter = [](QWidget*, QPrinter& printer) {
        if (!QPrinterInfo::defaultPrinter().isNull()) return true;
        // Without a printer the text is kept as a PDF file among the user's documents.
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty() || !QDir().mkpath(folder)) folder = QDir::tempPath();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QDir(folder).filePath(QStringLiteral("Report Diff.pdf")));
        return true;
    };
    seams.openUrl = [](const QUrl& url, const std::function<void()>& failed) {
        // The desktop's opener says by its exit status whether anything opened the page; Qt's
        // own call tells only that the opener started.
        const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (opener.isEmpty()) {
            if (!QDesktopServices::openUrl(url) && failed) failed();
            return;
        }
        // Not owned by a window: a browser that the opener runs in its place lives on when the
        // program ends.
        auto* process = new QProcess;
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
        QObject::connect(process, &QProcess::finished, process,
                         [process, failed](int code, QProcess::ExitStatus status) {
                             if ((status != QProcess::NormalExit || code != 0) && failed) failed();
                             process->deleteLater();
                         });
        QObject::connect(process, &QProcess::errorOccurred, process,
                         [process, failed](QProcess::ProcessError error) {
                             if (error != QProcess::FailedToStart) return;
                             if (failed) failed();
                             process->deleteLater();
                         });
        process->start(opener, {url.isLocalFile() ? url.toLocalFile() : url.toString()});
    };
    // No System Information tool is registered on this platform.
    seams.readKeyValue = [](const QString&, const QString&,
                            const QString&) -> std::optional<QString> { return std::nullopt; };
    // Word renders with the fonts installed here; with none there is nothing to offer.
    seams.printerFonts = installedFontFamilies;
    seams.startProgram = [](const QString& program) {
        return QProcess::startDetached(program, {});
    };
    seams.screenRoom = [](const QWidget* window) {
        const QScreen* screen = window->screen();
        return screen ? screen->availableGeometry() : QRect();
    };
    seams.endProgram = [] { QCoreApplication::quit(); };
    return seams;
}

}  // namespace

GuiSeams& guiSeams() {
    static GuiSeams seams = realDialogs();
    return seams;
}

QStringList fontFamilyNames(const QStringList& families) {
    QStringList names;
    QSet<QString> seen;
    for (const QString& family : families) {
        QString name = family;
        const qsizetype foundry = name.lastIndexOf(QLatin1String(" ["));
        if (foundry > 0 && name.endsWith(u']')) name.truncate(foundry);
        name = name.trimmed();
        if (!name.isEmpty() && !seen.contains(name)) {
            seen.insert(name);
            names.append(name);
        }
    }
    return names;
}

std::optional<QStringList> installedFontFamilies() {
    const QStringList names = fontFamilyNames(QFontDatabase::families());
    if (names.isEmpty()) return std::nullopt;
    return names;
}

QString BrowseForFolder(QWidget* owner, const QString& title, const QString& initialFolder) {
    return guiSeams().browseForFolder ? guiSeams().browseForFolder(owner, title, initialFolder)
                                      : QString();
}

}  // namespace tav::gui
