#pragma once

#include <QDialog>
#include <QHash>
#include <QStringList>
#include <functional>

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

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildGeneralTab();
    QWidget* buildFontsTab();
    QCheckBox* box(const char* name) const;
    QComboBox* fontCombo(int row, int column) const;
    static void fillColorCombo(QComboBox& combo);
    static void fillStyleCombo(QComboBox& combo);

    // Brings the window to the state it has when first shown and loads the settings into it.
    void loadForm();
    void fillLists();
    void fillTemplateCombo();
    void fillReportOwnerCombo();
    void selectReportOwner();
    // Shows the fonts, folders, template and owner of the current settings in the controls.
    void showSettings();

    // What a check box's change writes and enables.
    void checkBoxChanged(QCheckBox* changed);
    void applyWordRule();
    void useTemplateChanged(bool useTemplate);

    // The controls that write their setting when they lose the focus.
    void watchFocus(QWidget* widget, std::function<void()> commit);
    // The edit still holding the focus, written as if it lost it (Save and Exit by access key).
    void commitFocused();
    void browse(int row);

    // Save: stores every setting, and closes unless they cannot be stored.
    void saveAndClose();
    // Exit: the edits stay in the program's settings, unstored.
    void closeKeepingEdits();
    // Reset: the stored settings back in the program's settings and the form.
    void reloadStoredSettings();

    QTabWidget* tabs_ = nullptr;
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

}  // namespace tav::gui
