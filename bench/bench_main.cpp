// veltrin-bench: Google Benchmark's own options, plus
//   --vp-summary=FILE   writes the results as a Markdown page
//   --vp-write-registry FILE   writes the big registry and ends (to profile
//                              the store on the file the figures use)
// and, for the registry's cold-load figure, its own child mode
//   --vp-load-once FILE
#include "bench/bench_machine.h"
#include "bench/cold_load.h"
#include "bench/summary.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include <unistd.h>

int main(int argc, char **argv) {
    if (argc == 3 && std::strcmp(argv[1], bench::kLoadOnceFlag) == 0)
        return bench::LoadOnceMain(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--vp-write-registry") == 0) {
        bench::WriteFileOrDie(argv[2], bench::MachineRegistryText({.fullRegistry = true}));
        return 0;
    }
    std::string summary;
    const std::string flag = "--vp-summary=";
    int kept = 1;
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]).rfind(flag, 0) == 0)
            summary = argv[i] + flag.size();
        else
            argv[kept++] = argv[i];
    argc = kept;

    const std::string loadBefore = bench::LoadAverage();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    bench::KeepingReporter reporter(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Defaults
                                                          : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (summary.empty())
        return 0;
    std::ofstream out(summary);
    if (!(out << bench::Summary(reporter.Runs(), loadBefore))) {
        std::cerr << "veltrin-bench: cannot write " << summary << "\n";
        return 1;
    }
    return 0;
}
