#pragma once

// Console output of a benchmark run that also keeps the time per iteration of
// each run, by benchmark name, for the ratios a benchmark prints at the end.

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    std::map<std::string, double> times;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs) {
            times[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
};
