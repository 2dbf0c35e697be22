#pragma once
// What every benchmark program shares: each one times our code against a
// baseline doing the same work in the same process and prints the ratio.
#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace wizbench {

// Console output as usual, keeping each run's CPU time per iteration so the
// ratios can be printed at the end; CPU time, because wall time on a shared
// machine measures the neighbours.
class CRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration)
                m_times[r.benchmark_name()] = r.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    // Time of `a` over time of `b`; 0 when either did not run.
    double Ratio(const std::string& a, const std::string& b) const
    {
        auto ia = m_times.find(a), ib = m_times.find(b);
        return ia == m_times.end() || ib == m_times.end() || ib->second == 0 ? 0 : ia->second / ib->second;
    }

private:
    std::map<std::string, double> m_times;
};

// Runs the benchmarks the command line selects, then `summary` with their times.
inline int RunWithRatios(int argc, char** argv, const std::function<void(const CRatioReporter&)>& summary)
{
    benchmark::Initialize(&argc, argv);
    CRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    summary(reporter);
    benchmark::Shutdown();
    return 0;
}

} // namespace wizbench
