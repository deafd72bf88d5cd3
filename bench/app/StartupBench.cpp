// Process start to the first painted main window, against the floor of a minimal Qt program that
// shows one window of the same size. Both are started alternately in the same run, so the ratio
// holds on any machine.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {
struct Launch {
    double milliseconds = 0;
    double peakMegabytes = 0;
    bool ok = false;
};

// Starts the program, waits for its "painted" line and for its exit.
Launch launch(const char* program, const char* option = nullptr) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    char* const arguments[] = {const_cast<char*>(program), const_cast<char*>(option), nullptr};

    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program, &actions, nullptr, arguments, environ);
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

void StartupToFirstPaint(benchmark::State& state) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    char folder[] = "/tmp/brindlecove-bench-XXXXXX";
    if (!mkdtemp(folder)) {
        state.SkipWithError("no scratch folder");
        return;
    }
    const std::string settingsFile = std::string(folder) + "/settings.ini";
    const std::string prepare = std::string(BRINDLECOVE_STARTUP_PROBE) + " --prepare " + settingsFile;
    if (std::system(prepare.c_str()) != 0) {
        state.SkipWithError("the settings file could not be prepared");
        return;
    }
    double appTime = 0, floorTime = 0, textFloorTime = 0, appPeak = 0, floorPeak = 0;
    int runs = 0;
    for (auto _ : state) {
        const Launch floor = launch(BRINDLECOVE_FLOOR_PROBE);
        const Launch textFloor = launch(BRINDLECOVE_FLOOR_PROBE, "--text");
        const Launch app = launch(BRINDLECOVE_STARTUP_PROBE, settingsFile.c_str());
        if (!floor.ok || !textFloor.ok || !app.ok) {
            state.SkipWithError("a probe did not report its first paint");
            return;
        }
        state.SetIterationTime(app.milliseconds / 1000.0);
        appTime += app.milliseconds;
        floorTime += floor.milliseconds;
        textFloorTime += textFloor.milliseconds;
        appPeak = std::max(appPeak, app.peakMegabytes);
        floorPeak = std::max(floorPeak, floor.peakMegabytes);
        ++runs;
    }
    std::remove(settingsFile.c_str());
    rmdir(folder);
    state.counters["app_ms"] = appTime / runs;
    state.counters["floor_ms"] = floorTime / runs;
    state.counters["time_ratio"] = appTime / floorTime;
    state.counters["text_floor_ms"] = textFloorTime / runs;
    state.counters["ratio_to_text_floor"] = appTime / textFloorTime;
    state.counters["app_peak_MB"] = appPeak;
    state.counters["floor_peak_MB"] = floorPeak;
    state.counters["extra_peak_MB"] = appPeak - floorPeak;
}
} // namespace

BENCHMARK(StartupToFirstPaint)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
