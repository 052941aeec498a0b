#pragma once

#include <QDialog>
#include <QHash>
#include <QStringList>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTabWidget;

namespace tav::gui {

// The Mining Settings window. Every control writes its setting into programOptions() as soon as it
// is changed (a check box on its change, a text or combo when it loses the focus), so the next
// Extract run uses it; Save also stores them all, Reset reads the stored ones back, Exit keeps
// the edits without storing them.
class MiningSettingsWindow : public QDialog {
    Q_OBJECT
public:
    explicit MiningSettingsWindow(QWidget* parent = nullptr);

    // Shows the current settings in the controls.
    void LoadGlobal();
    static void FillColorCombo(QComboBox& combo);
    static void FillStyleCombo(QComboBox& combo);
    // True when the font names for the Word document can be had.
    static bool PrinterInstalled();

    // Seams that tests answer: the font names of the default printer (nothing when there is no
    // usable printer), message boxes and the folder picker (empty text when cancelled).
    static std::function<std::optional<QStringList>()>& printerFonts();
    static std::function<void(QWidget*, const QString& text, const QString& title)>& messageBox();
    static std::function<QString(QWidget*, const QString& title, const QString& initial)>&
    browseForFolder();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildGeneralTab();
    QWidget* buildFontsTab();
    QCheckBox* box(const char* name) const;
    QComboBox* fontCombo(int row, int column) const;

    // Brings the window to the state it has when first shown and loads the settings into it.
    void loadForm();
    void fillLists();
    void FillTemplateCombo();
    void FillReportOwnerCombo();
    void SelectReportOwner();

    // What a check box's change writes and enables.
    void checkBoxChanged(QCheckBox* changed);
    void applyWordRule();
    void useTemplateChanged(bool useTemplate);

    // The controls that write their setting when they lose the focus.
    void watchFocus(QWidget* widget, std::function<void()> commit);
    // The edit still holding the focus, written as if it lost it (Save and Exit by access key).
    void commitFocused();
    void browse(int row);

    void saveClicked();
    void exitClicked();
    void resetClicked();

    QTabWidget* SSTab1_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QHash<QString, QCheckBox*> boxes_;
    // The three output folder rows: text file, Word document, database.
    QLineEdit* pathEdits_[3] = {};
    QPushButton* pathButtons_[3] = {};
    QRadioButton* optUseFonts_ = nullptr;
    QRadioButton* optUseTemplate_ = nullptr;
    QComboBox* cboTemplate_ = nullptr;
    QComboBox* cmbGeneralRptOwners_ = nullptr;
    QComboBox* fontCombos_[5][4] = {};
    QHash<QObject*, std::function<void()>> commits_;
};

// Opens the one Mining Settings window of the program, not modal; it is created on first use.
void ShowMiningSettings(QWidget* parent);

}  // namespace tav::gui
