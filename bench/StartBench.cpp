#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <vector>

extern char** environ;

namespace {

// Runs `program` with `arguments` to its end; the wall time it took in milliseconds, or a
// negative number when it could not run or failed.
double runMilliseconds(const QByteArray& program, const QList<QByteArray>& arguments,
                       char* const* environment) {
    std::vector<char*> argv{const_cast<char*>(program.constData())};
    for (const QByteArray& a : arguments) argv.push_back(const_cast<char*>(a.constData()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environment);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return -1;
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

// An Extract over an empty folder from the command line against a bare offscreen Qt program,
// run in turns: the program's own start and end are to cost at most 1.5 times the bare one's
// (the "ratio", of the medians).
static void BM_StartEmptyExtractAgainstBareQt(benchmark::State& state) {
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("config"));
    const QString empty = dir.filePath(QStringLiteral("empty/"));
    QDir().mkpath(empty);
    {
        // The user's own settings stay out of it, and so does the program's folder.
        QSettings settings(config + QStringLiteral("/Ombrel Group/Tavrin.conf"),
                           QSettings::IniFormat);
        settings.setValue(QStringLiteral("Extract/DocPath"), dir.filePath(QStringLiteral("out/")));
    }
    QList<QByteArray> environment;
    for (char** e = environ; *e; ++e) {
        const QByteArray variable(*e);
        if (!variable.startsWith("XDG_CONFIG_HOME=") && !variable.startsWith("QT_QPA_PLATFORM="))
            environment << variable;
    }
    environment << "XDG_CONFIG_HOME=" + QFile::encodeName(config)
                << QByteArray("QT_QPA_PLATFORM=offscreen");
    std::vector<char*> envp;
    for (const QByteArray& e : environment) envp.push_back(const_cast<char*>(e.constData()));
    envp.push_back(nullptr);

    const QByteArray program = TAVDESK4;
    const QList<QByteArray> extract{"-E", QFile::encodeName(empty)};
    runMilliseconds(program, extract, envp.data());  // the first run writes the settings
    std::vector<double> bare, tav;
    for (auto _ : state) {
        const double b = runMilliseconds(BARE_QT_PROGRAM, {}, envp.data());
        const double t = runMilliseconds(program, extract, envp.data());
        if (b < 0 || t < 0) {
            state.SkipWithError("a program did not run to a good end");
            return;
        }
        bare.push_back(b);
        tav.push_back(t);
    }
    state.counters["bare ms"] = median(bare);
    state.counters["empty -E ms"] = median(tav);
    state.counters["ratio"] = median(tav) / median(bare);
}
BENCHMARK(BM_StartEmptyExtractAgainstBareQt)->Iterations(40)->Unit(benchmark::kMillisecond);
