# Shared part of the MinGW-w64 toolchains; include it after setting
# VP_MINGW_TRIPLE (i686-w64-mingw32 or x86_64-w64-mingw32).
set(CMAKE_SYSTEM_NAME Windows)

# The win32 thread model keeps libwinpthread (and the imports Windows 9x
# lacks that it brings) out of the static libstdc++.
foreach(lang_tool C:gcc CXX:g++)
  string(REPLACE ":" ";" pair ${lang_tool})
  list(GET pair 0 lang)
  list(GET pair 1 tool)
  find_program(VP_MINGW_${lang} NAMES ${VP_MINGW_TRIPLE}-${tool}-win32 ${VP_MINGW_TRIPLE}-${tool}
               REQUIRED)
  set(CMAKE_${lang}_COMPILER ${VP_MINGW_${lang}})
endforeach()
set(CMAKE_RC_COMPILER ${VP_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VP_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Small programs: every function in its own section, the unused ones dropped
# at link time, symbols stripped. Data stay in the common sections (link-time
# optimisation drops unused data anyway): in sections of their own, zeroed
# data would go to .data, not .bss, and take room in the file. Everything linked statically,
# so a program needs no DLL beyond those Windows itself ships.
# No exceptions or run-time type information: the code uses neither, and a
# failed allocation may end the program as it would anyway. Not MinGW's C99
# printf, should anything format through stdio (vp::FormatText formats by
# itself, platform/framework/format_text.h). Static locals without
# guards: the one extra thread (the script watchdog) touches none first, and
# the guards would import calls Windows 95 lacks.
set(vp_size_flags "-ffunction-sections -fno-exceptions -fno-rtti")
string(APPEND vp_size_flags " -fno-threadsafe-statics -D__USE_MINGW_ANSI_STDIO=0")
set(CMAKE_C_FLAGS_INIT "${vp_size_flags} ${VP_MINGW_ARCH_FLAGS}")
# Optimised across files at link time: a sixth smaller (docs/benchmark-results.md).
set(CMAKE_INTERPROCEDURAL_OPTIMIZATION ON)
set(CMAKE_CXX_FLAGS_INIT "${vp_size_flags} ${VP_MINGW_ARCH_FLAGS}")
# The library's default terminate handler demangles the exception's type for
# a console a GUI program does not have, and the demangler is the biggest
# thing in the program: abort at once instead.
set(vp_terminate "${VP_MINGW_SYMBOL_PREFIX}_ZN9__gnu_cxx27__verbose_terminate_handlerEv")
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-mwindows -static -static-libgcc -static-libstdc++ -Wl,--gc-sections -s -flto-partition=one ${VP_MINGW_LINK_FLAGS} ${VP_MINGW_PROGRAM_LINK_FLAGS}")
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT
       " -Wl,--defsym,${vp_terminate}=${VP_MINGW_SYMBOL_PREFIX}abort")
set(CMAKE_SHARED_LINKER_FLAGS_INIT
    "-static -static-libgcc -static-libstdc++ -Wl,--gc-sections,--subsystem,windows -s -flto-partition=one ${VP_MINGW_LINK_FLAGS} ${VP_MINGW_SHARED_LINK_FLAGS}")
string(APPEND CMAKE_SHARED_LINKER_FLAGS_INIT
       " -Wl,--defsym,${vp_terminate}=${VP_MINGW_SYMBOL_PREFIX}abort")

# The resource script (res/app.rc) is compiled by windres: enable the RC
# language in the project without the project naming a Windows-only tool.
set(CMAKE_PROJECT_INCLUDE ${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-languages.cmake)
