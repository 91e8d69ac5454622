# The build we ship for Windows 95 and 98: 32-bit, GUI subsystem version 4.0
# (a newer version makes the 9x loader refuse the program), code for the
# Pentium so that it also runs on the oldest machines of that time; no
# unwind tables, since nothing unwinds without exceptions. The stack kept to
# the 4-byte alignment Windows itself keeps: Pentium code needs no more, and
# realigning it to 16 bytes costs code in every function with a frame. Data
# aligned as the ABI asks, not to 32 bytes for every array (padding between
# texts). No relocations: Windows 95/98 load a program at its preferred base,
# always.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VP_MINGW_TRIPLE i686-w64-mingw32)
set(VP_MINGW_ARCH_FLAGS
    "-march=pentium -mtune=generic -fno-asynchronous-unwind-tables -mpreferred-stack-boundary=2")
string(APPEND VP_MINGW_ARCH_FLAGS " -malign-data=abi")
set(VP_MINGW_LINK_FLAGS
    "-Wl,--major-subsystem-version,4,--minor-subsystem-version,0,--major-os-version,4,--minor-os-version,0")
string(APPEND VP_MINGW_LINK_FLAGS " -Wl,--disable-dynamicbase,--disable-reloc-section")
# The programs start at an entry point of their own on a C runtime of their
# own, without MinGW's start-up code (a tenth of each program) and without
# msvcrt.dll, which a retail Windows 95 lacks (platform/windows/runtime/).
# The x86_64 build, run only under Wine, keeps both: its linker crashes when
# linking without them.
set(VP_OWN_ENTRY ON)
# C symbols carry a leading underscore on this target.
set(VP_MINGW_SYMBOL_PREFIX "_")
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
