#pragma once

// Console output of a benchmark run that also keeps the time per iteration of
// each benchmark, by name, for the ratios a benchmark prints at the end. With
// repetitions the fastest one is kept: on a busy machine it is the one least
// disturbed by other work.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    std::map<std::string, double> times;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs) {
            if (run.run_type == Run::RT_Aggregate)
                continue;
            const double time = run.GetAdjustedRealTime();
            auto [kept, fresh] = times.try_emplace(run.run_name.str(), time);
            if (!fresh)
                kept->second = std::min(kept->second, time);
        }
        ConsoleReporter::ReportRuns(runs);
    }
};
