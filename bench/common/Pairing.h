#pragma once
// Ours and its anchor measured alternately in one benchmark, a sync before each side so both meet
// the same disk state, reported as the counters bench/run-all reads: medians in milliseconds and
// the spread of the ratio (the lowest and highest ratio of a sample, as for every row of the table).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace bench {

// A goal for the table: a ceiling on the ratio, on ours minus anchor, or on ours itself.
struct Goal {
    enum class Kind { None, Ratio, Extra, Ceiling } kind = Kind::None;
    double value = 0;
    static Goal none() { return {}; }
    static Goal ratio(double value) { return {Kind::Ratio, value}; }
    static Goal extra(double value) { return {Kind::Extra, value}; }
    static Goal ceiling(double value) { return {Kind::Ceiling, value}; }
};

// bench/run-all --quick asks for fewer samples.
inline bool quickRun() {
    const char* quick = std::getenv("BRINDLECOVE_BENCH_QUICK");
    return quick && quick[0] == '1';
}
inline int samples(int normal, int quick) {
    return quickRun() ? quick : normal;
}

inline double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Writes the row's counters; label (with its dot) names a second row of the same benchmark.
inline void reportPair(benchmark::State& state, const std::vector<double>& ours,
                       const std::vector<double>& anchor, Goal goal, const std::string& label = "") {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < ours.size() && i < anchor.size(); ++i)
        if (anchor[i] > 0)
            ratios.push_back(ours[i] / anchor[i]);
    state.counters[label + "ours"] = median(ours);
    state.counters[label + "anchor"] = median(anchor);
    // The ratio of the medians always lies within these two.
    state.counters[label + "low"] = ratios.empty() ? 0 : *std::min_element(ratios.begin(), ratios.end());
    state.counters[label + "high"] = ratios.empty() ? 0 : *std::max_element(ratios.begin(), ratios.end());
    switch (goal.kind) {
    case Goal::Kind::None:
        break;
    case Goal::Kind::Ratio:
        state.counters[label + "goal"] = goal.value;
        break;
    case Goal::Kind::Extra:
        state.counters[label + "goal_extra"] = goal.value;
        break;
    case Goal::Kind::Ceiling:
        state.counters[label + "ceiling"] = goal.value;
        break;
    }
}

// Each iteration runs ours, then the anchor, each after a sync; each returns the milliseconds it
// measured (so it may leave its own preparation out). The iteration's time is ours.
template <class Ours, class Anchor>
void measurePair(benchmark::State& state, Ours&& ours, Anchor&& anchor, Goal goal) {
    std::vector<double> oursTimes, anchorTimes;
    for (auto _ : state) {
        ::sync();
        const double o = ours();
        ::sync();
        const double a = anchor();
        oursTimes.push_back(o);
        anchorTimes.push_back(a);
        state.SetIterationTime(o / 1000);
    }
    reportPair(state, oursTimes, anchorTimes, goal);
}

} // namespace bench
