// Start-up: the launcher, from its start to that of the CD's autorun
// program, against a trivial program started the same way; and the peak
// resident size of the launcher and of the dialog suite on a big machine.
#include "bench/bench_machine.h"
#include "bench/spawn.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace bench {

namespace {

// The autorun program the launcher starts: as little as a program can do.
constexpr char kTrivialScript[] = "#!/bin/sh\nexit 0\n";

// A machine whose CD starts the trivial script, and the programs to run.
struct StartupRun {
    explicit StartupRun(const MachineShape &shape) : machine(shape) {
        folder = std::filesystem::path(machine.Dir()).parent_path().string();
        autorun = machine.Dir() + "/drives/E/autorun.exe";
        WriteFileOrDie(autorun, kTrivialScript, true);
    }

    // The environment of a run answered by a response file of those lines.
    std::vector<std::string> Environment(const std::string &script) const {
        const std::string scriptPath = folder + "/run.txt";
        WriteFileOrDie(scriptPath, script);
        return {"VELTRIN_MACHINE=" + machine.Dir(), "VELTRIN_UI=script:" + scriptPath,
                "VELTRIN_SCRIPT_POS", "VELTRIN_TRANSCRIPT", "VELTRIN_BIN"};
    }
    ChildRun Program(const std::string &name, const std::string &script) const {
        return RunChild({ProgramFolder() + "/" + name}, Environment(script));
    }
    double PeakRssMB(const std::string &name, const std::string &script) const {
        return static_cast<double>(PeakRssKb({ProgramFolder() + "/" + name}, Environment(script))) /
               1024.0;
    }

    BenchMachine machine;
    std::string folder, autorun;
};

double Ms(double seconds) {
    return seconds * 1e3;
}

// Each iteration starts the three in turn, so the ratio compares figures
// taken under the same load.
void LauncherStartup(benchmark::State &state) {
    StartupRun run(MachineShape{});
    const std::string trivial = ProgramFolder() + "/veltrin-bench-trivial";
    double trivialTotal = 0, scriptTotal = 0, launcherTotal = 0;
    for (auto _ : state) {
        ChildRun a = RunChild({trivial});
        ChildRun b = RunChild({run.autorun});
        ChildRun c = run.Program("veltrin", "");
        if (a.exitCode != 0 || b.exitCode != 0 || c.exitCode != 0) {
            state.SkipWithError("a program failed");
            return;
        }
        trivialTotal += a.seconds;
        scriptTotal += b.seconds;
        launcherTotal += c.seconds;
        state.SetIterationTime(c.seconds);
    }
    auto n = static_cast<double>(state.iterations());
    state.counters["trivial_ms"] = Ms(trivialTotal / n);
    state.counters["autorun_ms"] = Ms(scriptTotal / n);
    // The launcher's own part: everything before the autorun program ran.
    double startup = (launcherTotal - scriptTotal) / n;
    state.counters["startup_ms"] = Ms(startup);
    state.counters["startup_ratio"] = startup / (trivialTotal / n);
}

// The dialog suite opened and cancelled (its time), and the peak resident
// size of it and of the launcher, on the default machine or on one with a
// whole Windows 98 registry, 10,000 shares, 1,000 printers and 100
// instances of the card.
void PeakMemory(benchmark::State &state, bool big) {
    StartupRun run(big ? MachineShape{10000, 1000, 100, true} : MachineShape{});
    for (auto _ : state) {
        ChildRun suite = run.Program("veltrin-sharing", "click 2\n");
        if (suite.exitCode != 0) {
            state.SkipWithError("the dialog suite failed");
            return;
        }
        state.SetIterationTime(suite.seconds);
    }
    state.counters["launcher_peak_rss_MB"] = run.PeakRssMB("veltrin", "");
    state.counters["suite_peak_rss_MB"] = run.PeakRssMB("veltrin-sharing", "click 2\n");
    state.counters["registry_MB"] =
        static_cast<double>(std::filesystem::file_size(run.machine.RegistryPath())) / 1e6;
}

} // namespace

BENCHMARK(LauncherStartup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK_CAPTURE(PeakMemory, default_machine, false)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(PeakMemory, big_machine, true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace bench
