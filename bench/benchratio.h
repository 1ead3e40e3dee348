// How the benchmarks keep their times: a reporter that keeps each
// benchmark's seconds per iteration for the ratios printed after Google
// Benchmark's table. Only ratios measured in the same run mean anything.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

/// Prints as usual and keeps each benchmark's seconds per iteration, by the
/// wall clock and by the time the benchmark's own thread ran (the steadier
/// measure on a busy machine).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> realTime;
    std::map<std::string, double> cpuTime;

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration && !r.error_occurred && r.iterations > 0) {
                realTime[r.benchmark_name()] = r.real_accumulated_time / double(r.iterations);
                cpuTime[r.benchmark_name()] = r.cpu_accumulated_time / double(r.iterations);
            }
    }
};
