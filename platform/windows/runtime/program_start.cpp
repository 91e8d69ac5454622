// The programs' entry point, where Windows starts them: the command line
// split into arguments, the static objects' constructors, main, and exit,
// which runs what atexit registered. The runtime beside this file is the
// whole C library the programs use, on KERNEL32 alone, so that they load on
// every Windows 95 (a C runtime DLL is not part of one). MinGW's own start-up
// code serves things these programs never use (thread-local data, data
// imported from DLLs, C initialisers, wildcards in arguments), at a tenth of
// a program's size.
#include "platform/windows/runtime/command_line.h"
#include "platform/windows/runtime/static_constructors.h"

#include <windows.h>

#include <cstdlib>

// C++ lets no function call main, so the entry point calls the program's
// main under another name bound to its symbol (C names carry a leading
// underscore on this target).
int MainBySymbol(int argc, char **argv) __asm__("_main");

// Windows calls it with the stack aligned to 4 bytes, all the code here asks
// for (cmake/toolchain-i686.cmake).
extern "C" void ProgramStart() {
    const char *line = GetCommandLineA();
    const vp::winrt::ArgumentSizes sizes = vp::winrt::SplitCommandLine(line, nullptr, nullptr);
    // The pointers, a null after them, then the texts: one block for the
    // program's lifetime.
    auto **argv =
        static_cast<char **>(std::malloc((sizes.count + 1) * sizeof(char *) + sizes.chars));
    if (!argv)
        std::abort();
    vp::winrt::SplitCommandLine(line, argv, reinterpret_cast<char *>(argv + sizes.count + 1));
    argv[sizes.count] = nullptr;
    vp::winrt::RunStaticConstructors();
    std::exit(MainBySymbol(static_cast<int>(sizes.count), argv));
}
