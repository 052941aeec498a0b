#pragma once

#include <QDialog>
#include <QString>

#include "RunReporter.h"
#include "TemplateStore.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tav::gui {

// The window in which the user keeps the Word template profiles: a new profile from a template
// file, a copy of a profile under a new name, new style assignments for a profile, and deleting
// one. The flow in progress is the text of its first step's instruction.
class TemplatesWindow : public QDialog {
    Q_OBJECT
public:
    // The store lies below programFolder. The reading of a template's styles is told as the
    // status of long work to `work`, when given.
    explicit TemplatesWindow(const QString& programFolder, core::RunReporter* work = nullptr,
                             QWidget* parent = nullptr);

    void newTemplate();
    void browseTemplateFile();
    void nextStep();
    void modifyTemplate();
    void copyTemplate();
    void saveTemplate();
    void deleteTemplate();
    void cancelTemplateEdit();

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The window takes the height its rows need at its width: the wrapped texts need more lines
    // as it narrows, and fewer rows are shown in some steps than in others.
    void fitHeightToWidth();
    void resetForm();
    void fillTemplateList();
    void loadStyles();
    void applySaveRule();
    void showStep1(bool shown, bool enabled);
    void showStep2(bool shown, bool enabled);
    void showSaveButtons(bool shown);
    word::DocumentTemplate profileFromForm() const;
    bool saveCopy();
    bool saveNewOrModified();
    // Tells the user why the store refused a change; the answer as given.
    bool stored(bool done);
    // False, after telling the user, when a profile of that name is stored already.
    bool nameIsFree(const QString& name);

    word::TemplateStore store_;
    core::RunReporter* work_;  // shows the reading of a template's styles, when given
    QString error_;            // why the template store refused the last change
    QString stylesError_;      // why the template's styles could not be read, when they could not
    QComboBox* templateList_;
    QPushButton* newButton_;
    QPushButton* modifyButton_;
    QPushButton* copyButton_;
    QGroupBox* editorFrame_;
    QLabel* nameInstructions_;
    QLabel* nameLabel_;
    QLineEdit* nameEdit_;
    QLabel* pathLabel_;
    QLineEdit* pathEdit_;
    QPushButton* browseButton_;
    QPushButton* nextButton_;
    QLabel* styleInstructions_;
    // Normal, TOC, Heading 1 to 3, Table: the order of the checks at Save.
    QComboBox* styleCombos_[6];
    QLabel* styleLabels_[6];
    QPushButton* saveButton_;
    QPushButton* deleteButton_;
    QPushButton* cancelButton_;
    QPushButton* closeButton_;
};

}  // namespace tav::gui
