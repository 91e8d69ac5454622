// The programs' entry point. Windows starts a program here; msvcrt.dll has
// set itself up already (its heap, its standard handles, its exit table)
// when it was loaded, so all that is left is the command line, the static
// objects' constructors (__main, which registers their destructors with
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
// The compiler's runtime: runs the static constructors, once. The compiler
// calls it at the top of main too, unless main is inlined here.
void __main();
_onexit_t __cdecl _onexit(_onexit_t function);

// Kept through link-time optimisation: __main, outside it, registers the
// static objects' destructors here.
__attribute__((used)) int atexit(void (*function)()) {
    return _onexit(reinterpret_cast<_onexit_t>(function)) ? 0 : -1;
}
}

int main(int argc, char **argv);

// Windows calls the entry point with the stack aligned to 4 bytes only.
#ifdef __i386__
__attribute__((force_align_arg_pointer))
#endif
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
