// Process start to the first painted main window of the real program, as installed, against the
// floor of a minimal Qt program that shows one caption-less window of the same size. Both are
// started alternately in the same run and stopped by the same first-paint probe, so the ratio
// holds on any machine. Under X when a display is given (run-all starts Xvfb), else offscreen.
#include "AppVersion.h"
#include "platform/SettingsStore.h"
#include "settings/Settings.h"

#include <QDir>
#include <QString>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Launch {
    double milliseconds = 0;
    double peakMegabytes = 0;
    bool ok = false;
};

// Starts the program with the probe loaded, waits for its "painted" line and for its end.
Launch launch(const std::vector<std::string>& arguments, const std::vector<std::string>& extraEnvironment) {
    std::vector<std::string> environment = extraEnvironment;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text(*entry);
        const bool replaced =
            std::any_of(extraEnvironment.begin(), extraEnvironment.end(), [&](const std::string& e) {
                return text.compare(0, e.find('=') + 1, e, 0, e.find('=') + 1) == 0;
            });
        if (!replaced)
            environment.push_back(text);
    }
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::vector<std::string> argumentCopies = arguments;
    std::vector<char*> argv;
    for (std::string& argument : argumentCopies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);

    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        return {};
    }
    std::string output;
    char buffer[64];
    while (output.find("painted") == std::string::npos) {
        const ssize_t count = read(pipeEnds[0], buffer, sizeof buffer);
        if (count <= 0)
            break;
        output.append(buffer, static_cast<std::size_t>(count));
    }
    const auto painted = std::chrono::steady_clock::now();
    close(pipeEnds[0]);

    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    Launch result;
    result.ok = output.find("painted") != std::string::npos;
    result.milliseconds = std::chrono::duration<double, std::milli>(painted - start).count();
    result.peakMegabytes = usage.ru_maxrss / 1024.0;
    return result;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : (n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2);
}

// A settings folder where this version has run before, so the start screen (not the about box)
// is what the program shows first, as on every start but the first.
bool prepareSettings(const std::string& configHome) {
    const QString file =
        QString::fromStdString(configHome) + QStringLiteral("/Halvergate Software/Brindlecove.ini");
    QDir().mkpath(QString::fromStdString(configHome) + QStringLiteral("/Halvergate Software"));
    QtSettingsStore settings(file);
    settings.writeText(kSettingsKeyPath, "ApplicationVersion", versionText(kReleaseNote));
    settings.writeText(kSettingsKeyPath, "RunsForThisVersion", "1");
    settings.sync();
    return QFile::exists(file);
}

void StartupToFirstPaint(benchmark::State& state) {
    const bool underX = std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM");
    if (!underX)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    char folder[] = "/tmp/brindlecove-bench-XXXXXX";
    if (!mkdtemp(folder) || !prepareSettings(folder)) {
        state.SkipWithError("no settings folder");
        return;
    }
    const char* preloaded = std::getenv("LD_PRELOAD");
    const std::vector<std::string> environment = {std::string("LD_PRELOAD=") + BRINDLECOVE_FIRST_PAINT_PROBE +
                                                      (preloaded ? std::string(":") + preloaded : ""),
                                                  std::string("XDG_CONFIG_HOME=") + folder};

    std::vector<double> appTimes, floorTimes, textFloorTimes, appPeaks, floorPeaks;
    for (auto _ : state) {
        const Launch floor = launch({BRINDLECOVE_FLOOR_PROBE}, environment);
        const Launch textFloor = launch({BRINDLECOVE_FLOOR_PROBE, "--text"}, environment);
        const Launch app = launch({BRINDLECOVE_PROGRAM}, environment);
        if (!floor.ok || !textFloor.ok || !app.ok) {
            state.SkipWithError("a program did not report its first paint");
            break;
        }
        state.SetIterationTime(app.milliseconds / 1000.0);
        appTimes.push_back(app.milliseconds);
        floorTimes.push_back(floor.milliseconds);
        textFloorTimes.push_back(textFloor.milliseconds);
        appPeaks.push_back(app.peakMegabytes);
        floorPeaks.push_back(floor.peakMegabytes);
    }
    QDir(QString::fromLatin1(folder)).removeRecursively();
    // Medians of the launches; the table of bench/run-all reads them by these names.
    state.counters["ms.ours"] = median(appTimes);
    state.counters["ms.anchor"] = median(floorTimes);
    state.counters["ms.goal"] = 1.2;
    state.counters["text_floor_ms"] = median(textFloorTimes);
    state.counters["MB.ours"] = median(appPeaks);
    state.counters["MB.anchor"] = median(floorPeaks);
    state.counters["MB.goal_extra"] = 8;
    state.counters["under_x"] = underX ? 1 : 0;
}

} // namespace

BENCHMARK(StartupToFirstPaint)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
