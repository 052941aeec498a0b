#include "MiningSettingsWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "DatabaseCreator.h"
#include "GuiSeams.h"
#include "NamedWidgets.h"
#include "ProgramSettings.h"
#include "ReportOwnerStore.h"
#include "SettingsStore.h"
#include "TemplateStore.h"
#include "WindowReporter.h"

namespace tav::gui {

using namespace core;
using namespace database;
using namespace word;

namespace {

// A check box and the flag it writes; `inverted` boxes clear their flag when ticked, and are
// ticked when the flag is clear. The order is the
// order in which the load sets them, which decides the order their rules run in.
struct FlagBox {
    const char* name;
    const char* caption;
    bool ExtractOptions::*flag = nullptr;
    bool inverted = false;
};

constexpr std::array kFlagBoxes = {
    FlagBox{"chkCreateWordDoc", "Generate Word Document", &ExtractOptions::CreateWordDocument},
    FlagBox{"chkCreateTvdDoc", "Generate Text File", &ExtractOptions::CreateTVDFile},
    FlagBox{"chkWriteToDB", "Write To Database", &ExtractOptions::UpdateDB},
    FlagBox{"ChkSummary", "Include &Object Details", &ExtractOptions::SummaryOnly, true},
    FlagBox{"chkFormulas", "Include &Formula Definitions", &ExtractOptions::ShowFormula},
    FlagBox{"chkShowTables", "Include &Table Definitions", &ExtractOptions::ShowTables},
    FlagBox{"chkIncludeFields", "Include &Database Fields", &ExtractOptions::ShowDBCols},
    FlagBox{"chkLayout", "Include Report &Layout", &ExtractOptions::ShowLayout},
    FlagBox{"chkHiddenSections", "Include Hidden Sections", &ExtractOptions::ShowHiddenSections},
    FlagBox{"chkParameters", "Include &Parameter Definitions", &ExtractOptions::ShowParameters},
    FlagBox{"chkGroups", "Include &Group Definitions", &ExtractOptions::ShowGroups},
    FlagBox{"chkTOC", "Include Table of Contents", &ExtractOptions::ShowTOC},
    FlagBox{"ChkRptSummary", "Include Report &Summary Information",
            &ExtractOptions::ShowRptSummary},
    FlagBox{"chkSQL", "Logon to Database for SQL Query Statement", &ExtractOptions::ShowSQL},
    FlagBox{"chkSort", "Include &Sort Definitions", &ExtractOptions::ShowSort},
    FlagBox{"chkPrinter", "Include P&rinter Definition", &ExtractOptions::ShowPrinter},
    FlagBox{"chkExport", "Include &Export Information", &ExtractOptions::ShowExport},
};

// Boxes that switch dependent boxes off with them.
struct DependentRule {
    const char* master;
    std::array<const char*, 2> dependents;  // nullptr where there is no second one
};
constexpr std::array kDependentRules = {
    DependentRule{"chkLayout", {"chkHiddenSections", nullptr}},
    DependentRule{"ChkRptSummary", {"chkPrinter", "chkExport"}},
    DependentRule{"chkShowTables", {"chkIncludeFields", nullptr}},
};

struct PathRow {
    const char* box;
    const char* label;
    const char* labelCaption;
    const char* edit;
    const char* button;
    const char* title;
    QString ExtractOptions::*folder;
};
constexpr std::array kPathRows = {
    PathRow{"chkCreateTvdDoc", "Label30", "Text File Output Directory", "txtTVDOutputPath",
            "cmdGetTVDOutputPath", "Enter the output path for the generated text(.tvd) files",
            &ExtractOptions::TVDPath},
    PathRow{"chkCreateWordDoc", "Label31", "Word Document Output Directory", "txtWordDocOutputPath",
            "cmdGetWordDocOutputPath", "Enter the output path for the generated Word documents",
            &ExtractOptions::DocPath},
    PathRow{"chkWriteToDB", "Label32", "Database Output Directory", "txtDBOutputPath",
            "cmdGetDBOutputPath", "Enter the output path for the database",
            &ExtractOptions::DBPath},
};

// The rows of the font grid, top to bottom.
struct FontRow {
    const char* caption;
    const char* word;
    const char* colorCombo;  // its own spelling
    FontSetting ExtractOptions::*font;
};
constexpr std::array kFontRows = {
    FontRow{"&Page Heading", "Heading", "cboHeadingColor", &ExtractOptions::HeadingFont},
    FontRow{"&Section Heading", "Section", "cboSectionColor", &ExtractOptions::SectionFont},
    FontRow{"&Table Entries", "Table", "cboTableColor", &ExtractOptions::TableFont},
    FontRow{"Se&tting", "Setting", "cboSettingColor", &ExtractOptions::SettingFont},
    FontRow{"&Value", "Value", "cboValueCOlor", &ExtractOptions::ValueFont},
};

enum FontColumn { kFontName, kFontStyle, kFontSize, kFontColor };
constexpr std::array<const char*, 4> kFontColumnCaptions = {"&Font", "&Style", "Si&ze", "&Color"};
constexpr std::array<const char*, 4> kFontColumnWords = {"Font", "Style", "Size", "Color"};
// The characters each column shows.
constexpr std::array<int, 4> kFontColumnLengths = {10, 9, 2, 6};

struct FontStyleFlags {
    const char* name;
    bool bold;
    bool italic;
};
constexpr std::array kFontStyles = {
    FontStyleFlags{"Normal", false, false},
    FontStyleFlags{"Bold", true, false},
    FontStyleFlags{"Italic", false, true},
    FontStyleFlags{"Bold Italic", true, true},
};

constexpr std::array kColors = {"Black", "Maroon", "Green",  "Olive", "Navy", "Teal", "Gray",
                                "Red",   "Lime",   "Yellow", "Blue",  "Aqua", "White"};

constexpr char kPrinterMissingText[] = "Printer not installed; font data will not be available";

QString text(const char* latin1) { return QString::fromLatin1(latin1); }

// The style that a record's flags stand for; a combination not listed counts as both.
QString styleOf(const FontSetting& font) {
    for (const auto& style : kFontStyles)
        if (style.bold == font.Bold && style.italic == font.Italic) return text(style.name);
    return text(kFontStyles.back().name);
}

// The sizes the size lists offer.
constexpr int kSmallestSize = 8;
constexpr int kLargestSize = 14;

// True when `value` is an entry of the column's fixed list: the style, size and colour of a font
// come from their lists only. Any name is a font's name.
bool isListed(int column, const QString& value) {
    const auto equals = [&](const char* entry) { return value == text(entry); };
    switch (column) {
        case kFontStyle:
            return std::any_of(kFontStyles.begin(), kFontStyles.end(),
                               [&](const FontStyleFlags& style) { return equals(style.name); });
        case kFontSize: {
            bool ok = false;
            const int size = value.toInt(&ok);
            return ok && size >= kSmallestSize && size <= kLargestSize &&
                   value == QString::number(size);
        }
        case kFontColor:
            return std::any_of(kColors.begin(), kColors.end(), equals);
        default:
            return true;
    }
}

QHBoxLayout* indented(QWidget* widget, int depth = 1) {
    auto* row = new QHBoxLayout;
    row->addSpacing(20 * depth);
    row->addWidget(widget);
    return row;
}

QComboBox* editableCombo(const char* name, QWidget* parent) {
    auto* combo = named(new QComboBox(parent), name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    return combo;
}

// Lays a frame's rows close together, so that the whole form fits its window.
template <typename L>
L* compact(L* layout) {
    layout->setSpacing(3);
    layout->setContentsMargins(8, 4, 8, 4);
    return layout;
}

// A combo whose entries the form keeps in alphabetical order.
void sortEntries(QComboBox& combo) { combo.model()->sort(0); }

// A combo whose drop-down list is as wide as its longest entry, however narrow the box, so that
// no entry is cut short.
void widenListToEntries(QComboBox* combo) {
    const auto fit = [combo] {
        QAbstractItemView* list = combo->view();
        list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                              list->verticalScrollBar()->sizeHint().width());
    };
    QAbstractItemModel* entries = combo->model();
    QObject::connect(entries, &QAbstractItemModel::rowsInserted, combo, fit);
    QObject::connect(entries, &QAbstractItemModel::rowsRemoved, combo, fit);
    QObject::connect(entries, &QAbstractItemModel::modelReset, combo, fit);
    QObject::connect(entries, &QAbstractItemModel::dataChanged, combo, fit);
}

// The form's panel scrolls up and down only: the window is never narrower than the panel with
// the vertical scroll bar beside it, so a shorter window gets that bar alone.
class VerticalScrollArea : public QScrollArea {
public:
    explicit VerticalScrollArea(QWidget* parent) : QScrollArea(parent) {
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // The window's own edge frames the panel; a frame of the area's own would take width.
        setFrameShape(QFrame::NoFrame);
    }
    QSize minimumSizeHint() const override {
        QSize least = QScrollArea::minimumSizeHint();
        if (widget())
            least.setWidth(widget()->minimumSizeHint().width() +
                           verticalScrollBar()->sizeHint().width() + 2 * frameWidth());
        return least;
    }
};

}  // namespace

MiningSettingsWindow::MiningSettingsWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TV020"));
    setWindowTitle(QStringLiteral("Tavrin - Mining Settings"));
    setModal(false);

    for (const auto& flag : kFlagBoxes) {
        auto* box = named(new QCheckBox(text(flag.caption), this), flag.name);
        boxes_.insert(text(flag.name), box);
        connect(box, &QCheckBox::toggled, this, [this, box] { checkBoxChanged(box); });
    }
    auto* prompt =
        named(new QCheckBox(QStringLiteral("Prompt for Parameters"), this), "chkParameterPrompt");
    boxes_.insert(prompt->objectName(), prompt);
    watchFocus(prompt, [prompt] {
        const Qt::CheckState state = prompt->checkState();
        programOptions().PromptForParameters = state == Qt::PartiallyChecked
                                                   ? ParameterPrompt::Indeterminate
                                               : state == Qt::Checked ? ParameterPrompt::On
                                                                      : ParameterPrompt::Off;
    });
    // The greyed tick comes only from the settings; the user's clicks tick and untick.
    connect(prompt, &QCheckBox::stateChanged, this, [prompt](int state) {
        if (state != Qt::PartiallyChecked) prompt->setTristate(false);
    });

    auto* picContainer = named(new QWidget, "picContainer");
    auto* panel = compact(new QVBoxLayout(picContainer));
    tabs_ = named(new QTabWidget(picContainer), "SSTab1");
    tabs_->addTab(buildGeneralTab(), QStringLiteral("General"));
    tabs_->addTab(buildFontsTab(), QStringLiteral("Fonts"));
    panel->addWidget(tabs_);

    auto* fraCommand = named(new QGroupBox(picContainer), "fraCommand");
    auto* commands = compact(new QHBoxLayout(fraCommand));
    const std::array<std::pair<const char*, const char*>, 3> buttons = {
        {{"cmdSave", "Sa&ve"}, {"cmdReset", "&Reset"}, {"cmdExit", "E&xit"}}};
    std::array<QPushButton*, 3> made{};
    for (size_t i = 0; i < buttons.size(); ++i) {
        made[i] = named(new QPushButton(text(buttons[i].second), fraCommand), buttons[i].first);
        made[i]->setAutoDefault(false);
        commands->addWidget(made[i]);
    }
    connect(made[0], &QPushButton::clicked, this, &MiningSettingsWindow::saveAndClose);
    connect(made[1], &QPushButton::clicked, this, &MiningSettingsWindow::reloadStoredSettings);
    connect(made[2], &QPushButton::clicked, this, &MiningSettingsWindow::closeKeepingEdits);
    panel->addWidget(fraCommand);

    // The scroll area's bar moves the panel when the window is shorter than it.
    scroll_ = new VerticalScrollArea(this);
    scroll_->setWidgetResizable(true);
    // Tab goes from control to control: the area itself shows no focus, and it brings the
    // control that takes the focus into view.
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setWidget(picContainer);
    scroll_->verticalScrollBar()->setObjectName(QStringLiteral("VScroll1"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll_);
    // Enter in a field saves; a browse button answers Enter only while it holds the focus. Set
    // once the panel is in the window, so that the window knows its default button.
    made[0]->setDefault(true);
    resize(611, 658);
}

QWidget* MiningSettingsWindow::buildGeneralTab() {
    auto* tab = new QWidget;
    auto* layout = compact(new QVBoxLayout(tab));
    auto* intro = named(
        new QLabel(
            QStringLiteral("The screen allows users to modify the General settings for Tavrin.  "
                           "To modify Templates or Report Owners, please use the File menu on "
                           "the main Tavrin screen."),
            tab),
        "Label28");
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* runtime = named(new QGroupBox(QStringLiteral("Runtime Settings"), tab), "frameRuntime");
    auto* runtimeRow = compact(new QHBoxLayout(runtime));
    runtimeRow->addWidget(box("chkParameterPrompt"));
    runtimeRow->addWidget(box("chkSQL"));
    layout->addWidget(runtime);

    auto* output = named(new QGroupBox(QStringLiteral("Output Settings"), tab), "OutputFrame");
    auto* grid = compact(new QGridLayout(output));
    // Each output's folder row sits under its box, so that the folder text has the width.
    grid->setColumnMinimumWidth(0, 20);
    grid->setColumnStretch(2, 1);
    const std::array<int, 3> gridRows = {0, 2, 5};
    for (size_t i = 0; i < kPathRows.size(); ++i) {
        const PathRow& row = kPathRows[i];
        const int r = gridRows[i];
        pathEdits_[i] = named(new QLineEdit(output), row.edit);
        pathButtons_[i] = named(new QPushButton(QStringLiteral("..."), output), row.button);
        pathButtons_[i]->setMaximumWidth(4 * pathButtons_[i]->fontMetrics().averageCharWidth() +
                                         16);
        auto* label = named(new QLabel(text(row.labelCaption), output), row.label);
        label->setBuddy(pathEdits_[i]);
        grid->addWidget(box(row.box), r, 0, 1, 4);
        grid->addWidget(label, r + 1, 1);
        grid->addWidget(pathEdits_[i], r + 1, 2);
        grid->addWidget(pathButtons_[i], r + 1, 3);
        QLineEdit* edit = pathEdits_[i];
        QString ExtractOptions::*folder = row.folder;
        watchFocus(edit, [edit, folder] {
            if (edit->text().isEmpty()) return;
            edit->setText(withTrailingSeparator(edit->text()));
            programOptions().*folder = edit->text();
        });
        connect(pathButtons_[i], &QPushButton::clicked, this,
                [this, i] { browse(static_cast<int>(i)); });
    }

    auto* wordOptions = new QHBoxLayout;
    auto* wordBoxes = compact(new QVBoxLayout);
    wordBoxes->addWidget(box("chkTOC"));
    wordBoxes->addWidget(box("chkLayout"));
    wordBoxes->addLayout(indented(box("chkHiddenSections")));
    wordOptions->addSpacing(20);
    wordOptions->addLayout(wordBoxes);
    auto* format = compact(new QVBoxLayout);
    format->addWidget(named(new QLabel(QStringLiteral("Output Format"), output), "Label27"));
    optUseFonts_ =
        named(new QRadioButton(QStringLiteral("Use Fonts as defined in Fonts Tab"), output),
              "optUseFonts");
    optUseTemplate_ =
        named(new QRadioButton(QStringLiteral("Use Template"), output), "optUseTemplate");
    cboTemplate_ = editableCombo("cboTemplate", output);
    watchFocus(cboTemplate_,
               [this] { programOptions().OutputTemplate = cboTemplate_->currentText(); });
    format->addWidget(optUseFonts_);
    auto* templateRow = new QHBoxLayout;
    templateRow->addWidget(optUseTemplate_);
    templateRow->addWidget(cboTemplate_, 1);
    format->addLayout(templateRow);
    wordOptions->addLayout(format, 1);
    grid->addLayout(wordOptions, 4, 0, 1, 4);
    connect(optUseFonts_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) useTemplateChanged(false);
    });
    connect(optUseTemplate_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) useTemplateChanged(true);
    });

    auto* owner = named(new QLabel(QStringLiteral("Report Owner"), output), "lblRptOwner");
    cmbGeneralRptOwners_ = editableCombo("cmbGeneralRptOwners", output);
    owner->setBuddy(cmbGeneralRptOwners_);
    watchFocus(cmbGeneralRptOwners_,
               [this] { programOptions().ReportOwner = cmbGeneralRptOwners_->currentText(); });
    grid->addWidget(owner, 7, 1);
    grid->addWidget(cmbGeneralRptOwners_, 7, 2, 1, 2);
    layout->addWidget(output);

    auto* detail = named(new QGroupBox(QStringLiteral("Output Detail Settings"), tab), "Frame1");
    auto* columns = compact(new QHBoxLayout(detail));
    auto* left = compact(new QVBoxLayout);
    left->addWidget(box("ChkRptSummary"));
    left->addLayout(indented(box("chkPrinter")));
    left->addLayout(indented(box("chkExport")));
    left->addWidget(box("chkFormulas"));
    left->addWidget(box("chkParameters"));
    auto* right = compact(new QVBoxLayout);
    right->addWidget(box("chkGroups"));
    right->addWidget(box("chkSort"));
    right->addWidget(box("chkShowTables"));
    right->addLayout(indented(box("chkIncludeFields")));
    right->addWidget(box("ChkSummary"));
    columns->addLayout(left);
    columns->addLayout(right);
    layout->addWidget(detail);
    layout->addStretch();

    // Boxes made before the frames that hold them would come last in the focus chain: Tab
    // follows the form as it reads, each output's box before its folder row.
    QList<QWidget*> order{box("chkParameterPrompt"), box("chkSQL")};
    const auto pathRow = [&](size_t i) {
        order << box(kPathRows[i].box) << pathEdits_[i] << pathButtons_[i];
    };
    pathRow(0);
    pathRow(1);
    order << box("chkTOC") << box("chkLayout") << box("chkHiddenSections") << optUseFonts_
          << optUseTemplate_ << cboTemplate_;
    pathRow(2);
    order << cmbGeneralRptOwners_;
    for (const char* name :
         {"ChkRptSummary", "chkPrinter", "chkExport", "chkFormulas", "chkParameters", "chkGroups",
          "chkSort", "chkShowTables", "chkIncludeFields", "ChkSummary"})
        order << box(name);
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
    return tab;
}

QWidget* MiningSettingsWindow::buildFontsTab() {
    auto* tab = new QWidget;
    auto* layout = compact(new QVBoxLayout(tab));
    auto* frame = named(new QGroupBox(QStringLiteral("Font Settings"), tab), "Frame2");
    auto* grid = compact(new QGridLayout(frame));
    for (size_t row = 0; row < kFontRows.size(); ++row) {
        const FontRow& fontRow = kFontRows[row];
        auto* caption = new QLabel(text(fontRow.caption), frame);
        QFont bold = caption->font();
        bold.setBold(true);
        caption->setFont(bold);
        grid->addWidget(caption, static_cast<int>(row) + 1, 0);
        for (int column = kFontName; column <= kFontColor; ++column) {
            const QString name = column == kFontColor
                                     ? text(fontRow.colorCombo)
                                     : QStringLiteral("cbo%1%2").arg(
                                           text(fontRow.word), text(kFontColumnWords[column]));
            auto* combo = editableCombo(name.toLatin1().constData(), frame);
            // Wide enough for the longest fixed entry ("Bold Italic"); a long font name
            // does not push the grid out of the window, only its drop-down list is as wide.
            combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            combo->setMinimumContentsLength(kFontColumnLengths[static_cast<size_t>(column)]);
            if (column == kFontName) widenListToEntries(combo);
            fontCombos_[row][column] = combo;
            grid->addWidget(combo, static_cast<int>(row) + 1, column + 1);
            if (column == kFontName) caption->setBuddy(combo);
            FontSetting ExtractOptions::*font = fontRow.font;
            watchFocus(combo, [combo, font, column] {
                FontSetting& setting = programOptions().*font;
                const QString value = combo->currentText();
                if (!isListed(column, value)) {
                    // A text typed that is not in the list changes nothing: the combo shows the
                    // setting again.
                    combo->setEditText(column == kFontSize    ? setting.FontSize
                                       : column == kFontColor ? setting.FontColor
                                                              : styleOf(setting));
                    return;
                }
                switch (column) {
                    case kFontName:
                        setting.FontName = value;
                        break;
                    case kFontSize:
                        setting.FontSize = value;
                        break;
                    case kFontColor:
                        setting.FontColor = value;
                        break;
                    default:
                        for (const auto& style : kFontStyles) {
                            if (value == text(style.name)) {
                                setting.Bold = style.bold;
                                setting.Italic = style.italic;
                            }
                        }
                        setting.FontStyle = value;
                }
            });
        }
    }
    for (int column = kFontName; column <= kFontColor; ++column) {
        auto* label = new QLabel(text(kFontColumnCaptions[static_cast<size_t>(column)]), frame);
        label->setBuddy(fontCombos_[0][column]);
        grid->addWidget(label, 0, column + 1);
    }
    layout->addWidget(frame);
    auto* note = named(
        new QLabel(
            QStringLiteral("This screen allows users to specify the fonts that should be used when "
                           "generating the Word document.  These font values will only be used if "
                           "the option \"Use Fonts as defined in Fonts tab\"  has been selected on "
                           "the General tab under \"Output Settings\"."),
            tab),
        "Label29");
    note->setWordWrap(true);
    layout->addWidget(note);
    layout->addStretch();
    return tab;
}

QCheckBox* MiningSettingsWindow::box(const char* name) const { return boxes_.value(text(name)); }

QComboBox* MiningSettingsWindow::fontCombo(int row, int column) const {
    return fontCombos_[row][column];
}

void MiningSettingsWindow::fillColorCombo(QComboBox& combo) {
    for (const char* color : kColors) combo.addItem(text(color));
}

void MiningSettingsWindow::fillStyleCombo(QComboBox& combo) {
    for (const auto& style : kFontStyles) combo.addItem(text(style.name));
}

void MiningSettingsWindow::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) loadForm();
    QDialog::showEvent(event);
}

void MiningSettingsWindow::loadForm() {
    // Each showing starts from a fresh window: boxes unticked, controls enabled.
    for (QCheckBox* box : std::as_const(boxes_)) {
        const QSignalBlocker blocker(box);
        box->setTristate(false);
        box->setChecked(false);
        box->setEnabled(true);
    }
    for (QWidget* widget : findChildren<QWidget*>()) widget->setEnabled(true);
    scroll_->verticalScrollBar()->setValue(0);

    ExtractOptions& settings = programOptions();
    for (const auto& flag : kFlagBoxes) {
        box(flag.name)->setChecked(settings.*flag.flag != flag.inverted);
        // Boxes left unticked raise no change; their dependents still follow them.
        for (const auto& rule : kDependentRules) {
            if (qstrcmp(rule.master, flag.name) != 0) continue;
            for (const char* dependent : rule.dependents)
                if (dependent) box(dependent)->setEnabled(box(flag.name)->isChecked());
        }
    }
    QCheckBox* prompt = box("chkParameterPrompt");
    const qint16 promptValue = qint16(settings.PromptForParameters);
    if (promptValue >= 0 && promptValue <= 2) {
        const bool indeterminate = settings.PromptForParameters == ParameterPrompt::Indeterminate;
        prompt->setTristate(indeterminate);
        prompt->setCheckState(indeterminate ? Qt::PartiallyChecked
                              : settings.PromptForParameters == ParameterPrompt::On
                                  ? Qt::Checked
                                  : Qt::Unchecked);
    }

    fillLists();
    fillTemplateCombo();
    fillReportOwnerCombo();
    showSettings();
    tabs_->setCurrentIndex(0);
    for (const char* name : {"chkWriteToDB", "chkCreateTvdDoc", "chkCreateWordDoc"})
        checkBoxChanged(box(name));
}

void MiningSettingsWindow::fillLists() {
    const std::optional<QStringList> fonts = guiSeams().printerFonts();
    if (!fonts) {
        guiSeams().message(this, text(kPrinterMissingText), applicationTitle(),
                           QMessageBox::Information);
        return;
    }
    for (size_t row = 0; row < kFontRows.size(); ++row) {
        for (int column = kFontName; column <= kFontColor; ++column)
            fontCombo(row, column)->clear();
        QComboBox& name = *fontCombo(row, kFontName);
        name.addItems(*fonts);
        sortEntries(name);
        fillColorCombo(*fontCombo(row, kFontColor));
        fillStyleCombo(*fontCombo(row, kFontStyle));
        for (int size = kSmallestSize; size <= kLargestSize; ++size)
            fontCombo(row, kFontSize)->addItem(QString::number(size));
    }
}

void MiningSettingsWindow::fillTemplateCombo() {
    cboTemplate_->clear();
    // A store that cannot be read leaves the list empty; the combo still shows the setting.
    std::vector<DocumentTemplate> profiles;
    if (!TemplateStore(programSettings().store().programFolder())
             .LoadAllTemplates(profiles, nullptr))
        return;
    for (const DocumentTemplate& profile : profiles) cboTemplate_->addItem(profile.templateName);
    sortEntries(*cboTemplate_);
}

void MiningSettingsWindow::fillReportOwnerCombo() {
    cmbGeneralRptOwners_->clear();
    // A database that cannot be read offers the owners it gave.
    ReportOwners owners;
    ReportOwnerStore::LoadReportOwners(withTrailingSeparator(programOptions().DBPath) +
                                           QString::fromLatin1(DatabaseCreator::kDatabaseFileName),
                                       &owners);
    if (!owners.isEmpty()) cmbGeneralRptOwners_->addItem(QString());
    for (const ReportOwner& owner : owners) cmbGeneralRptOwners_->addItem(owner.Name);
}

void MiningSettingsWindow::selectReportOwner() {
    const QString& owner = programOptions().ReportOwner;
    cmbGeneralRptOwners_->setCurrentIndex(-1);
    cmbGeneralRptOwners_->setEditText(QString());
    // Of equal entries the last one stays selected.
    if (!owner.isEmpty())
        for (int i = 0; i < cmbGeneralRptOwners_->count(); ++i)
            if (cmbGeneralRptOwners_->itemText(i) == owner)
                cmbGeneralRptOwners_->setCurrentIndex(i);
}

void MiningSettingsWindow::showSettings() {
    const ExtractOptions& settings = programOptions();
    for (size_t row = 0; row < kFontRows.size(); ++row) {
        const FontSetting& font = settings.*kFontRows[row].font;
        fontCombo(row, kFontName)->setEditText(font.FontName);
        fontCombo(row, kFontSize)->setEditText(font.FontSize);
        fontCombo(row, kFontColor)->setEditText(font.FontColor);
        fontCombo(row, kFontStyle)->setEditText(styleOf(font));
    }
    for (size_t i = 0; i < kPathRows.size(); ++i)
        pathEdits_[i]->setText(settings.*kPathRows[i].folder);
    const bool useTemplate = settings.UseTemplate;
    (useTemplate ? optUseTemplate_ : optUseFonts_)->setChecked(true);
    useTemplateChanged(useTemplate);
    cboTemplate_->setCurrentIndex(-1);
    cboTemplate_->setEditText(settings.OutputTemplate);
    selectReportOwner();
}

void MiningSettingsWindow::checkBoxChanged(QCheckBox* changed) {
    const QString name = changed->objectName();
    for (const auto& flag : kFlagBoxes) {
        if (name != text(flag.name)) continue;
        const bool ticked = changed->isChecked();
        programOptions().*flag.flag = ticked != flag.inverted;
    }
    for (size_t i = 0; i < kPathRows.size(); ++i) {
        if (name != text(kPathRows[i].box)) continue;
        pathEdits_[i]->setEnabled(changed->isChecked());
        pathButtons_[i]->setEnabled(changed->isChecked());
    }
    if (name == QLatin1StringView("chkCreateWordDoc")) applyWordRule();
    if (name == QLatin1StringView("chkWriteToDB"))
        cmbGeneralRptOwners_->setEnabled(changed->isChecked());
    for (const auto& rule : kDependentRules) {
        if (name != text(rule.master)) continue;
        for (const char* dependent : rule.dependents) {
            if (!dependent) continue;
            if (!changed->isChecked()) box(dependent)->setChecked(false);
            box(dependent)->setEnabled(changed->isChecked());
        }
    }
}

void MiningSettingsWindow::applyWordRule() {
    const bool word = box("chkCreateWordDoc")->isChecked();
    for (QWidget* widget : std::initializer_list<QWidget*>{box("chkLayout"), box("chkTOC"),
                                                           optUseFonts_, optUseTemplate_})
        widget->setEnabled(word);
    if (!word || box("chkLayout")->isChecked()) box("chkHiddenSections")->setEnabled(word);
    // The template list is open only while Word output uses a template.
    cboTemplate_->setEnabled(word && optUseTemplate_->isChecked());
}

void MiningSettingsWindow::useTemplateChanged(bool useTemplate) {
    programOptions().UseTemplate = useTemplate ? 1 : 0;
    cboTemplate_->setEnabled(useTemplate && optUseTemplate_->isEnabled());
}

void MiningSettingsWindow::browse(int row) {
    QLineEdit* edit = pathEdits_[row];
    const QString chosen =
        BrowseForFolder(this, text(kPathRows[static_cast<size_t>(row)].title), edit->text());
    if (chosen.isEmpty()) return;
    edit->setText(withTrailingSeparator(chosen));
    programOptions().*kPathRows[static_cast<size_t>(row)].folder = edit->text();
}

void MiningSettingsWindow::watchFocus(QWidget* widget, std::function<void()> commit) {
    widget->installEventFilter(this);
    // An editable combo may hand the focus to its edit field.
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit()) {
        combo->lineEdit()->installEventFilter(this);
        commits_.insert(combo->lineEdit(), commit);
    }
    commits_.insert(widget, std::move(commit));
}

bool MiningSettingsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        const auto commit = commits_.constFind(watched);
        if (commit != commits_.constEnd()) (*commit)();
    }
    return QDialog::eventFilter(watched, event);
}

void MiningSettingsWindow::commitFocused() {
    for (QWidget* focused = QApplication::focusWidget(); focused;
         focused = focused->parentWidget()) {
        const auto commit = commits_.constFind(focused);
        if (commit != commits_.constEnd()) {
            (*commit)();
            return;
        }
    }
}

void MiningSettingsWindow::saveAndClose() {
    commitFocused();
    if (QString error; !programSettings().save(&error)) {
        guiSeams().message(this, error, applicationTitle(), QMessageBox::Information);
        return;
    }
    accept();
}

void MiningSettingsWindow::closeKeepingEdits() {
    commitFocused();
    reject();
}

void MiningSettingsWindow::reloadStoredSettings() {
    WindowReporter reporter(this);
    programSettings().load(reporter);
    loadForm();
}

}  // namespace tav::gui
