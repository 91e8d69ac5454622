// The registry store on a whole Windows 98 registry: loading it (in a fresh
// process and again in a warm one), saving it, importing into it and from
// it with the machine tool, and one call when the file has not changed.
#include "bench/bench_machine.h"
#include "bench/big_registry.h"
#include "bench/cold_load.h"
#include "bench/spawn.h"
#include "platform/api.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/registry/file.h"
#include "platform/sim/registry/store.h"
#include "platform/sim/registry/writer.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>

namespace bench {

namespace {

using Clock = std::chrono::steady_clock;

// One big machine for every benchmark here, made on first use.
const BenchMachine &BigRegistryMachine() {
    static const auto machine = std::make_unique<BenchMachine>(MachineShape{.fullRegistry = true});
    return *machine;
}

std::int64_t FileSize(const std::string &path) {
    return static_cast<std::int64_t>(std::filesystem::file_size(path));
}

void CountKeysAndValues(benchmark::State &state, const sim::reg::Key &root) {
    TreeCounts counts = CountTree(root);
    state.counters["keys"] = static_cast<double>(counts.keys);
    state.counters["values"] = static_cast<double>(counts.values);
}

// A fresh process reads the file: its heap and the file's pages are new to it.
void RegistryLoadCold(benchmark::State &state) {
    const std::string path = BigRegistryMachine().RegistryPath();
    ColdLoad last;
    for (auto _ : state) {
        last = LoadInChild(path);
        if (!last.ok) {
            state.SkipWithError("the child could not load the registry");
            return;
        }
        state.SetIterationTime(last.seconds);
    }
    state.SetBytesProcessed(state.iterations() * FileSize(path));
    state.counters["child_peak_rss_MB"] = static_cast<double>(last.peakRssKb) / 1024.0;
}

// The same load again in this process, whose heap has been used before.
void RegistryLoadWarm(benchmark::State &state) {
    const std::string path = BigRegistryMachine().RegistryPath();
    for (auto _ : state) {
        auto file = std::make_unique<sim::reg::RegistryFile>(path);
        const sim::reg::Key *root = nullptr;
        auto start = Clock::now();
        LONG code = file->Read(&root);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        if (code != ERROR_SUCCESS) {
            state.SkipWithError("the registry did not load");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * FileSize(path));
    sim::reg::RegistryFile file(path);
    const sim::reg::Key *root = nullptr;
    if (file.Read(&root) == ERROR_SUCCESS)
        CountKeysAndValues(state, *root);
}

// The text of the whole tree, without touching the disk.
void RegistrySerialize(benchmark::State &state) {
    sim::reg::RegistryFile file(BigRegistryMachine().RegistryPath());
    const sim::reg::Key *root = nullptr;
    if (file.Read(&root) != ERROR_SUCCESS) {
        state.SkipWithError("the registry did not load");
        return;
    }
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string text = sim::reg::WriteRegedit4(*root, "");
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}

// One value changed and saved as the store saves every change: lock, text,
// temporary file, fsync, rename, fsync of the folder.
void RegistrySave(benchmark::State &state) {
    const BenchMachine &machine = BigRegistryMachine();
    sim::reg::RegistryFile file(machine.RegistryPath());
    std::uint32_t n = 0;
    for (auto _ : state) {
        LONG code = file.EditTree([&](sim::reg::Key &root) {
            sim::reg::CreateKey(root, "Software\\Bench")
                ->SetValue("n", 4, std::string(4, char(++n)));
            return ERROR_SUCCESS;
        });
        if (code != ERROR_SUCCESS) {
            state.SkipWithError("the save failed");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * FileSize(machine.RegistryPath()));
    machine.ResetRegistry();
}

// `veltrin-machine reg <dir> import <file>` as a person runs it, in a fresh
// process: a small change onto the big registry (read, changed, written
// whole), or the whole big registry's text onto the default machine.
void RegistryImport(benchmark::State &state, bool wholeRegistry) {
    static const BenchMachine defaultMachine(MachineShape{});
    const BenchMachine &target = wholeRegistry ? defaultMachine : BigRegistryMachine();
    std::string file = BigRegistryMachine().RegistryPath();
    if (!wholeRegistry) {
        file = target.Dir() + "/change.reg";
        WriteFileOrDie(file, "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Bench]\r\n"
                             "\"n\"=\"1\"\r\n\r\n");
    }
    const std::vector<std::string> argv{ProgramFolder() + "/veltrin-machine", "reg", target.Dir(),
                                        "import", file};
    for (auto _ : state) {
        ChildRun run = RunChild(argv);
        target.ResetRegistry();
        if (run.exitCode != 0) {
            state.SkipWithError("the import failed");
            return;
        }
        state.SetIterationTime(run.seconds);
    }
    state.counters["peak_rss_MB"] = static_cast<double>(PeakRssKb(argv)) / 1024.0;
    target.ResetRegistry();
}

// The Reg* calls a setup step makes, on a file that has not changed since
// it was read: each checks the file with one fstat, then looks the key up.
struct UnchangedCall {
    HKEY key = nullptr;
    UnchangedCall() {
        sim::UseMachine(BigRegistryMachine().Dir());
        RegOpenKeyA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\Class\\Net\\0001",
                    &key);
    }
    ~UnchangedCall() { RegCloseKey(key); }
};

void RegistryQueryValue(benchmark::State &state) {
    UnchangedCall call;
    char data[256];
    for (auto _ : state) {
        DWORD size = sizeof data;
        LONG code = RegQueryValueExA(call.key, "DriverDesc", nullptr, nullptr,
                                     reinterpret_cast<BYTE *>(data), &size);
        benchmark::DoNotOptimize(code);
    }
}

void RegistryEnumKey(benchmark::State &state) {
    UnchangedCall call;
    HKEY clsid = nullptr;
    RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Classes\\CLSID", &clsid);
    char name[80];
    DWORD index = 0;
    for (auto _ : state) {
        if (RegEnumKeyA(clsid, index++, name, sizeof name) != ERROR_SUCCESS)
            index = 0;
        benchmark::DoNotOptimize(name);
    }
    RegCloseKey(clsid);
}

void RegistryOpenClose(benchmark::State &state) {
    UnchangedCall call;
    for (auto _ : state) {
        HKEY key = nullptr;
        RegOpenKeyA(HKEY_LOCAL_MACHINE,
                    "Software\\Microsoft\\Windows\\CurrentVersion\\Network\\LanMan", &key);
        RegCloseKey(key);
    }
}

} // namespace

BENCHMARK(RegistryLoadCold)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(RegistryLoadWarm)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(RegistrySerialize)->Unit(benchmark::kMillisecond);
BENCHMARK(RegistrySave)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK_CAPTURE(RegistryImport, small_change, false)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK_CAPTURE(RegistryImport, whole_registry, true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK(RegistryQueryValue)->Unit(benchmark::kMicrosecond);
BENCHMARK(RegistryEnumKey)->Unit(benchmark::kMicrosecond);
BENCHMARK(RegistryOpenClose)->Unit(benchmark::kMicrosecond);

} // namespace bench
