// `reg export` / `reg import`: the machine's registry as REGEDIT4 text.
#include "tools/machine_tool.h"

#include "platform/sim/host/host_file.h"
#include "platform/sim/registry/store.h"

#include <cstdio>

namespace tool {

int CommandReg(const Args &given) {
    // Without a folder, the programs' machine: a folder named "export" or
    // "import" is written ./export.
    Args args = given;
    if (!args.empty() && (args[0] == "export" || args[0] == "import"))
        args.insert(args.begin(), std::string());
    const bool isExport = args.size() >= 2 && args[1] == "export" && args.size() <= 3;
    const bool isImport = args.size() == 3 && args[1] == "import";
    if (!isExport && !isImport) {
        std::fputs("usage: veltrin-machine reg [dir] export [key]\n"
                   "       veltrin-machine reg [dir] import <file.reg>\n",
                   stderr);
        return 2;
    }
    if (!OpenMachine(args[0]))
        return 1;
    std::string error;
    if (isExport) {
        std::string text;
        if (!sim::reg::ExportText(args.size() == 3 ? args[2] : std::string(), &text, &error)) {
            std::fprintf(stderr, "veltrin-machine: %s\n", error.c_str());
            return 1;
        }
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    std::string text;
    if (!sim::ReadRegularFile(args[2], sim::kRegistryFileLimit, &text, &error)) {
        std::fprintf(stderr, "veltrin-machine: cannot read %s: %s\n", args[2].c_str(),
                     error.c_str());
        return 1;
    }
    if (!sim::reg::ImportText(text, &error)) {
        std::fprintf(stderr, "veltrin-machine: %s: %s (nothing imported)\n", args[2].c_str(),
                     error.c_str());
        return 1;
    }
    return 0;
}

} // namespace tool
