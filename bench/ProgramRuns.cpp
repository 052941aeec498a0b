#include "ProgramRuns.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <QFile>
#include <QSettings>
#include <chrono>

extern char** environ;

ProgramRuns::ProgramRuns(const QString& configFolder) {
    for (char** e = environ; *e; ++e) {
        const QByteArray variable(*e);
        if (!variable.startsWith("XDG_CONFIG_HOME=") && !variable.startsWith("QT_QPA_PLATFORM="))
            environment_ << variable;
    }
    environment_ << "XDG_CONFIG_HOME=" + QFile::encodeName(configFolder)
                 << QByteArray("QT_QPA_PLATFORM=offscreen");
}

QString ProgramRuns::settingsFile() const {
    const QByteArray home = environment_.value(environment_.size() - 2).mid(16);
    return QFile::decodeName(home) + QStringLiteral("/Ombrel Group/Tavrin.conf");
}

void ProgramRuns::sendOutputsTo(const QString& folder) const {
    QSettings settings(settingsFile(), QSettings::IniFormat);
    for (const char* key : {"DocPath", "TVDPath", "DBPath"})
        settings.setValue(QStringLiteral("Extract/") + QLatin1String(key), folder);
}

ProgramRuns::Cost ProgramRuns::run(const QByteArray& program,
                                   const QList<QByteArray>& arguments) const {
    std::vector<char*> argv{const_cast<char*>(program.constData())};
    for (const QByteArray& a : arguments) argv.push_back(const_cast<char*>(a.constData()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const QByteArray& e : environment_) envp.push_back(const_cast<char*>(e.constData()));
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    if (spawned != 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return {};
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return {
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count(),
        ms(usage.ru_utime) + ms(usage.ru_stime), usage.ru_maxrss / 1024.0};
}
