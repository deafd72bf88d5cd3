// Process start to the first painted main window of the real program, as installed, with no album,
// the sample album and the largest album on its command line, against a minimal Qt program that
// shows one caption-less window of the same size with one line of text (which loads a font, as the
// program does). All are started in turn in the same run and stopped by the same first-paint probe
// once their first frame has reached the X server, so the ratios hold on any machine. Under X when a
// display is given (run-all starts Xvfb), else offscreen. The peak memory of each start is set
// against the same window's; the blank window's time is shown beside them.
#include "../document/MaximalAlbum.h"
#include "AppVersion.h"
#include "Pairing.h"
#include "platform/SettingsStore.h"
#include "settings/Settings.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
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

// Copies the sample album's folder, so nothing the program may write lands among the samples.
bool copySamples(const QString& to) {
    QDir().mkpath(to);
    const QDir samples(QStringLiteral(BRINDLECOVE_SAMPLES));
    for (const QString& name : samples.entryList(QDir::Files))
        if (!QFile::copy(samples.filePath(name), to + QLatin1Char('/') + name))
            return false;
    return QFile::exists(to + QStringLiteral("/Storybook_Hawthorne_Family.xml"));
}

// The largest album beside a snapshot for every page: the sample's pictures, each page's name a
// link to one of them, so the folder costs no more disk than the samples.
bool writeMaximalAlbum(const QString& samplesCopy, const QString& to) {
    QDir().mkpath(to);
    std::ofstream(QString(to + QStringLiteral("/Storybook.xml")).toStdString(), std::ios::binary)
        << maximalAlbumBytes();
    for (int page = 1; page <= 1025; ++page) {
        char name[40], source[40];
        std::snprintf(name, sizeof name, "snapshot_4c1e9b07_%08d.jpg", page);
        std::snprintf(source, sizeof source, "snapshot_4c1e9b07_%08d.jpg", (page - 1) % 13 + 1);
        if (link(QString(samplesCopy + QLatin1Char('/') + QLatin1String(source)).toStdString().c_str(),
                 QString(to + QLatin1Char('/') + QLatin1String(name)).toStdString().c_str()) != 0)
            return false;
    }
    return true;
}

// The folder the starts run in: a settings folder, a copy of the samples and the largest album.
bool prepareFolder(const std::string& folder) {
    const QString scratch = QString::fromStdString(folder);
    return prepareSettings(folder) && copySamples(scratch + QStringLiteral("/samples")) &&
           writeMaximalAlbum(scratch + QStringLiteral("/samples"), scratch + QStringLiteral("/maximal"));
}

void StartupToFirstPaint(benchmark::State& state) {
    const bool underX = std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM");
    if (!underX)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    char folder[] = "/tmp/brindlecove-bench-XXXXXX";
    if (!mkdtemp(folder)) {
        state.SkipWithError("no scratch folder");
        return;
    }
    const QString scratch = QString::fromLatin1(folder);
    const std::string sampleAlbum = folder + std::string("/samples/Storybook_Hawthorne_Family.xml");
    const std::string maximalAlbum = folder + std::string("/maximal/Storybook.xml");
    if (!prepareFolder(folder)) {
        QDir(scratch).removeRecursively();
        state.SkipWithError("the settings or the albums could not be written");
        return;
    }
    const char* preloaded = std::getenv("LD_PRELOAD");
    const std::vector<std::string> environment = {std::string("LD_PRELOAD=") + BRINDLECOVE_FIRST_PAINT_PROBE +
                                                      (preloaded ? std::string(":") + preloaded : ""),
                                                  std::string("XDG_CONFIG_HOME=") + folder};

    std::vector<double> floorTimes, textFloorTimes, bareTimes, sampleTimes, maximalTimes, textFloorPeaks,
        barePeaks, samplePeaks, maximalPeaks;
    for (auto _ : state) {
        const Launch floor = launch({BRINDLECOVE_FLOOR_PROBE}, environment);
        const Launch textFloor = launch({BRINDLECOVE_FLOOR_PROBE, "--text"}, environment);
        const Launch bare = launch({BRINDLECOVE_PROGRAM}, environment);
        const Launch sample = launch({BRINDLECOVE_PROGRAM, sampleAlbum}, environment);
        const Launch maximal = launch({BRINDLECOVE_PROGRAM, maximalAlbum}, environment);
        if (!floor.ok || !textFloor.ok || !bare.ok || !sample.ok || !maximal.ok) {
            state.SkipWithError("a program did not report its first paint");
            break;
        }
        state.SetIterationTime(bare.milliseconds / 1000.0);
        floorTimes.push_back(floor.milliseconds);
        textFloorTimes.push_back(textFloor.milliseconds);
        bareTimes.push_back(bare.milliseconds);
        sampleTimes.push_back(sample.milliseconds);
        maximalTimes.push_back(maximal.milliseconds);
        textFloorPeaks.push_back(textFloor.peakMegabytes);
        barePeaks.push_back(bare.peakMegabytes);
        samplePeaks.push_back(sample.peakMegabytes);
        maximalPeaks.push_back(maximal.peakMegabytes);
    }
    QDir(scratch).removeRecursively();
    // One row each in the table of bench/run-all, which reads them by these labels.
    bench::reportPair(state, bareTimes, textFloorTimes, bench::Goal::ratio(1.3), "no_album.");
    bench::reportPair(state, sampleTimes, textFloorTimes, bench::Goal::ratio(1.3), "sample_album.");
    bench::reportPair(state, maximalTimes, textFloorTimes, bench::Goal::ratio(1.3), "maximal_album.");
    bench::reportPair(state, barePeaks, textFloorPeaks, bench::Goal::extra(8), "MB no_album.");
    bench::reportPair(state, samplePeaks, textFloorPeaks, bench::Goal::extra(8), "MB sample_album.");
    bench::reportPair(state, maximalPeaks, textFloorPeaks, bench::Goal::extra(8), "MB maximal_album.");
    state.counters["blank_window_ms"] = bench::median(floorTimes);
    state.counters["under_x"] = underX ? 1 : 0;
}

} // namespace

BENCHMARK(StartupToFirstPaint)
    ->UseManualTime()
    ->Iterations(bench::samples(30, 20))
    ->Unit(benchmark::kMillisecond);

// "startup_bench --prepare FOLDER" only sets up that folder as the starts find it and keeps it
// (tools/startup-order runs the program there); any other arguments run the benchmark.
int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--prepare") {
        QDir().mkpath(QString::fromLocal8Bit(argv[2]));
        return prepareFolder(argv[2]) ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
