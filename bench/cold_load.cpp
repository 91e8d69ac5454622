#include "bench/cold_load.h"

#include "bench/spawn.h"
#include "platform/sim/registry_file.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace bench {

ColdLoad LoadInChild(const std::string &registryPath) {
    ChildRun run =
        RunChild({ProgramFolder() + "/veltrin-bench", kLoadOnceFlag, registryPath}, {}, true);
    ColdLoad load;
    load.ok = run.exitCode == 0 && !run.output.empty();
    load.seconds = load.ok ? std::strtod(run.output.c_str(), nullptr) : 0;
    load.peakRssKb = run.peakRssKb;
    return load;
}

int LoadOnceMain(const std::string &registryPath) {
    auto start = std::chrono::steady_clock::now();
    sim::reg::RegistryFile file(registryPath);
    const sim::reg::Key *root = nullptr;
    bool ok = file.Read(&root) == ERROR_SUCCESS;
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.9f\n", seconds);
    return ok ? 0 : 1;
}

} // namespace bench
