#pragma once

// Console output of Google Benchmark plus, at the end, each benchmark's time as a multiple of
// the baseline benchmark measured in the same run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

class TRatioReporter : public benchmark::ConsoleReporter {
public:
    explicit TRatioReporter(std::string baseline) : FBaseline(std::move(baseline)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                FTimes[run.benchmark_name()] = run.GetAdjustedRealTime();
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        const auto base = FTimes.find(FBaseline);
        if (base == FTimes.end() || base->second <= 0)
            return;
        std::printf("\nRatio to baseline %s:\n", FBaseline.c_str());
        for (const auto& [name, time] : FTimes)
            std::printf("  %-40s %8.2fx\n", name.c_str(), time / base->second);
    }

private:
    std::string FBaseline;
    std::map<std::string, double> FTimes;
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
