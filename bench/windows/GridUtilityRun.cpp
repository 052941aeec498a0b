// Cross Reference or Site Survey as a user runs it: the utilities window, offscreen, over the
// reports of one folder, the rows showing in the result window as each report is done.
// Usage: grid_utility_run xref|survey FOLDER. Ends with 1 when the run told the user anything (a
// report that could not be read, say) or showed no rows.
#include <QApplication>
#include <QPushButton>
#include <QTableWidget>
#include <cstdio>

#include "GuiSeams.h"
#include "ProgramSettings.h"
#include "RunReporter.h"
#include "UtilitiesWindow.h"

using namespace tav;

namespace {

class ToStandardError final : public core::RunReporter {
public:
    void status(const QString&) override {}
    int told = 0;

protected:
    void showMessage(const QString& text, const QString&) override {
        ++told;
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const bool survey = arguments.value(1) == QLatin1String("survey");
    if (arguments.size() != 3 || (!survey && arguments.value(1) != QLatin1String("xref"))) {
        std::fprintf(stderr, "usage: grid_utility_run xref|survey FOLDER\n");
        return 2;
    }
    ToStandardError reporter;
    gui::programSettings().load(reporter);
    gui::guiSeams().message = [&reporter](QWidget*, const QString& text, const QString&,
                                          QMessageBox::Icon) { reporter.message(text); };
    gui::guiSeams().askOkCancel = [](QWidget*, const QString&) { return true; };

    gui::UtilitiesWindow window;
    window.show();
    QString folder = arguments.at(2);
    if (!folder.endsWith(u'/')) folder += u'/';
    window.addReports({folder});
    auto* start = window.findChild<QPushButton*>(survey ? QStringLiteral("cmdRM_1")
                                                        : QStringLiteral("cmdRM_0"));
    if (!start) return 1;
    start->click();
    const auto* grid = window.findChild<QTableWidget*>(survey ? QStringLiteral("grdSurvey")
                                                              : QStringLiteral("grdXRef"));
    return reporter.told == 0 && grid && grid->rowCount() > 0 ? 0 : 1;
}
