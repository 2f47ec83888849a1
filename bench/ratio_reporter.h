#pragma once
// Console reporter that also prints, at the end of the run, the ratio of
// each benchmark's time per iteration to the run's baseline benchmark. Speed
// goals are ratios measured in one run, never absolute times.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace korv::bench {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    explicit RatioReporter(std::string baseline) : baseline_(std::move(baseline)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& r : runs) {
            if (r.run_type != Run::RT_Iteration || r.iterations == 0) continue;
            temps_[r.benchmark_name()] = r.GetAdjustedRealTime();
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        const auto base = temps_.find(baseline_);
        if (base == temps_.end() || base->second <= 0) {
            std::printf("no baseline %s measured\n", baseline_.c_str());
            return;
        }
        for (const auto& [nom, t] : temps_) {
            if (nom == baseline_) continue;
            // Significant digits, not fixed decimals: a tiny ratio (a page
            // that only waits) must not print as 0.
            std::printf("ratio %s / %s = %.3g\n", nom.c_str(), baseline_.c_str(), t / base->second);
        }
    }

private:
    std::string baseline_;
    std::map<std::string, double> temps_;
};

inline int RunWithRatios(int argc, char** argv, const std::string& baseline) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(baseline);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

}  // namespace korv::bench
