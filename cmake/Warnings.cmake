# Warnings are on and kept clean; an INTERFACE target passes them on.
function(vp_warnings target)
  target_compile_options(${target} INTERFACE
    $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic -Wshadow -Wconversion
      -Wno-sign-conversion -Wnon-virtual-dtor -Woverloaded-virtual>)
endfunction()

# A library of the sources directly in the calling folder.
function(vp_folder_library name)
  cmake_parse_arguments(ARG "" "" "LIBS;EXCLUDE" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(ex IN LISTS ARG_EXCLUDE)
    list(FILTER srcs EXCLUDE REGEX "/${ex}$")
  endforeach()
  add_library(${name} STATIC ${srcs})
  target_link_libraries(${name} PUBLIC vp_root ${ARG_LIBS})
endfunction()
