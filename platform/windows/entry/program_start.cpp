// The programs' entry point. Windows starts a program here; msvcrt.dll has
// set itself up already (its heap, its standard handles, its exit table)
// when it was loaded, so all that is left is the command line, the static
// objects' constructors (__main; they register their destructors with
// atexit) and exit, which runs what atexit registered. MinGW's own start-up
// code does more, for things these programs never use (thread-local data,
// data imported from DLLs, C initialisers, wildcards in arguments), at a
// tenth of a program's size.
#include <cstdlib>

extern "C" {
// msvcrt's reading of the command line into argc and argv; wildcards are
// left as they are (0), as MinGW's start-up leaves them by default.
int __getmainargs(int *argc, char ***argv, char ***env, int wildcards, int *startInfo);
// A program with windows: the C runtime tells its fatal errors in a
// message box, not on a console.
void __set_app_type(int type);
constexpr int kGuiApp = 2;
// The static constructors, in the table the linker makes: -1, then the
// constructors, then 0.
extern void (*__CTOR_LIST__[])();
_onexit_t __cdecl _onexit(_onexit_t function);

// The static objects register their destructors here.
int atexit(void (*function)()) {
    return _onexit(reinterpret_cast<_onexit_t>(function)) ? 0 : -1;
}

// Runs the static constructors, once, last first as the table lists them.
// The compiler calls it at the top of main unless main is inlined into
// ProgramStart; this one replaces the compiler runtime's, which would bring
// unwind tables along.
void __main() {
    static bool done = false;
    if (done)
        return;
    done = true;
    std::size_t count = 0;
    while (__CTOR_LIST__[count + 1])
        ++count;
    for (; count > 0; --count)
        __CTOR_LIST__[count]();
}
}

int main(int argc, char **argv);

// Windows calls it with the stack aligned to 4 bytes, all the code here asks
// for (cmake/toolchain-i686.cmake).
extern "C" void ProgramStart() {
    int argc = 0;
    char **argv = nullptr;
    char **env = nullptr;
    int startInfo = 0;
    __set_app_type(kGuiApp);
    __getmainargs(&argc, &argv, &env, 0, &startInfo);
    __main();
    std::exit(main(argc, argv));
}
