// Loading the registry in a fresh process: the benchmark starts itself
// again with kLoadOnceFlag, and the child times its own first load.
#pragma once

#include <string>

namespace bench {

inline constexpr char kLoadOnceFlag[] = "--vp-load-once";

struct ColdLoad {
    bool ok = false;
    double seconds = 0; // the child's open, read and parse of the file
    long peakRssKb = 0; // the child's peak resident size
};

ColdLoad LoadInChild(const std::string &registryPath);

// The child's side: loads the file, prints the seconds it took and its peak
// resident size in kB; the exit status says whether it loaded.
int LoadOnceMain(const std::string &registryPath);

} // namespace bench
