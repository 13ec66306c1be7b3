#pragma once

// Console output of Google Benchmark plus, at the end, each benchmark's time as a multiple of
// the baseline benchmark measured in the same run. With repetitions the median run of each
// benchmark is compared: on a shared machine single runs stray far.
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

// The middle value of times (the mean of the two middle ones for an even count).
inline double MedianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

class TRatioReporter : public benchmark::ConsoleReporter {
public:
    explicit TRatioReporter(std::string baseline) : FBaseline(std::move(baseline)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        // A benchmark that works out a ratio of its own (counter "ratio") times something else
        // than the baseline does.
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0 &&
                run.counters.count("ratio") == 0)
                FTimes[run.benchmark_name()].push_back(run.GetAdjustedRealTime());
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        const auto base = FTimes.find(FBaseline);
        if (base == FTimes.end() || MedianOf(base->second) <= 0)
            return;
        std::printf("\nRatio to baseline %s (medians):\n", FBaseline.c_str());
        for (const auto& [name, times] : FTimes)
            std::printf("  %-40s %8.2fx\n", name.c_str(), MedianOf(times) / MedianOf(base->second));
    }

private:
    std::string FBaseline;
    std::map<std::string, std::vector<double>> FTimes;
};

// main() of a benchmark program whose baseline is the benchmark named baseline.
#define QH_BENCHMARK_MAIN_WITH_BASELINE(baseline)                                                  \
    int main(int argc, char** argv) {                                                              \
        benchmark::Initialize(&argc, argv);                                                        \
        TRatioReporter reporter(baseline);                                                         \
        benchmark::RunSpecifiedBenchmarks(&reporter);                                              \
        benchmark::Shutdown();                                                                     \
        return 0;                                                                                  \
    }
