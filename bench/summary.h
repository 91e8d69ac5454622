// The results of a run as a Markdown page: the machine, the date, every
// figure, the growth of the scaled benchmarks and the targets met or missed.
#pragma once

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace bench {

// Shows the runs on the console as usual and keeps them for the summary.
class KeepingReporter : public benchmark::ConsoleReporter {
  public:
    using ConsoleReporter::ConsoleReporter;
    void ReportRuns(const std::vector<Run> &runs) override;
    const std::vector<Run> &Runs() const { return m_runs; }

  private:
    std::vector<Run> m_runs;
};

// The page; loadBefore is the load average when the run started.
std::string Summary(const std::vector<benchmark::BenchmarkReporter::Run> &runs,
                    const std::string &loadBefore);

// The 1, 5 and 15 minute load averages of the machine.
std::string LoadAverage();

} // namespace bench
