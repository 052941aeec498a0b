#include "TavrinMain.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

#include "TVSettingsStore.h"
#include "UserMessages.h"
#include "tvCommandLineHandler.h"

int TavrinMain(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const QString commandText = commandTextOf(arguments);

    // The command line needs no display; the settings' defaults need the program's folder.
    QCoreApplication application(argc, argv);
    LoadGlobalSettings();
    if (!SaveGlobalSettings()) ShowMessage(QString::fromLatin1(kSaveSettingsFailedText));

    if (isCommandLineJob(commandText)) return HandleCommandLine(commandText);

    std::fputs(
        "tavdesk4: the windows come later; for now run a job from the command line:\n"
        "  tavdesk4 -E <report.rpt>    tavdesk4 -E <folder>/    tavdesk4 -B <list.RML>\n"
        "  tavdesk4 -D <report1.rpt>,<report2.rpt>\n",
        stderr);
    return 0;
}
