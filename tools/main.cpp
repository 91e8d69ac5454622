// veltrin-machine <command> [dir] ...: see Usage().
#include "tools/machine_tool.h"

#include <cstdio>
#include <cstring>

namespace {

void Usage() {
    std::fputs(
        "usage: veltrin-machine new <dir>             make a machine (a copy of the default)\n"
        "       veltrin-machine show [dir]            drives, shares, printers, addresses, "
        "RunOnce, journal\n"
        "       veltrin-machine reg [dir] export [key] write REGEDIT4 of HKEY_LOCAL_MACHINE (or a "
        "key)\n"
        "       veltrin-machine reg [dir] import <file.reg>\n"
        "       veltrin-machine boot [dir]            restart: run and remove the RunOnce "
        "entries\n"
        "       veltrin-machine reset                 make the default machine's copy anew\n"
        "Without a dir: the machine the programs use, $VELTRIN_MACHINE or else the default\n"
        "machine's copy (show begins with its path).\n",
        stderr);
}

} // namespace

int main(int argc, char **argv) {
    if (argc >= 2 && std::strcmp(argv[1], "reset") == 0)
        return tool::CommandReset(tool::Args(argv + 2, argv + argc));
    if (argc < 2) {
        Usage();
        return 2;
    }
    tool::Args args(argv + 2, argv + argc);
    const char *command = argv[1];
    int (*run)(const tool::Args &) = nullptr;
    if (std::strcmp(command, "new") == 0)
        run = tool::CommandNew;
    else if (std::strcmp(command, "show") == 0)
        run = tool::CommandShow;
    else if (std::strcmp(command, "reg") == 0)
        run = tool::CommandReg;
    else if (std::strcmp(command, "boot") == 0)
        run = tool::CommandBoot;
    if (!run) {
        std::fprintf(stderr, "veltrin-machine: unknown command '%s'\n", command);
        Usage();
        return 2;
    }
    const int status = run(args);
    // What was printed is the command's result too: a failed write fails it.
    return tool::OutputWritten() ? status : 1;
}
