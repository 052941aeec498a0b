#pragma once

#include <QMessageBox>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <optional>

class QPrinter;
class QProgressBar;
class QTableWidget;
class QWidget;

namespace tav::gui {

// Every message box, modal question, file dialog, printer, font list and the end of the program
// go through these seams, used by every window, so that the windows run offscreen under tests
// that answer them.
struct GuiSeams {
    // A message box with an OK button and the given icon; an empty title is the program's. A box
    // that no window owns (one of the program's start) is kept above every other window.
    std::function<void(QWidget* owner, const QString& text, const QString& title,
                       QMessageBox::Icon icon)>
        message;
    // An OK/Cancel box: true for OK.
    std::function<bool(QWidget* owner, const QString& text)> askOkCancel;
    // A Yes/No question: true for Yes.
    std::function<bool(QWidget* owner, const QString& text)> askYesNo;
    // The Open dialog for reports: the chosen files, empty when cancelled.
    std::function<QStringList(QWidget* owner, const QString& folder, const QString& filter)>
        openFileNames;
    // The Open dialog for one file: its path, "" when cancelled.
    std::function<QString(QWidget* owner, const QString& folder, const QString& filter)>
        openFileName;
    // The folder browser: the chosen folder, "" when cancelled.
    std::function<QString(QWidget* owner, const QString& title, const QString& initialFolder)>
        browseForFolder;
    // Readies the printer for the difference text: the default printer, or a PDF file where
    // there is none. False prints nothing.
    std::function<bool(QWidget* owner, QPrinter& printer)> preparePrinter;
    // Opens a page or file in the user's default application. `failed`, when given, is called
    // once the desktop has found no application that opens it (perhaps later, from the event
    // loop).
    std::function<void(const QUrl& url, const std::function<void()>& failed)> openUrl;
    // Reads one text value of the system's settings (`KeyName` below `KeyRoot`); nothing when
    // the key or value is missing or not text.
    std::function<std::optional<QString>(const QString& keyRoot, const QString& keyName,
                                         const QString& subKeyRef)>
        readKeyValue;
    // The font names that the Word document can use: those of the default printer; nothing
    // where there is no usable printer.
    std::function<std::optional<QStringList>()> printerFonts;
    // Starts a program with a normal window; false when it could not be started.
    std::function<bool(const QString& program)> startProgram;
    // The part of the screen holding `window` that windows may cover (the screen less its
    // panels); empty where the window is on no screen.
    std::function<QRect(const QWidget* window)> screenRoom;
    // Ends the program's event loop: closing the utilities window ends the program whatever
    // other window is still open.
    std::function<void()> endProgram;
};

// The program's one set of seams, filled with the real dialogs.
GuiSeams& guiSeams();

// The font families installed here, by the names a word processor resolves: a family that more
// than one foundry supplies is listed by the toolkit once per foundry ("Nimbus Sans [URW ]"), and
// comes back once, by its family name only; nothing when there are none.
std::optional<QStringList> installedFontFamilies();
// The family names of such a list, each once, in the list's order.
QStringList fontFamilyNames(const QStringList& families);

// Lets the user pick a folder, opening on initialFolder. "" when cancelled.
QString BrowseForFolder(QWidget* owner, const QString& title, const QString& initialFolder);

}  // namespace tav::gui
