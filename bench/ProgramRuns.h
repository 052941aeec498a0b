#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <algorithm>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

// Runs of a program as a process, as a user meets it: with settings of their own (not the
// user's) on Qt's offscreen platform, its output thrown away.
class ProgramRuns {
public:
    // What one run cost, in milliseconds; negative when it could not run or failed.
    struct Cost {
        double wall = -1;
        double cpu = -1;     // user and system time of the process
        double peakMb = -1;  // the most memory the process held at once (its resident set)
        bool ok() const { return wall >= 0; }
    };

    // The settings live under `configFolder` (an XDG_CONFIG_HOME).
    explicit ProgramRuns(const QString& configFolder);

    // The settings file of the program under the configuration folder.
    QString settingsFile() const;
    // Sets every output folder of the settings (documents, .tvd files, database) to `folder`.
    void sendOutputsTo(const QString& folder) const;
    // Runs `program` with `arguments` to its end.
    Cost run(const QByteArray& program, const QList<QByteArray>& arguments) const;

private:
    QList<QByteArray> environment_;
};

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Whether every one of `costs` came to a good end; the benchmark says so when one did not.
template <class State>
bool ranWell(State& state, std::initializer_list<ProgramRuns::Cost> costs) {
    for (const ProgramRuns::Cost& cost : costs) {
        if (!cost.ok()) {
            state.SkipWithError("a program did not run to a good end");
            return false;
        }
    }
    return true;
}

// The wall times of two runs made in turns, one of each an iteration of `state` (a benchmark's);
// none when a run did not come to a good end, and the benchmark then says so.
template <class State>
std::pair<std::vector<double>, std::vector<double>> wallTimesInTurns(
    State& state, const std::function<ProgramRuns::Cost()>& first,
    const std::function<ProgramRuns::Cost()>& second) {
    std::vector<double> firsts, seconds;
    for (auto _ : state) {
        const double a = first().wall;
        const double b = second().wall;
        if (a < 0 || b < 0) {
            state.SkipWithError("a program did not run to a good end");
            return {};
        }
        firsts.push_back(a);
        seconds.push_back(b);
    }
    return {firsts, seconds};
}
