# The 64-bit Windows build: the one this machine runs under Wine, since it
# cannot execute 32-bit code. Same sources and flags as the shipped i686 one.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VP_MINGW_TRIPLE x86_64-w64-mingw32)
set(VP_MINGW_ARCH_FLAGS "")
set(VP_MINGW_LINK_FLAGS "")
set(VP_MINGW_SYMBOL_PREFIX "")
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
