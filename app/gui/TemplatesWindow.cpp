#include "TemplatesWindow.h"

#include <QComboBox>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include <utility>

#include "DocxPackage.h"
#include "ExtractOptions.h"
#include "GuiSeams.h"
#include "NamedWidgets.h"
#include "ProgramSettings.h"
#include "SettingsStore.h"
#include "StatusWindow.h"

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

// The paragraph and the table styles of a template, in the template's order.
struct TemplateStyles {
    QStringList paragraph;
    QStringList table;
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
    const QString stylesPart = QStringLiteral("word/styles.xml");
    const auto parts = tvdocx::readPackage(path, nullptr, {stylesPart});
    if (!parts) return styles;
    const auto part = parts->find(stylesPart);
    QDomDocument document;
    if (part == parts->end() || !document.setContent(part->second)) return styles;
    for (QDomElement style =
             document.documentElement().firstChildElement(QStringLiteral("w:style"));
         !style.isNull(); style = style.nextSiblingElement(QStringLiteral("w:style"))) {
        const QString name = DisplayStyleName(
            style.firstChildElement(QStringLiteral("w:name")).attribute(QStringLiteral("w:val")));
        const QString type = style.attribute(QStringLiteral("w:type"));
        if (type == QLatin1String("paragraph"))
            styles.paragraph << name;
        else if (type == QLatin1String("table"))
            styles.table << name;
    }
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

TemplatesWindow::TemplatesWindow(const QString& programFolder, QWidget* parent)
    : QDialog(parent), store_(programFolder) {
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
    cmbAvailableTemplates = new QComboBox(this);
    cmbAvailableTemplates->setObjectName(QStringLiteral("cmbAvailableTemplates"));
    cmdNewTemplate = namedButton("cmdNewTemplate", "New Template", this);
    cmdModify = namedButton("cmdModify", "Modify", this);
    cmdCopyTemplate = namedButton("cmdCopyTemplate", "Copy Template", this);

    Frame3 = new QGroupBox(QStringLiteral("Template Settings"), this);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    lblStep1Instr = namedLabel("lblStep1Instr", QString(), Frame3);
    lblName = namedLabel("lblName", QStringLiteral("Name"), Frame3);
    txtTemplateName = new QLineEdit(Frame3);
    txtTemplateName->setObjectName(QStringLiteral("txtTemplateName"));
    lblPath = namedLabel("lblPath", QStringLiteral("Path"), Frame3);
    txtTemplatePath = new QLineEdit(Frame3);
    txtTemplatePath->setObjectName(QStringLiteral("txtTemplatePath"));
    cmdBrowse = namedButton("cmdBrowse", "...", Frame3);
    cmdNext = namedButton("cmdNext", "Next", Frame3);
    lblInstr2 = namedLabel(
        "lblInstr2",
        QStringLiteral("2). Match the styles used in Tavrin Extract to the desired styles in your "
                       "document (the styles have been defaulted to the most commonly used "
                       "styles):"),
        Frame3);

    auto* frame = new QGridLayout(Frame3);
    frame->addWidget(lblStep1Instr, 0, 0, 1, 4);
    frame->addWidget(lblName, 1, 0);
    frame->addWidget(txtTemplateName, 1, 1, 1, 3);
    frame->addWidget(lblPath, 2, 0);
    frame->addWidget(txtTemplatePath, 2, 1, 1, 2);
    frame->addWidget(cmdBrowse, 2, 3);
    frame->addWidget(cmdNext, 3, 3);
    frame->addWidget(lblInstr2, 4, 0, 1, 4);
    for (int i = 0; i < 6; ++i) {
        const StyleSlot& slot = kStyleSlots[static_cast<size_t>(i)];
        styleLabels[i] = namedLabel(slot.label, QLatin1String(slot.caption), Frame3);
        styleCombos[i] = new QComboBox(Frame3);
        styleCombos[i]->setObjectName(QLatin1String(slot.combo));
        styleCombos[i]->setEditable(true);
        styleCombos[i]->setInsertPolicy(QComboBox::NoInsert);
        frame->addWidget(styleLabels[i], 5 + i, 0);
        frame->addWidget(styleCombos[i], 5 + i, 1, 1, 3);
        if (i != kTableSlot)
            connect(styleCombos[i], &QComboBox::activated, this, &TemplatesWindow::ApplySaveRule);
    }

    cmdSaveTemplate = namedButton("cmdSaveTemplate", "Save", this);
    cmdDelete = namedButton("cmdDelete", "Delete", this);
    cmdCancel = namedButton("cmdCancel", "Cancel", this);
    cmdClose = namedButton("cmdClose", "Close", this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(label1);
    auto* listRow = new QHBoxLayout;
    for (QWidget* widget :
         {static_cast<QWidget*>(cmbAvailableTemplates), static_cast<QWidget*>(cmdNewTemplate),
          static_cast<QWidget*>(cmdModify), static_cast<QWidget*>(cmdCopyTemplate)})
        listRow->addWidget(widget);
    layout->addLayout(listRow);
    layout->addWidget(Frame3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* widget : {cmdSaveTemplate, cmdDelete, cmdCancel, cmdClose})
        buttons->addWidget(widget);
    layout->addLayout(buttons);

    connect(cmdNewTemplate, &QPushButton::clicked, this, &TemplatesWindow::newTemplate);
    connect(cmdBrowse, &QPushButton::clicked, this, &TemplatesWindow::browseTemplateFile);
    connect(cmdNext, &QPushButton::clicked, this, &TemplatesWindow::nextStep);
    connect(cmdModify, &QPushButton::clicked, this, &TemplatesWindow::modifyTemplate);
    connect(cmdCopyTemplate, &QPushButton::clicked, this, &TemplatesWindow::copyTemplate);
    connect(cmdSaveTemplate, &QPushButton::clicked, this, &TemplatesWindow::saveTemplate);
    connect(cmdDelete, &QPushButton::clicked, this, &TemplatesWindow::deleteTemplate);
    connect(cmdCancel, &QPushButton::clicked, this, &TemplatesWindow::cancelTemplateEdit);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);

    // Until a flow starts, the two steps are out of use.
    StartConfiguration();
    showStep1(false, false);
    showStep2(false, false);
    // The styles are read from the template file itself, so no word processor has to be found
    // before the profiles can be offered.
    FillTemplateList();
}

void TemplatesWindow::message(const QString& text, bool exclamation) {
    if (guiSeams().message)
        guiSeams().message(this, text, QStringLiteral("Tavrin"),
                           exclamation ? QMessageBox::Warning : QMessageBox::NoIcon);
}

void TemplatesWindow::showStep1(bool shown, bool enabled) {
    setShownAndEnabled(
        {txtTemplatePath, txtTemplateName, lblName, lblPath, lblStep1Instr, cmdBrowse, cmdNext},
        shown, enabled);
}

void TemplatesWindow::showStep2(bool shown, bool enabled) {
    setShownAndEnabled({lblInstr2}, shown, enabled);
    for (int i = 0; i < 6; ++i)
        setShownAndEnabled({styleCombos[i], styleLabels[i]}, shown, enabled);
}

void TemplatesWindow::showSaveButtons(bool shown) {
    for (QPushButton* widget : {cmdSaveTemplate, cmdDelete, cmdCancel}) widget->setVisible(shown);
}

void TemplatesWindow::StartConfiguration() {
    enableAll({cmdBrowse, cmdCancel}, true);
    txtTemplateName->clear();
    txtTemplatePath->clear();
    lblStep1Instr->setText(QLatin1String(kNewText));
    setShownAndEnabled({cmdModify, cmdNewTemplate, cmbAvailableTemplates, cmdCopyTemplate}, true,
                       true);
    for (QComboBox* combo : styleCombos) {
        combo->clear();
        combo->setEditText(QString());
    }
    cmdBrowse->hide();
    cmdNext->hide();
}

void TemplatesWindow::FillTemplateList() {
    cmbAvailableTemplates->clear();
    std::vector<DocumentTemplate> profiles;
    QString error;
    if (!store_.LoadAllTemplates(profiles, &error)) return message(error);
    for (const DocumentTemplate& profile : profiles)
        cmbAvailableTemplates->addItem(profile.templateName);
}

void TemplatesWindow::newTemplate() {
    cmbAvailableTemplates->setEnabled(false);
    cmbAvailableTemplates->setCurrentIndex(-1);
    enableAll({cmdNewTemplate, cmdSaveTemplate, cmdModify, cmdCopyTemplate}, false);
    showSaveButtons(true);
    cmdDelete->hide();
    showStep1(true, true);
    showStep2(true, false);
}

void TemplatesWindow::browseTemplateFile() {
    const QString path = txtTemplatePath->text();
    const QString folder =
        !path.isEmpty() && path.endsWith(u'/') ? path : store_.GetTemplatesFolder();
    if (!guiSeams().openFileName) return;
    const QString chosen = guiSeams().openFileName(
        this, folder,
        QStringLiteral("Word Templates (*%1)").arg(QLatin1String(kTemplateExtension)));
    if (!chosen.isEmpty()) txtTemplatePath->setText(QFileInfo(chosen).absoluteFilePath());
}

void TemplatesWindow::nextStep() {
    const QString path = txtTemplatePath->text();
    if (txtTemplateName->text().isEmpty())
        return message(QStringLiteral("Please enter the name for the template"));
    if (path.isEmpty()) return message(QStringLiteral("Please enter the path for the template"));
    if (!QFileInfo(path).isFile())
        return message(
            QStringLiteral("The template specified could not be located.  Please "
                           "check the path or select a new template"));
    bool inUse = false;
    QString error;
    if (!store_.IsTemplateFileInUse(QFileInfo(path).fileName(), inUse, &error))
        return message(error);
    if (inUse)
        return message(
            QStringLiteral("This template is already being used.  Please select a "
                           "different template file, or rename this file to be "
                           "unique."));
    LoadStyles();
    showStep1(true, true);
    showStep2(true, true);
    txtTemplatePath->setEnabled(true);
    enableAll({cmdBrowse, cmdNext, cmdModify}, false);
}

void TemplatesWindow::LoadStyles() {
    QString status = QStringLiteral("Loading styles from template");
    StatusWindow::UpdateStatus(true, status);
    const TemplateStyles styles = ReadTemplateStyles(txtTemplatePath->text());
    for (int i = 0; i < 6; ++i) {
        // Filling the list must not replace a text the profile gave the combo.
        const QString text = styleCombos[i]->currentText();
        styleCombos[i]->clear();
        styleCombos[i]->addItems(i == kTableSlot ? styles.table : styles.paragraph);
        styleCombos[i]->setCurrentIndex(-1);
        styleCombos[i]->setEditText(text);
    }
    if (lblStep1Instr->text() == QLatin1String(kNewText)) {
        for (int i = 0; i < 6; ++i) {
            const QString style = QLatin1String(kStyleSlots[static_cast<size_t>(i)].defaultStyle);
            if ((i == kTableSlot ? styles.table : styles.paragraph).contains(style))
                styleCombos[i]->setCurrentIndex(styleCombos[i]->findText(style));
        }
        ApplySaveRule();
    }
    QString done;
    StatusWindow::UpdateStatus(false, done);
}

void TemplatesWindow::ApplySaveRule() {
    bool complete = true;
    for (int i = 0; i < kTableSlot; ++i)
        complete = complete && !styleCombos[i]->currentText().isEmpty();
    cmdSaveTemplate->setEnabled(complete);
}

void TemplatesWindow::modifyTemplate() {
    if (cmbAvailableTemplates->currentText().isEmpty())
        return message(QStringLiteral("Please select a template to modify"), true);
    const DocumentTemplate profile = store_.GetTemplate(cmbAvailableTemplates->currentText());
    lblStep1Instr->setText(QLatin1String(kModifyText));
    txtTemplateName->setText(profile.templateName);
    txtTemplatePath->setText(profile.templatePath);
    for (int i = 0; i < 6; ++i)
        styleCombos[i]->setEditText(profile.*kStyleSlots[static_cast<size_t>(i)].member);
    enableAll({cmbAvailableTemplates, txtTemplateName, txtTemplatePath, cmdModify, cmdCopyTemplate,
               cmdNewTemplate, cmdBrowse, cmdNext},
              false);
    cmdBrowse->show();
    showStep2(true, true);
    setShownAndEnabled(
        {txtTemplatePath, txtTemplateName, lblName, lblPath, lblStep1Instr, cmdBrowse, cmdNext},
        true, false);
    showSaveButtons(true);
    LoadStyles();
}

void TemplatesWindow::copyTemplate() {
    if (cmbAvailableTemplates->currentText().isEmpty())
        return message(QStringLiteral("Please select a template to copy"), true);
    const DocumentTemplate profile = store_.GetTemplate(cmbAvailableTemplates->currentText());
    enableAll({cmbAvailableTemplates, cmdNewTemplate, cmdModify, cmdCopyTemplate}, false);
    showSaveButtons(true);
    cmdSaveTemplate->setEnabled(true);
    cmdDelete->hide();
    lblStep1Instr->setText(QLatin1String(kCopyText));
    showStep1(true, true);
    showStep2(false, false);
    txtTemplatePath->setEnabled(false);
    txtTemplatePath->setText(profile.templatePath);
    txtTemplateName->clear();
    cmdBrowse->setEnabled(false);
    cmdNext->hide();
    // The copy takes the source's styles.
    for (int i = 0; i < 6; ++i)
        styleCombos[i]->setEditText(profile.*kStyleSlots[static_cast<size_t>(i)].member);
}

DocumentTemplate TemplatesWindow::ProfileFromForm() const {
    DocumentTemplate profile;
    profile.templateName = txtTemplateName->text();
    profile.templatePath = QFileInfo(txtTemplatePath->text()).fileName();
    for (int i = 0; i < 6; ++i)
        profile.*kStyleSlots[static_cast<size_t>(i)].member = styleCombos[i]->currentText();
    return profile;
}

bool TemplatesWindow::nameIsFree(const QString& name) {
    if (!store_.LoadTemplate(name)) return true;
    message(QStringLiteral("A template named \"%1\" already exists.  Please enter a different "
                           "name for the template.")
                .arg(name));
    return false;
}

bool TemplatesWindow::SaveCopy() {
    const QString name = txtTemplateName->text();
    if (name.isEmpty()) {
        message(QStringLiteral("Please enter a name for the new template"));
        return false;
    }
    const QString folder = store_.GetTemplatesFolder();
    const QString target = folder + name + QLatin1String(kTemplateExtension);
    // A name that names another folder would put the copy outside the templates folder.
    if (QFileInfo(target).absolutePath() + u'/' != folder) {
        message(QStringLiteral("Please enter a name for the new template"));
        return false;
    }
    if (QFileInfo::exists(target)) {
        message(QStringLiteral("A file with this name already exists in the template directory: ") +
                folder +
                QStringLiteral(". Please remove the file in the template directory first."));
        return false;
    }
    if (!nameIsFree(name)) return false;
    if (!QFile::copy(txtTemplatePath->text(), target)) {
        message(QStringLiteral("The template could not be copied to ") + target);
        return false;
    }
    DocumentTemplate profile = ProfileFromForm();
    profile.templatePath = QFileInfo(target).fileName();
    return stored(store_.AddTemplate(profile, &error_));
}

bool TemplatesWindow::SaveNewOrModified() {
    for (int i = 0; i < 6; ++i) {
        if (styleCombos[i]->findText(styleCombos[i]->currentText(),
                                     Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
            message(QLatin1String(kStyleSlots[static_cast<size_t>(i)].invalidText));
            return false;
        }
    }
    const QString path = txtTemplatePath->text();
    const QString fileName = QFileInfo(path).fileName();
    const DocumentTemplate profile = ProfileFromForm();
    const QString listed = cmbAvailableTemplates->currentText();
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
            message(
                QStringLiteral("A file with this name already exists in the template directory: ") +
                folder +
                QStringLiteral(". Please remove the file in the template directory first"));
            return false;
        }
        if (!QFile::copy(path, target)) {
            message(QStringLiteral("The template could not be copied to ") + target);
            return false;
        }
    }
    return stored(store_.AddTemplate(profile, &error_));
}

bool TemplatesWindow::stored(bool done) {
    if (!done) message(error_);
    return done;
}

void TemplatesWindow::saveTemplate() {
    // Without the folder, a template would be copied into whatever the working folder is.
    if (store_.GetTemplatesFolder().isEmpty())
        return message(
            QStringLiteral("The template directory could not be found.  Please check "
                           "that the Templates folder exists in the program folder."));
    const bool saved =
        lblStep1Instr->text() == QLatin1String(kCopyText) ? SaveCopy() : SaveNewOrModified();
    if (!saved) return;
    StartConfiguration();
    FillTemplateList();
}

void TemplatesWindow::deleteTemplate() {
    const QString name = txtTemplateName->text();
    if (name == programOptions().OutputTemplate)
        return message(QStringLiteral(
            "The selected template is currently set as the output template on the 'Settings' "
            "screen.  You must select a different output template on the 'Settings' screen "
            "before this template can be deleted."));
    if (!guiSeams().askYesNo ||
        !guiSeams().askYesNo(this,
                             QStringLiteral("Are you sure you would like to delete the selected "
                                            "Template?")))
        return;
    QString error;
    if (!store_.DeleteTemplate(ProfileFromForm(), &error)) message(error);
    StartConfiguration();
    FillTemplateList();
}

void TemplatesWindow::cancelTemplateEdit() { StartConfiguration(); }

void ShowTemplates(QWidget* parent) {
    static QPointer<TemplatesWindow> window;
    if (!window) window = new TemplatesWindow(programSettingsStore().programFolder(), parent);
    showModeless(window);
}

}  // namespace tav::gui
