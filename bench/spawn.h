// Starting a program the same way for every start-up figure: posix_spawn,
// then a wait for its end.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct ChildRun {
    double seconds = 0; // from the spawn to the end of the wait
    long peakRssKb = 0; // the child's ru_maxrss
    int exitCode = -1;  // 128 + signal when killed
    std::string output; // its standard output, when asked for
};

// Runs argv (argv[0] a path) with this process's environment changed by
// env: "NAME=value" sets a variable, a bare "NAME" removes it. stdin and
// stderr are /dev/null, and so is stdout unless its output is captured.
ChildRun RunChild(const std::vector<std::string> &argv, const std::vector<std::string> &env = {},
                  bool captureOutput = false);

// The folder of this program, where the project's programs are built too.
std::string ProgramFolder();

// Runs argv as RunChild does, through veltrin-bench-rss, and returns the
// peak resident size of its process in kB (0 when it failed).
long PeakRssKb(const std::vector<std::string> &argv, const std::vector<std::string> &env = {});

} // namespace bench
