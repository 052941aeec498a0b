#include "GuiSeams.h"

#include <QFileDialog>

#include "TV020.h"
#include "tvSiteSurvey.h"
#include "tvXRef.h"

namespace {

GuiSeams realDialogs() {
    GuiSeams seams;
    seams.message = [](QWidget* owner, const QString& text, const QString& title,
                       QMessageBox::Icon icon) {
        QMessageBox box(icon, title.isEmpty() ? QStringLiteral("Tavrin") : title, text,
                        QMessageBox::Ok, owner);
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
    seams.openMiningSettings = ShowMiningSettings;
    seams.runCrossReference = RunCrossReference;
    seams.runSiteSurvey = RunSiteSurvey;
    return seams;
}

}  // namespace

GuiSeams& guiSeams() {
    static GuiSeams seams = realDialogs();
    return seams;
}

QString BrowseForFolder(QWidget* owner, const QString& title, const QString& initialFolder) {
    return guiSeams().browseForFolder ? guiSeams().browseForFolder(owner, title, initialFolder)
                                      : QString();
}
