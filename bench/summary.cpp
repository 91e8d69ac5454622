#include "bench/summary.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include <sys/utsname.h>

namespace bench {

namespace {

using Run = benchmark::BenchmarkReporter::Run;

// Target thresholds.
constexpr double kLoadMBps = 100;
constexpr double kCallMicros = 2;
constexpr double kStartupRatio = 3;
// Linear growth: the cost of one item at one size stays within this factor
// of its cost at the size before (quadratic work grows it by the ratio of
// the sizes, 10 to 100 here).
constexpr double kPerItemGrowth = 2;

std::string Format(const char *format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// A time in seconds with a unit that keeps three or four digits.
std::string Time(double seconds) {
    if (seconds >= 1)
        return Format("%.2f s", seconds);
    if (seconds >= 1e-3)
        return Format("%.2f ms", seconds * 1e3);
    if (seconds >= 1e-6)
        return Format("%.2f µs", seconds * 1e6);
    return Format("%.1f ns", seconds * 1e9);
}

double Seconds(const Run &run) {
    return run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
}

// This process's CPU time: what a call costs, without the waits for the
// other processes of a busy machine.
double CpuSeconds(const Run &run) {
    return run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
}

double Counter(const Run &run, const std::string &name) {
    auto it = run.counters.find(name);
    return it == run.counters.end() ? 0 : it->second.value;
}

bool Has(const Run &run, const std::string &name) {
    return run.counters.count(name) > 0;
}

std::string FirstLineWith(const std::string &file, const std::string &prefix) {
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(prefix, 0) == 0) {
            std::size_t colon = line.find(':');
            std::string value = colon == std::string::npos ? line : line.substr(colon + 1);
            value.erase(0, value.find_first_not_of(" \t"));
            return value;
        }
    return "unknown";
}

std::string Today() {
    std::time_t now = std::time(nullptr);
    char text[64];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M UTC", std::gmtime(&now));
    return text;
}

std::string Machine(const std::string &loadBefore) {
    utsname name{};
    uname(&name);
    std::ostringstream out;
    out << "| | |\n|---|---|\n"
        << "| date | " << Today() << " |\n"
        << "| processor | " << FirstLineWith("/proc/cpuinfo", "model name") << ", "
        << std::thread::hardware_concurrency() << " cores |\n"
        << "| memory | " << FirstLineWith("/proc/meminfo", "MemTotal") << " |\n"
        << "| system | " << name.sysname << " " << name.release << " |\n"
        << "| compiler | " << __VERSION__ << ", Release build |\n"
        << "| load average (1, 5, 15 min) | " << loadBefore << " at the start, " << LoadAverage()
        << " at the end |\n";
    return out.str();
}

// The benchmark and its arguments, without the run options.
std::string Name(const Run &run) {
    const auto &name = run.run_name;
    return name.args.empty() ? name.function_name : name.function_name + "/" + name.args;
}

const Run *Find(const std::vector<Run> &runs, const std::string &name) {
    for (const Run &run : runs)
        if (Name(run) == name)
            return &run;
    return nullptr;
}

std::string Throughput(const Run &run) {
    if (Has(run, "bytes_per_second"))
        return Format("%.0f MB/s", Counter(run, "bytes_per_second") / 1e6);
    return "";
}

std::string Counters(const Run &run) {
    std::string out;
    for (const auto &[name, counter] : run.counters) {
        if (name == "bytes_per_second" || name == "items_per_second" || name == "items")
            continue;
        out += (out.empty() ? "" : ", ") + name + " " + Format("%.4g", counter.value);
    }
    return out;
}

std::string Figures(const std::vector<Run> &runs) {
    std::ostringstream out;
    out << "| benchmark | iterations | time each | throughput | figures |\n|---|---|---|---|---|\n";
    for (const Run &run : runs)
        out << "| " << Name(run) << " | " << run.iterations << " | " << Time(Seconds(run)) << " | "
            << Throughput(run) << " | " << Counters(run) << " |\n";
    return out.str();
}

struct Growth {
    std::string table;
    // The largest step ratio with the store as a user has it, and that of
    // the runs on tmpfs (the work without the syncs).
    double worst = 0, worstTmpfs = 0;
};

// The sized runs ("shares:1000") of each benchmark, in order: linear work
// keeps the cost of one item level from one size to the next, quadratic
// work multiplies it by the ratio of the sizes.
Growth GrowthTables(const std::vector<Run> &runs) {
    std::map<std::string, std::vector<const Run *>> families;
    std::vector<std::string> order;
    for (const Run &run : runs) {
        const std::string &family = run.run_name.function_name;
        if (!Has(run, "items") || Counter(run, "items") <= 0)
            continue;
        if (families[family].empty())
            order.push_back(family);
        families[family].push_back(&run);
    }
    Growth growth;
    std::ostringstream out;
    out << "| benchmark | items | total | per item | per item against the size before |\n"
           "|---|---|---|---|---|\n";
    for (const std::string &family : order) {
        double before = 0;
        for (const Run *run : families[family]) {
            double items = Counter(*run, "items");
            double perItem = Seconds(*run) / items;
            std::string step = "";
            if (before > 0) {
                double &worst = family.ends_with("/tmpfs") ? growth.worstTmpfs : growth.worst;
                worst = std::max(worst, perItem / before);
                step = Format("%.2f", perItem / before);
            }
            before = perItem;
            out << "| " << family << " | " << Format("%.0f", items) << " | " << Time(Seconds(*run))
                << " | " << Time(perItem) << " | " << step << " |\n";
        }
    }
    growth.table = out.str();
    return growth;
}

std::string Mark(bool met) {
    return met ? "met" : "**missed**";
}

std::string Targets(const std::vector<Run> &runs, const Growth &growth) {
    std::ostringstream out;
    out << "| target | figure | |\n|---|---|---|\n";
    if (const Run *load = Find(runs, "RegistryLoadCold")) {
        double mbps = Counter(*load, "bytes_per_second") / 1e6;
        out << "| loading the big registry (fresh process) at " << kLoadMBps << " MB/s or better | "
            << Format("%.0f MB/s", mbps) << " | " << Mark(mbps >= kLoadMBps) << " |\n";
    }
    // The benchmarks of calls on an unchanged file, and how many calls each
    // iteration makes (RegOpenKeyA and RegCloseKey go in pairs).
    const std::pair<const char *, int> calls[] = {
        {"RegistryQueryValue", 1}, {"RegistryEnumKey", 1}, {"RegistryOpenClose", 2}};
    for (auto [name, count] : calls)
        if (const Run *call = Find(runs, name)) {
            double micros = CpuSeconds(*call) * 1e6 / count;
            out << "| " << name << ": one call on an unchanged file under " << kCallMicros
                << " µs (CPU time" << (count > 1 ? ", the mean of the pair" : "") << ") | "
                << Format("%.2f µs", micros) << " (" << Format("%.2f µs", Seconds(*call) * 1e6)
                << " elapsed an iteration) | " << Mark(micros < kCallMicros) << " |\n";
        }
    if (const Run *start = Find(runs, "LauncherStartup")) {
        double ratio = Counter(*start, "startup_ratio");
        out << "| launcher start-up within " << kStartupRatio << " times the trivial program | "
            << Format("%.2f times", ratio) << " | " << Mark(ratio <= kStartupRatio) << " |\n";
    }
    // (Growth is judged only where sized runs were made: a filtered run may have none.)
    if (growth.worst > 0)
        out << "| linear growth (store on the disk): the cost of one item within " << kPerItemGrowth
            << " times its cost at the size before | worst " << Format("%.2f", growth.worst)
            << " | " << Mark(growth.worst <= kPerItemGrowth) << " |\n";
    if (growth.worstTmpfs > 0)
        out << "| linear growth without the syncs (store on tmpfs) | worst "
            << Format("%.2f", growth.worstTmpfs) << " | "
            << Mark(growth.worstTmpfs <= kPerItemGrowth) << " |\n";
    return out.str();
}

} // namespace

void KeepingReporter::ReportRuns(const std::vector<Run> &runs) {
    for (const Run &run : runs)
        if (run.run_type == Run::RT_Iteration && !run.error_occurred)
            m_runs.push_back(run);
    ConsoleReporter::ReportRuns(runs);
}

std::string LoadAverage() {
    std::ifstream in("/proc/loadavg");
    double one = 0, five = 0, fifteen = 0;
    in >> one >> five >> fifteen;
    return Format("%.2f", one) + ", " + Format("%.2f", five) + ", " + Format("%.2f", fifteen);
}

std::string Summary(const std::vector<Run> &runs, const std::string &loadBefore) {
    Growth growth = GrowthTables(runs);
    std::ostringstream out;
    out << "# Benchmark results\n\n"
        << "Written by `bash scripts/bench.sh`; see [performance.md](performance.md) for what "
           "the figures mean.\n\n"
        << Machine(loadBefore) << "\n## Targets\n\n"
        << Targets(runs, growth) << "\n## Growth\n\n"
        << "Each size runs the same work on a machine with that many items. Linear work keeps "
           "the last column near 1 (below 1 where a fixed cost is shared out); quadratic work "
           "brings it near the ratio of the sizes (10 or 100 here).\n\n"
        << growth.table << "\n## Every figure\n\n"
        << Figures(runs);
    return out.str();
}

} // namespace bench
