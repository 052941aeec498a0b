#include "TemplatesWindow.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <array>
#include <utility>

#include "DocxDocument.h"
#include "EnterStep.h"
#include "ExtractOptions.h"
#include "GuiSeams.h"
#include "NamedWidgets.h"
#include "ProgramSettings.h"
#include "WindowFit.h"
#include "WindowReporter.h"

namespace tav::gui {

using namespace core;
using namespace word;

namespace {

constexpr const char* kNewText =
    "1). Enter a name for the new template, and enter the path to the document and click 'Next'";
constexpr const char* kModifyText =
    "1). The name and path of the template being modified is shown below.";
constexpr const char* kCopyText =
    "Please enter the name for the new template, and click the 'Save' button to copy the "
    "template.  The Word template document will be copied and renamed to the new template name.";
constexpr const char* kTemplateExtension = ".dotx";

// The style combos in the order of the checks at Save, with the default each gets in a new
// profile and the message when its text is not one of its styles.
struct StyleSlot {
    const char* combo;
    const char* label;
    const char* caption;
    const char* defaultStyle;
    const char* invalidText;
    QString DocumentTemplate::*member;
};
constexpr std::array<StyleSlot, 6> kStyleSlots{{
    {"cmbNormalStyle", "lblNormal", "Normal Font Style", "Normal",
     "Value entered for Normal Font Style is not a valid style",
     &DocumentTemplate::normalStyleName},
    {"cmbTOCStyle", "lblTOC", "TOC Style", "TOC 1",
     "Value entered for TOC Font Style is not a valid style", &DocumentTemplate::tocStyleName},
    {"cmbHeading1Style", "lblHeading1", "Heading 1 Font Style", "Heading 1",
     "Value entered for Heading Style 1 Font is not a valid style",
     &DocumentTemplate::heading1StyleName},
    {"cmbHeading2Style", "lblHeading2", "Heading 2 Font Style", "Heading 2",
     "Value entered for Heading Style 2 Font is not a valid style",
     &DocumentTemplate::heading2StyleName},
    {"cmbHeading3Style", "lblHeading3", "Heading 3 Font Style", "Heading 3",
     "Value entered for Heading Style 3 Font is not a valid style",
     &DocumentTemplate::heading3StyleName},
    {"cmbTableStyle", "lblTableStyle", "Table Style", "Table Grid 1",
     "Value entered for Table Style is not a valid style", &DocumentTemplate::tableStyle},
}};
constexpr int kTableSlot = 5;

// The paragraph and the table styles of a template, in the template's order; why the template
// could not be read, when it could not.
struct TemplateStyles {
    QStringList paragraph;
    QStringList table;
    QString error;
};

// A template stores the built-in styles under their lower-case names ("heading 1", "toc 1");
// the user knows them, and the profiles name them, as the word processor shows them.
QString DisplayStyleName(const QString& stored) {
    static constexpr std::array<std::pair<const char*, const char*>, 1> kAcronyms{
        {{"toc ", "TOC "}}};
    for (const auto& [lower, shown] : kAcronyms)
        if (stored.startsWith(QLatin1String(lower)))
            return QLatin1String(shown) + stored.mid(qsizetype(qstrlen(lower)));
    return stored.isEmpty() || !stored[0].isLower() ? stored : stored[0].toUpper() + stored.mid(1);
}

TemplateStyles ReadTemplateStyles(const QString& path) {
    TemplateStyles styles;
    tvdocx::Document document;
    if (!document.loadTemplateStyles(path, &styles.error)) {
        // A missing file gives the package reader's reason; the user knows it as missing.
        if (!QFileInfo(path).isFile())
            styles.error = QStringLiteral("The template file %1 could not be located.").arg(path);
        if (styles.error.isEmpty()) styles.error = path;
        return styles;
    }
    for (const QString& name : document.styleNames(tvdocx::StyleType::Paragraph))
        styles.paragraph << DisplayStyleName(name);
    for (const QString& name : document.styleNames(tvdocx::StyleType::Table))
        styles.table << DisplayStyleName(name);
    return styles;
}

void setShownAndEnabled(std::initializer_list<QWidget*> widgets, bool shown, bool enabled) {
    for (QWidget* widget : widgets) {
        widget->setVisible(shown);
        widget->setEnabled(enabled);
    }
}

void enableAll(std::initializer_list<QWidget*> widgets, bool enabled) {
    for (QWidget* widget : widgets) widget->setEnabled(enabled);
}

}  // namespace

TemplatesWindow::TemplatesWindow(const QString& programFolder, RunReporter* work, QWidget* parent)
    : QDialog(parent), store_(programFolder), work_(work) {
    setObjectName(QStringLiteral("TVTemplates"));
    setWindowTitle(QStringLiteral("Templates"));

    auto* title = namedLabel(
        "lblTemplateTitle",
        QStringLiteral("This screen allows users to administer the Word document templates that "
                       "can be used to automatically format the Word documents generated by "
                       "Tavrin.  Templates will only be used if the option \"Use Template: \" has "
                       "been selected on the General Settings screen and a valid template has "
                       "been selected."),
        this);
    auto* label1 = namedLabel(
        "Label1",
        QStringLiteral("Select the document template to modify from the drop down list, and click "
                       "the \"Modify\" button to edit the template.  To create a new template, "
                       "select the \"New Template\" button."),
        this);
    templateList_ = new QComboBox(this);
    templateList_->setObjectName(QStringLiteral("cmbAvailableTemplates"));
    newButton_ = namedButton("cmdNewTemplate", "New Template", this);
    modifyButton_ = namedButton("cmdModify", "Modify", this);
    copyButton_ = namedButton("cmdCopyTemplate", "Copy Template", this);

    editorFrame_ = new QGroupBox(QStringLiteral("Template Settings"), this);
    editorFrame_->setObjectName(QStringLiteral("Frame3"));
    nameInstructions_ = namedLabel("lblStep1Instr", QString(), editorFrame_);
    nameLabel_ = namedLabel("lblName", QStringLiteral("Name"), editorFrame_);
    nameEdit_ = new QLineEdit(editorFrame_);
    nameEdit_->setObjectName(QStringLiteral("txtTemplateName"));
    pathLabel_ = namedLabel("lblPath", QStringLiteral("Path"), editorFrame_);
    pathEdit_ = new QLineEdit(editorFrame_);
    pathEdit_->setObjectName(QStringLiteral("txtTemplatePath"));
    browseButton_ = namedButton("cmdBrowse", "...", editorFrame_);
    nextButton_ = namedButton("cmdNext", "Next", editorFrame_);
    styleInstructions_ = namedLabel(
        "lblInstr2",
        QStringLiteral("2). Match the styles used in Tavrin Extract to the desired styles in your "
                       "document (the styles have been defaulted to the most commonly used "
                       "styles):"),
        editorFrame_);

    // A screen reader names each box by its own label, not by the frame around them all.
    nameLabel_->setBuddy(nameEdit_);
    pathLabel_->setBuddy(pathEdit_);

    auto* frame = new QGridLayout(editorFrame_);
    frame->addWidget(nameInstructions_, 0, 0, 1, 4);
    frame->addWidget(nameLabel_, 1, 0);
    frame->addWidget(nameEdit_, 1, 1, 1, 3);
    frame->addWidget(pathLabel_, 2, 0);
    frame->addWidget(pathEdit_, 2, 1, 1, 2);
    frame->addWidget(browseButton_, 2, 3);
    frame->addWidget(nextButton_, 3, 3);
    frame->addWidget(styleInstructions_, 4, 0, 1, 4);
    for (int i = 0; i < 6; ++i) {
        const StyleSlot& slot = kStyleSlots[static_cast<size_t>(i)];
        styleLabels_[i] = namedLabel(slot.label, QLatin1String(slot.caption), editorFrame_);
        styleCombos_[i] = new QComboBox(editorFrame_);
        styleCombos_[i]->setObjectName(QLatin1String(slot.combo));
        styleCombos_[i]->setEditable(true);
        styleCombos_[i]->setInsertPolicy(QComboBox::NoInsert);
        styleLabels_[i]->setBuddy(styleCombos_[i]);
        frame->addWidget(styleLabels_[i], 5 + i, 0);
        frame->addWidget(styleCombos_[i], 5 + i, 1, 1, 3);
        if (i != kTableSlot)
            connect(styleCombos_[i], &QComboBox::activated, this, &TemplatesWindow::applySaveRule);
    }

    saveButton_ = namedButton("cmdSaveTemplate", "Save", this);
    deleteButton_ = namedButton("cmdDelete", "Delete", this);
    cancelButton_ = namedButton("cmdCancel", "Cancel", this);
    closeButton_ = namedButton("cmdClose", "Close", this);
    // Enter in a box of a flow takes its next step: Next while the template is still to be
    // read, Save once there is a profile to save.
    new EnterStep({nameEdit_, pathEdit_, styleCombos_[0], styleCombos_[1], styleCombos_[2],
                   styleCombos_[3], styleCombos_[4], styleCombos_[5]},
                  {nextButton_, saveButton_}, this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(label1);
    auto* listRow = new QHBoxLayout;
    for (QWidget* widget :
         {static_cast<QWidget*>(templateList_), static_cast<QWidget*>(newButton_),
          static_cast<QWidget*>(modifyButton_), static_cast<QWidget*>(copyButton_)})
        listRow->addWidget(widget);
    layout->addLayout(listRow);
    layout->addWidget(editorFrame_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* widget : {saveButton_, deleteButton_, cancelButton_, closeButton_})
        buttons->addWidget(widget);
    layout->addLayout(buttons);

    connect(newButton_, &QPushButton::clicked, this, &TemplatesWindow::newTemplate);
    connect(browseButton_, &QPushButton::clicked, this, &TemplatesWindow::browseTemplateFile);
    connect(nextButton_, &QPushButton::clicked, this, &TemplatesWindow::nextStep);
    connect(modifyButton_, &QPushButton::clicked, this, &TemplatesWindow::modifyTemplate);
    connect(copyButton_, &QPushButton::clicked, this, &TemplatesWindow::copyTemplate);
    connect(saveButton_, &QPushButton::clicked, this, &TemplatesWindow::saveTemplate);
    connect(deleteButton_, &QPushButton::clicked, this, &TemplatesWindow::deleteTemplate);
    connect(cancelButton_, &QPushButton::clicked, this, &TemplatesWindow::cancelTemplateEdit);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::close);

    // Until a flow starts, the two steps are out of use.
    resetForm();
    showStep1(false, false);
    showStep2(false, false);
    // The styles are read from the template file itself, so no word processor has to be found
    // before the profiles can be offered.
    fillTemplateList();
}

bool TemplatesWindow::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::LayoutRequest) {
        fitHeightToWidth();
        // The steps show more rows: a window that grew down past the screen's edge would hide
        // its buttons there.
        if (isVisible()) keepOnScreen(this);
    }
    return handled;
}

void TemplatesWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (event->size().width() != event->oldSize().width()) fitHeightToWidth();
}

void TemplatesWindow::fitHeightToWidth() {
    const int needed = layout()->totalHeightForWidth(width());
    if (needed <= 0) return;
    setMinimumHeight(needed);
    if (height() != needed) resize(width(), needed);
}

void TemplatesWindow::showStep1(bool shown, bool enabled) {
    setShownAndEnabled({pathEdit_, nameEdit_, nameLabel_, pathLabel_, nameInstructions_,
                        browseButton_, nextButton_},
                       shown, enabled);
}

void TemplatesWindow::showStep2(bool shown, bool enabled) {
    setShownAndEnabled({styleInstructions_}, shown, enabled);
    for (int i = 0; i < 6; ++i)
        setShownAndEnabled({styleCombos_[i], styleLabels_[i]}, shown, enabled);
}

void TemplatesWindow::showSaveButtons(bool shown) {
    for (QPushButton* widget : {saveButton_, deleteButton_, cancelButton_})
        widget->setVisible(shown);
}

void TemplatesWindow::resetForm() {
    enableAll({browseButton_, cancelButton_}, true);
    nameEdit_->clear();
    pathEdit_->clear();
    stylesError_.clear();
    nameInstructions_->setText(QLatin1String(kNewText));
    setShownAndEnabled({modifyButton_, newButton_, templateList_, copyButton_}, true, true);
    for (QComboBox* combo : styleCombos_) {
        combo->clear();
        combo->setEditText(QString());
    }
    browseButton_->hide();
    nextButton_->hide();
    // Back at the start, the user picks from the list.
    templateList_->setFocus(Qt::OtherFocusReason);
}

void TemplatesWindow::fillTemplateList() {
    templateList_->clear();
    std::vector<DocumentTemplate> profiles;
    QString error;
    QStringList incomplete;
    if (!store_.LoadAllTemplates(profiles, &error, &incomplete))
        return guiSeams().message(this, error, QString(), QMessageBox::NoIcon);
    for (const DocumentTemplate& profile : profiles) templateList_->addItem(profile.templateName);
    // The sound profiles stay manageable; the broken ones are named, to be mended by hand.
    if (!incomplete.isEmpty())
        guiSeams().message(
            this,
            QStringLiteral("These profiles of %1 are incomplete and are not listed:\n")
                    .arg(store_.GetTemplateConfigPath()) +
                incomplete.join(u'\n'),
            QString(), QMessageBox::Warning);
}

void TemplatesWindow::newTemplate() {
    templateList_->setEnabled(false);
    templateList_->setCurrentIndex(-1);
    enableAll({newButton_, saveButton_, modifyButton_, copyButton_}, false);
    showSaveButtons(true);
    deleteButton_->hide();
    showStep1(true, true);
    showStep2(true, false);
    nameEdit_->setFocus(Qt::OtherFocusReason);
}

void TemplatesWindow::browseTemplateFile() {
    const QString path = pathEdit_->text();
    const QString folder =
        !path.isEmpty() && path.endsWith(u'/') ? path : store_.GetTemplatesFolder();
    if (!guiSeams().openFileName) return;
    const QString chosen = guiSeams().openFileName(
        this, folder,
        QStringLiteral("Word Templates (*%1)").arg(QLatin1String(kTemplateExtension)));
    if (!chosen.isEmpty()) pathEdit_->setText(QFileInfo(chosen).absoluteFilePath());
}

void TemplatesWindow::nextStep() {
    const QString path = pathEdit_->text();
    if (nameEdit_->text().isEmpty())
        return guiSeams().message(this, QStringLiteral("Please enter the name for the template"),
                                  QString(), QMessageBox::NoIcon);
    if (path.isEmpty())
        return guiSeams().message(this, QStringLiteral("Please enter the path for the template"),
                                  QString(), QMessageBox::NoIcon);
    if (!QFileInfo(path).isFile())
        return guiSeams().message(
            this,
            QStringLiteral("The template specified could not be located.  Please "
                           "check the path or select a new template"),
            QString(), QMessageBox::NoIcon);
    bool inUse = false;
    QString error;
    if (!store_.IsTemplateFileInUse(QFileInfo(path).fileName(), inUse, &error))
        return guiSeams().message(this, error, QString(), QMessageBox::NoIcon);
    if (inUse)
        return guiSeams().message(
            this,
            QStringLiteral("This template is already being used.  Please select a "
                           "different template file, or rename this file to be "
                           "unique."),
            QString(), QMessageBox::NoIcon);
    loadStyles();
    // A file that is no template offers no styles: the user is told, and the step stays.
    if (!stylesError_.isEmpty())
        return guiSeams().message(
            this, QStringLiteral("The template specified could not be read: ") + stylesError_,
            QString(), QMessageBox::NoIcon);
    showStep1(true, true);
    showStep2(true, true);
    pathEdit_->setEnabled(true);
    enableAll({browseButton_, nextButton_, modifyButton_}, false);
    styleCombos_[0]->setFocus(Qt::OtherFocusReason);
}

void TemplatesWindow::loadStyles() {
    if (work_) work_->workStatus(true, QStringLiteral("Loading styles from template"));
    const TemplateStyles styles = ReadTemplateStyles(pathEdit_->text());
    stylesError_ = styles.error;
    for (int i = 0; i < 6; ++i) {
        // Filling the list must not replace a text the profile gave the combo.
        const QString text = styleCombos_[i]->currentText();
        styleCombos_[i]->clear();
        styleCombos_[i]->addItems(i == kTableSlot ? styles.table : styles.paragraph);
        styleCombos_[i]->setCurrentIndex(-1);
        styleCombos_[i]->setEditText(text);
    }
    if (nameInstructions_->text() == QLatin1String(kNewText)) {
        for (int i = 0; i < 6; ++i) {
            const QString style = QLatin1String(kStyleSlots[static_cast<size_t>(i)].defaultStyle);
            if ((i == kTableSlot ? styles.table : styles.paragraph).contains(style))
                styleCombos_[i]->setCurrentIndex(styleCombos_[i]->findText(style));
        }
        applySaveRule();
    }
    if (work_) work_->workStatus(false, QString());
}

void TemplatesWindow::applySaveRule() {
    bool complete = true;
    for (int i = 0; i < kTableSlot; ++i)
        complete = complete && !styleCombos_[i]->currentText().isEmpty();
    saveButton_->setEnabled(complete);
}

void TemplatesWindow::modifyTemplate() {
    if (templateList_->currentText().isEmpty())
        return guiSeams().message(this, QStringLiteral("Please select a template to modify"),
                                  QString(), QMessageBox::Warning);
    WindowReporter reporter(this);
    const DocumentTemplate profile = store_.GetTemplate(templateList_->currentText(), reporter);
    nameInstructions_->setText(QLatin1String(kModifyText));
    nameEdit_->setText(profile.templateName);
    pathEdit_->setText(profile.templatePath);
    for (int i = 0; i < 6; ++i)
        styleCombos_[i]->setEditText(profile.*kStyleSlots[static_cast<size_t>(i)].member);
    enableAll({templateList_, nameEdit_, pathEdit_, modifyButton_, copyButton_, newButton_,
               browseButton_, nextButton_},
              false);
    browseButton_->show();
    showStep2(true, true);
    setShownAndEnabled({pathEdit_, nameEdit_, nameLabel_, pathLabel_, nameInstructions_,
                        browseButton_, nextButton_},
                       true, false);
    showSaveButtons(true);
    loadStyles();
    styleCombos_[0]->setFocus(Qt::OtherFocusReason);
    // The profile can still be deleted; its styles cannot be offered.
    if (!stylesError_.isEmpty())
        guiSeams().message(this, stylesError_, QString(), QMessageBox::Warning);
}

void TemplatesWindow::copyTemplate() {
    if (templateList_->currentText().isEmpty())
        return guiSeams().message(this, QStringLiteral("Please select a template to copy"),
                                  QString(), QMessageBox::Warning);
    WindowReporter reporter(this);
    const DocumentTemplate profile = store_.GetTemplate(templateList_->currentText(), reporter);
    enableAll({templateList_, newButton_, modifyButton_, copyButton_}, false);
    showSaveButtons(true);
    saveButton_->setEnabled(true);
    deleteButton_->hide();
    nameInstructions_->setText(QLatin1String(kCopyText));
    showStep1(true, true);
    showStep2(false, false);
    pathEdit_->setEnabled(false);
    pathEdit_->setText(profile.templatePath);
    nameEdit_->clear();
    browseButton_->setEnabled(false);
    nextButton_->hide();
    // The copy takes the source's styles.
    for (int i = 0; i < 6; ++i)
        styleCombos_[i]->setEditText(profile.*kStyleSlots[static_cast<size_t>(i)].member);
    nameEdit_->setFocus(Qt::OtherFocusReason);
}

DocumentTemplate TemplatesWindow::profileFromForm() const {
    DocumentTemplate profile;
    profile.templateName = nameEdit_->text();
    profile.templatePath = QFileInfo(pathEdit_->text()).fileName();
    for (int i = 0; i < 6; ++i)
        profile.*kStyleSlots[static_cast<size_t>(i)].member = styleCombos_[i]->currentText();
    return profile;
}

bool TemplatesWindow::nameIsFree(const QString& name) {
    if (!store_.LoadTemplate(name)) return true;
    guiSeams().message(
        this,
        QStringLiteral("A template named \"%1\" already exists.  Please enter a different "
                       "name for the template.")
            .arg(name),
        QString(), QMessageBox::NoIcon);
    return false;
}

bool TemplatesWindow::saveCopy() {
    const QString name = nameEdit_->text();
    if (name.isEmpty()) {
        guiSeams().message(this, QStringLiteral("Please enter a name for the new template"),
                           QString(), QMessageBox::NoIcon);
        return false;
    }
    const QString folder = store_.GetTemplatesFolder();
    const QString target = folder + name + QLatin1String(kTemplateExtension);
    // A name that names another folder would put the copy outside the templates folder.
    if (QFileInfo(target).absolutePath() + u'/' != folder) {
        guiSeams().message(this, QStringLiteral("Please enter a name for the new template"),
                           QString(), QMessageBox::NoIcon);
        return false;
    }
    if (QFileInfo::exists(target)) {
        guiSeams().message(
            this,
            QStringLiteral("A file with this name already exists in the template directory: ") +
                folder +
                QStringLiteral(". Please remove the file in the template directory first."),
            QString(), QMessageBox::NoIcon);
        return false;
    }
    if (!nameIsFree(name)) return false;
    if (!QFile::copy(pathEdit_->text(), target)) {
        guiSeams().message(this, QStringLiteral("The template could not be copied to ") + target,
                           QString(), QMessageBox::NoIcon);
        return false;
    }
    DocumentTemplate profile = profileFromForm();
    profile.templatePath = QFileInfo(target).fileName();
    return stored(store_.AddTemplate(profile, &error_));
}

bool TemplatesWindow::saveNewOrModified() {
    // Without its template the styles cannot be checked: the template is what is wrong.
    if (!stylesError_.isEmpty()) {
        guiSeams().message(this, stylesError_, QString(), QMessageBox::NoIcon);
        return false;
    }
    for (int i = 0; i < 6; ++i) {
        if (styleCombos_[i]->findText(styleCombos_[i]->currentText(),
                                      Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
            guiSeams().message(this, QLatin1String(kStyleSlots[static_cast<size_t>(i)].invalidText),
                               QString(), QMessageBox::NoIcon);
            return false;
        }
    }
    const QString path = pathEdit_->text();
    const QString fileName = QFileInfo(path).fileName();
    const DocumentTemplate profile = profileFromForm();
    const QString listed = templateList_->currentText();
    if (!listed.isEmpty()) {
        // The new profile goes in before the old one goes, so that a store that cannot be
        // written loses nothing; the old one is the first of the name and is the one removed.
        DocumentTemplate old;
        old.templateName = listed;
        return stored(store_.AddTemplate(profile, &error_) && store_.DeleteTemplate(old, &error_));
    }
    if (!nameIsFree(profile.templateName)) return false;
    const QString folder = store_.GetTemplatesFolder();
    if (QFileInfo(path).absolutePath() + u'/' != folder) {
        const QString target = folder + fileName;
        if (QFileInfo::exists(target)) {
            guiSeams().message(
                this,
                QStringLiteral("A file with this name already exists in the template directory: ") +
                    folder +
                    QStringLiteral(". Please remove the file in the template directory first"),
                QString(), QMessageBox::NoIcon);
            return false;
        }
        if (!QFile::copy(path, target)) {
            guiSeams().message(this,
                               QStringLiteral("The template could not be copied to ") + target,
                               QString(), QMessageBox::NoIcon);
            return false;
        }
    }
    return stored(store_.AddTemplate(profile, &error_));
}

bool TemplatesWindow::stored(bool done) {
    if (!done) guiSeams().message(this, error_, QString(), QMessageBox::NoIcon);
    return done;
}

void TemplatesWindow::saveTemplate() {
    // Without the folder, a template would be copied into whatever the working folder is.
    if (store_.GetTemplatesFolder().isEmpty())
        return guiSeams().message(
            this,
            QStringLiteral("The template directory could not be found.  Please check "
                           "that the Templates folder exists in the program folder."),
            QString(), QMessageBox::NoIcon);
    const bool saved =
        nameInstructions_->text() == QLatin1String(kCopyText) ? saveCopy() : saveNewOrModified();
    if (!saved) return;
    resetForm();
    fillTemplateList();
}

void TemplatesWindow::deleteTemplate() {
    // Before any flow the list shows the profile that Delete removes; Modify shows it in the
    // form as well.
    const QString name = templateList_->currentText();
    if (name.isEmpty())
        return guiSeams().message(this, QStringLiteral("Please select a template to delete"),
                                  QString(), QMessageBox::Warning);
    if (name == programOptions().OutputTemplate)
        return guiSeams().message(
            this,
            QStringLiteral(
                "The selected template is currently set as the output template on the 'Settings' "
                "screen.  You must select a different output template on the 'Settings' screen "
                "before this template can be deleted."),
            QString(), QMessageBox::NoIcon);
    if (!guiSeams().askYesNo ||
        !guiSeams().askYesNo(this,
                             QStringLiteral("Are you sure you would like to delete the selected "
                                            "Template?")))
        return;
    QString error;
    DocumentTemplate profile;
    profile.templateName = name;
    if (!store_.DeleteTemplate(profile, &error))
        guiSeams().message(this, error, QString(), QMessageBox::NoIcon);
    resetForm();
    fillTemplateList();
}

void TemplatesWindow::cancelTemplateEdit() { resetForm(); }

}  // namespace tav::gui
