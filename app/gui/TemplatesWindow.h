#pragma once

#include <QDialog>
#include <QString>

#include "TemplateStore.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tav::gui {

// The window in which the user keeps the Word template profiles: a new profile from a template
// file, a copy of a profile under a new name, new style assignments for a profile, and deleting
// one. The flow in progress is the text of lblStep1Instr.
class TemplatesWindow : public QDialog {
    Q_OBJECT
public:
    // The store lies below programFolder.
    explicit TemplatesWindow(const QString& programFolder, QWidget* parent = nullptr);

    void newTemplate();
    void browseTemplateFile();
    void nextStep();
    void modifyTemplate();
    void copyTemplate();
    void saveTemplate();
    void deleteTemplate();
    void cancelTemplateEdit();

    QComboBox* cmbAvailableTemplates;
    QPushButton* cmdNewTemplate;
    QPushButton* cmdModify;
    QPushButton* cmdCopyTemplate;
    QGroupBox* Frame3;
    QLabel* lblStep1Instr;
    QLabel* lblName;
    QLineEdit* txtTemplateName;
    QLabel* lblPath;
    QLineEdit* txtTemplatePath;
    QPushButton* cmdBrowse;
    QPushButton* cmdNext;
    QLabel* lblInstr2;
    // Normal, TOC, Heading 1 to 3, Table: the order of the checks at Save.
    QComboBox* styleCombos[6];
    QLabel* styleLabels[6];
    QPushButton* cmdSaveTemplate;
    QPushButton* cmdDelete;
    QPushButton* cmdCancel;
    QPushButton* cmdClose;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The window takes the height its rows need at its width: the wrapped texts need more lines
    // as it narrows, and fewer rows are shown in some steps than in others.
    void fitHeightToWidth();
    void StartConfiguration();
    void FillTemplateList();
    void LoadStyles();
    void ApplySaveRule();
    void showStep1(bool shown, bool enabled);
    void showStep2(bool shown, bool enabled);
    void showSaveButtons(bool shown);
    word::DocumentTemplate ProfileFromForm() const;
    bool SaveCopy();
    bool SaveNewOrModified();
    // Tells the user why the store refused a change; the answer as given.
    bool stored(bool done);
    // False, after telling the user, when a profile of that name is stored already.
    bool nameIsFree(const QString& name);
    void message(const QString& text, bool exclamation = false);

    word::TemplateStore store_;
    QString error_;  // why the template store refused the last change
};

// Shows the one template window, modeless, creating it on first use.
void ShowTemplates(QWidget* parent);

}  // namespace tav::gui
