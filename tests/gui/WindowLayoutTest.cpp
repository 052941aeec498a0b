#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QUrl>

#include "AboutDialog.h"
#include "DocxDocument.h"
#include "ExtractDriver.h"
#include "ExtractOptions.h"
#include "GuiSeams.h"
#include "GuiTestSupport.h"
#include "HelpWindow.h"
#include "MiningSettingsWindow.h"
#include "ProgramSettings.h"
#include "ReportOwnersWindow.h"
#include "ResultGridWindow.h"
#include "SettingsStore.h"
#include "StatusWindow.h"
#include "TemplatesWindow.h"
#include "UtilitiesWindow.h"

using namespace tav::core;
using namespace tav::doctext;
using namespace tav::utilities;
using namespace tav::extract;
using namespace tav::gui;

namespace {

// Widgets of `parent` that are shown and hold text, and whose places overlap.
QStringList overlappingTexts(const QWidget& parent) {
    QList<const QWidget*> shown;
    for (const QWidget* w : parent.findChildren<QWidget*>())
        if (w->isVisible() && (qobject_cast<const QLabel*>(w) || qobject_cast<const QLineEdit*>(w)))
            shown << w;
    QStringList overlaps;
    for (qsizetype i = 0; i < shown.size(); ++i)
        for (qsizetype j = i + 1; j < shown.size(); ++j) {
            const QRect a(shown[i]->mapTo(&parent, QPoint()), shown[i]->size());
            const QRect b(shown[j]->mapTo(&parent, QPoint()), shown[j]->size());
            if (a.intersects(b))
                overlaps << shown[i]->objectName() + QStringLiteral(" over ") +
                                shown[j]->objectName();
        }
    return overlaps;
}

// Wrapped labels cut short: shown lower than their text needs at their width.
QStringList clippedLabels(const QWidget& parent) {
    QStringList clipped;
    for (const QLabel* label : parent.findChildren<QLabel*>()) {
        if (!label->isVisible()) continue;
        const int needed =
            label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
        if (label->height() < needed ||
            (!label->wordWrap() && label->width() < label->minimumSizeHint().width()))
            clipped << label->objectName() + u':' + label->text();
    }
    return clipped;
}

class WindowLayout : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        programOptions().DBPath = dir.path() + u'/';
        programOptions().TVDPath = dir.path() + u'/';
        programOptions().CreateTVDFile = 1;
        programOptions().CreateWordDocument = 0;
        programOptions().UpdateDB = 0;
        guiSeams().message = [this](QWidget*, const QString& text, const QString&,
                                    QMessageBox::Icon) { messages << text; };
    }

    const KeptGuiSeams seams_;
    const ProgramSettings::Scope settings_;
    QTemporaryDir dir;
    QStringList messages;
};

TEST_F(WindowLayout, TheSettingsFormFitsItsOwnSizeOnBothTabs) {
    guiSeams().printerFonts = [] {
        return std::optional<QStringList>({"DejaVu Sans Condensed Bold Oblique", "Arial"});
    };
    programSettings().setStore(
        std::make_unique<SettingsStore>(dir.filePath(QStringLiteral("Tavrin.conf")), dir.path()));
    programOptions().DocPath = QStringLiteral("/home/someone/Tavrin app/Output/");
    programOptions().ReportOwner = QStringLiteral("Unassigned Owner");
    programOptions().HeadingFont.Bold = -1;
    programOptions().HeadingFont.Italic = -1;
    MiningSettingsWindow form;
    form.show();
    auto* scroll = form.findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    auto* tabs = form.findChild<QTabWidget*>(QStringLiteral("SSTab1"));
    for (int tab = 0; tab < tabs->count(); ++tab) {
        SCOPED_TRACE(tab);
        tabs->setCurrentIndex(tab);
        QApplication::processEvents();
        EXPECT_EQ(form.size(), QSize(611, 658));
        EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());
        EXPECT_LE(scroll->widget()->minimumSizeHint().width(), scroll->viewport()->width());
        EXPECT_TRUE(overlappingTexts(*tabs->currentWidget()).isEmpty())
            << overlappingTexts(*tabs->currentWidget()).join(u'\n').toStdString();
        EXPECT_TRUE(clippedLabels(*tabs->currentWidget()).isEmpty())
            << clippedLabels(*tabs->currentWidget()).join(u'\n').toStdString();
    }
    // Each combo and path box shows its whole text.
    const QString folder = programOptions().DocPath;
    const std::pair<const char*, QString> boxes[] = {
        {"txtTVDOutputPath", folder},
        {"txtWordDocOutputPath", folder},
        {"txtDBOutputPath", folder},
        {"cmbGeneralRptOwners", QStringLiteral("Unassigned Owner")},
        {"cboHeadingStyle", QStringLiteral("Bold Italic")},
        {"cboSectionColor", QStringLiteral("Yellow")},
        {"cboTemplate", QStringLiteral("Classic Blue")},
    };
    for (const auto& [name, text] : boxes) {
        auto* box = form.findChild<QWidget*>(QLatin1String(name));
        ASSERT_NE(box, nullptr) << name;
        auto* edit = qobject_cast<QLineEdit*>(box);
        if (!edit) edit = qobject_cast<QComboBox*>(box)->lineEdit();
        EXPECT_GE(edit->width(), edit->fontMetrics().horizontalAdvance(text)) << name;
    }
    // Every row caption of the fonts grid names its row's first combo, so its '&' marks a key.
    auto* frame = form.findChild<QWidget*>(QStringLiteral("Frame2"));
    int captions = 0;
    for (const QLabel* label : frame->findChildren<QLabel*>()) {
        if (!label->font().bold()) continue;
        ++captions;
        ASSERT_NE(label->buddy(), nullptr) << label->text().toStdString();
        EXPECT_TRUE(label->buddy()->objectName().endsWith(QLatin1String("Font")))
            << label->text().toStdString();
    }
    EXPECT_EQ(captions, 5);
}

// Made shorter, the settings form scrolls up and down only; made narrower, it keeps its panel
// whole beside the scroll bar. A font's drop-down list shows whole names, however long.
TEST_F(WindowLayout, TheSettingsFormScrollsDownwardsOnlyAndItsFontListsShowWholeNames) {
    const QString longest = QStringLiteral("DejaVu Sans Condensed Bold Oblique Extra Long");
    guiSeams().printerFonts = [longest] { return std::optional<QStringList>({longest, "Arial"}); };
    MiningSettingsWindow form;
    form.show();
    auto* scroll = form.findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    const QSize sizes[] = {{611, 400}, {611, 250}, {400, 400}, {300, 658}};
    for (const QSize& size : sizes) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()).toStdString());
        form.resize(size);
        QApplication::processEvents();
        if (size.height() < 658) {
            EXPECT_TRUE(scroll->verticalScrollBar()->isVisible());
        }
        EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());
        EXPECT_LE(scroll->widget()->minimumSizeHint().width(), scroll->viewport()->width());
    }

    auto* tabs = form.findChild<QTabWidget*>(QStringLiteral("SSTab1"));
    tabs->setCurrentIndex(1);
    form.resize(611, 658);
    QApplication::processEvents();
    auto* font = control<QComboBox>(form, "cboHeadingFont");
    ASSERT_LT(font->width(), font->fontMetrics().horizontalAdvance(longest));
    font->showPopup();
    QApplication::processEvents();
    QAbstractItemView* list = font->view();
    EXPECT_TRUE(list->isVisible());
    const int row = font->findText(longest);
    ASSERT_GE(row, 0);
    EXPECT_GE(list->visualRect(list->model()->index(row, 0)).width(),
              list->fontMetrics().horizontalAdvance(longest));
    EXPECT_LE(list->visualRect(list->model()->index(row, 0)).right(), list->viewport()->width());
    font->hidePopup();
}

TEST_F(WindowLayout, TheOwnerEditorOpensWithoutCoveringTheTexts) {
    programOptions().UpdateDB = 1;
    ReportOwnersWindow window;
    window.show();
    QApplication::processEvents();
    window.findChild<QPushButton*>(QStringLiteral("cmdAddRptOwner"))->click();
    QApplication::processEvents();
    EXPECT_TRUE(window.findChild<QLineEdit*>(QStringLiteral("rptOwnerText"))->isVisible());
    EXPECT_TRUE(overlappingTexts(window).isEmpty())
        << overlappingTexts(window).join(u'\n').toStdString();
    EXPECT_TRUE(clippedLabels(window).isEmpty()) << clippedLabels(window).join(u'\n').toStdString();
}

// Each step of the Templates window shows more or fewer rows, and its texts wrap to more lines
// as it narrows: in every step, at its opening width and at its narrowest, no text is cut short.
TEST_F(WindowLayout, TheTemplatesWindowShowsItsTextsWholeInEveryStep) {
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Templates")));
    QFile config(dir.filePath(QStringLiteral("Templates/template_config.xml")));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write("<tavrin_templates/>");
    config.close();
    const QString source = dir.filePath(QStringLiteral("Corp.dotx"));
    ASSERT_TRUE(tvdocx::Document().save(source));
    TemplatesWindow window(dir.path());
    window.show();
    auto* profiles = control<QComboBox>(window, "cmbAvailableTemplates");
    const auto check = [&](const char* step) {
        for (int pass = 0; pass < 3; ++pass) QApplication::processEvents();
        EXPECT_TRUE(clippedLabels(window).isEmpty())
            << step << ": " << clippedLabels(window).join(u'\n').toStdString();
        EXPECT_TRUE(overlappingTexts(window).isEmpty())
            << step << ": " << overlappingTexts(window).join(u'\n').toStdString();
    };
    for (const bool narrowest : {false, true}) {
        if (narrowest) window.resize(window.minimumSizeHint().width(), window.height());
        check("opening");
        window.newTemplate();
        check("new");
        control<QLineEdit>(window, "txtTemplateName")
            ->setText(narrowest ? QStringLiteral("Plain") : QStringLiteral("Corporate"));
        control<QLineEdit>(window, "txtTemplatePath")->setText(source);
        window.nextStep();
        check("styles");
        control<QComboBox>(window, "cmbTableStyle")->setCurrentIndex(0);
        window.saveTemplate();
        check("saved");
        profiles->setCurrentIndex(0);
        window.copyTemplate();
        check("copy");
        window.cancelTemplateEdit();
        check("cancelled");
        window.modifyTemplate();
        check("modify");
        window.cancelTemplateEdit();
    }
}

TEST_F(WindowLayout, ResultWindowsOpenShowingTheirRowsAndWearTheProgramIcon) {
    UtilitiesWindow window;
    window.resize(1280, 800);
    window.show();
    window.addReports(
        {QStringLiteral(TAV_SAMPLES "/list.rpt"), QStringLiteral(TAV_SAMPLES "/fields.rpt")});
    for (const char* button : {"cmdRM_0", "cmdRM_1", "cmdRM_2"})
        control<QPushButton>(window, button)->click();
    QApplication::processEvents();
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();

    // A grid shows all its columns, or its window takes the whole width there is.
    auto* area = control<QMdiArea>(window, "mdiArea");
    const QSize room = area->viewport()->size();
    for (int button : {UtilitiesWindow::CrossReference, UtilitiesWindow::SiteSurvey}) {
        ResultGridWindow& results = window.gridWindow(button);
        auto* grid = results.findChild<QTableWidget*>();
        SCOPED_TRACE(grid->objectName().toStdString());
        if (grid->horizontalHeader()->length() <= grid->viewport()->width())
            EXPECT_FALSE(grid->horizontalScrollBar()->isVisible());
        else
            EXPECT_EQ(results.parentWidget()->width(), room.width());
        EXPECT_FALSE(grid->verticalScrollBar()->isVisible());  // a few rows all show
    }
    auto* list = window.findChild<QListWidget*>(QStringLiteral("lstExtract"));
    EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
    EXPECT_EQ(list->count(), 2);
    for (QMdiSubWindow* sub : area->subWindowList()) {
        SCOPED_TRACE(sub->widget()->objectName().toStdString());
        EXPECT_GE(sub->width(), 480);
        EXPECT_GE(sub->height(), 260);
        EXPECT_TRUE(QRect(QPoint(), room).contains(sub->geometry()));
        EXPECT_EQ(sub->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
    }
    EXPECT_FALSE(QApplication::windowIcon().pixmap(64).isNull());
}

TEST_F(WindowLayout, HelpOpensTheManualBesideTheProgram) {
    programSettings().setStore(std::make_unique<SettingsStore>(
        dir.filePath(QStringLiteral("Tavrin.conf")), QStringLiteral(TAV_RESOURCES)));
    QList<QUrl> opened;
    guiSeams().openUrl = [&](const QUrl& url, const std::function<void()>&) { opened << url; };
    UtilitiesWindow window;
    window.findChild<QAction*>(QStringLiteral("miHelp"))->trigger();
    EXPECT_EQ(opened,
              QList<QUrl>{QUrl::fromLocalFile(QStringLiteral(TAV_RESOURCES "/help/index.html"))});
    EXPECT_EQ(openWindow("TVHelp"), nullptr);
}

// Where the desktop has no browser, the manual opens in the program's own help window, over the
// main window, and its links lead from page to page.
TEST_F(WindowLayout, HelpFallsBackToItsOwnWindowWhereTheDesktopCannotOpenTheManual) {
    QTemporaryDir program;
    ASSERT_TRUE(QDir().mkpath(program.filePath(QStringLiteral("help"))));
    for (const QString& page : QDir(QStringLiteral(TAV_RESOURCES "/help")).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(QStringLiteral(TAV_RESOURCES "/help/") + page,
                                program.filePath(QStringLiteral("help/") + page)));
    programSettings().setStore(std::make_unique<SettingsStore>(
        dir.filePath(QStringLiteral("Tavrin.conf")), program.path() + u'/'));
    guiSeams().openUrl = [](const QUrl&, const std::function<void()>& failed) { failed(); };
    UtilitiesWindow window;
    window.show();
    window.findChild<QAction*>(QStringLiteral("miHelp"))->trigger();

    // A second request brings the same window forward.
    window.findChild<QAction*>(QStringLiteral("miHelp"))->trigger();
    auto* found = openWindow<HelpWindow>("TVHelp");
    ASSERT_NE(found, nullptr);
    HelpWindow& help = *found;
    ASSERT_TRUE(help.isVisible());
    auto* browser = control<QTextBrowser>(help, "browser");
    EXPECT_EQ(browser->accessibleName(), QStringLiteral("Help page"));
    EXPECT_EQ(browser->source(),
              QUrl::fromLocalFile(program.filePath(QStringLiteral("help/index.html"))));
    EXPECT_FALSE(browser->toPlainText().isEmpty());
    EXPECT_TRUE(window.frameGeometry().intersects(help.frameGeometry()));
    int helpWindows = 0;
    for (const QWidget* top : QApplication::topLevelWidgets())
        helpWindows += top->objectName() == QLatin1String("TVHelp");
    EXPECT_EQ(helpWindows, 1);

    // A click on the first link to another page opens that page.
    QTextCursor link(browser->document());
    QString target;
    for (QTextBlock block = browser->document()->begin(); block.isValid() && target.isEmpty();
         block = block.next())
        for (auto piece = block.begin(); !piece.atEnd(); ++piece)
            if (piece.fragment().charFormat().isAnchor() &&
                piece.fragment().charFormat().anchorHref().endsWith(QLatin1String(".html")) &&
                piece.fragment().charFormat().anchorHref() != QLatin1String("index.html")) {
                target = piece.fragment().charFormat().anchorHref();
                link.setPosition(piece.fragment().position() + 1);
                break;
            }
    ASSERT_FALSE(target.isEmpty());
    browser->setTextCursor(link);
    browser->ensureCursorVisible();
    const QPoint at = browser->cursorRect(link).center();
    QWidget* viewport = browser->viewport();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent click(type, at, viewport->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(viewport, &click);
    }
    EXPECT_EQ(browser->source().fileName(), QUrl(target).fileName());
    auto* back = control<QPushButton>(help, "cmdBack");
    EXPECT_TRUE(back->isEnabled());
    back->click();
    EXPECT_EQ(browser->source().fileName(), QStringLiteral("index.html"));

    // The caption names the help once, then the page's topic where it has one.
    EXPECT_EQ(help.windowTitle(), QStringLiteral("Tavrin Help"));
    help.showPage(QUrl::fromLocalFile(program.filePath(QStringLiteral("help/utilities.html"))));
    EXPECT_EQ(help.windowTitle(), QStringLiteral("Tavrin Help - The utilities"));
    for (const QString& page : QDir(program.filePath(QStringLiteral("help")))
                                   .entryList({QStringLiteral("*.html")}, QDir::Files)) {
        help.showPage(QUrl::fromLocalFile(program.filePath(QStringLiteral("help/") + page)));
        EXPECT_EQ(help.windowTitle().count(QStringLiteral("Tavrin Help")), 1)
            << help.windowTitle().toStdString();
    }
}

// Every page and picture the manual links to ships with it, so no link leads nowhere.
TEST(Manual, EveryLinkResolvesToAShippedFile) {
    const QDir help(QStringLiteral(TAV_RESOURCES "/help"));
    ASSERT_TRUE(QFileInfo::exists(help.filePath(QStringLiteral("index.html"))));
    const QRegularExpression link(QStringLiteral(R"re((?:href|src)\s*=\s*"([^"]*)")re"));
    int links = 0;
    QStringList reached;
    QDirIterator pages(help.path(), {QStringLiteral("*.html")}, QDir::Files);
    while (pages.hasNext()) {
        const QString page = pages.next();
        QFile file(page);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        for (const auto& match : link.globalMatch(text)) {
            const QString target = match.captured(1).section(u'#', 0, 0);
            if (target.isEmpty() || target.contains(QLatin1String("://"))) continue;
            ++links;
            const QString path = QFileInfo(page).dir().filePath(target);
            EXPECT_TRUE(QFileInfo(path).isFile())
                << QFileInfo(page).fileName().toStdString() << " -> " << target.toStdString();
            reached << QFileInfo(path).fileName();
        }
    }
    EXPECT_GT(links, 0);
    // And every page can be reached from another.
    for (const QString& page : help.entryList({QStringLiteral("*.html")})) {
        if (page != QLatin1String("index.html")) {
            EXPECT_TRUE(reached.contains(page)) << page.toStdString();
        }
    }
}

}  // namespace
