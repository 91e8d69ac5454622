#include "bench/cold_load.h"

#include "bench/spawn.h"
#include "platform/sim/registry/file.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace bench {

namespace {

// VmHWM: the peak of this process's own memory since its exec.
long PeakRssOfThisProcessKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return 0;
}

} // namespace

ColdLoad LoadInChild(const std::string &registryPath) {
    ChildRun run =
        RunChild({ProgramFolder() + "/veltrin-bench", kLoadOnceFlag, registryPath}, {}, true);
    ColdLoad load;
    char *rest = nullptr;
    load.ok = run.exitCode == 0 && !run.output.empty();
    load.seconds = load.ok ? std::strtod(run.output.c_str(), &rest) : 0;
    load.peakRssKb = load.ok ? std::strtol(rest, nullptr, 10) : 0;
    return load;
}

int LoadOnceMain(const std::string &registryPath) {
    auto start = std::chrono::steady_clock::now();
    sim::reg::RegistryFile file(registryPath);
    const sim::reg::Key *root = nullptr;
    bool ok = file.Read(&root) == ERROR_SUCCESS;
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.9f %ld\n", seconds, PeakRssOfThisProcessKb());
    return ok ? 0 : 1;
}

} // namespace bench
