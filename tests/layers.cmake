# The layers of the code, top to bottom; a file may include its own layer
# and those below it, never one above:
#   7 app/         the two programs
#   6 sharing/     the sharing dialog and its OK (the apply sequence)
#   5 netsetup/    the steps the apply sequence drives
#   4 wayback/     the way back: undo file, capture, restore, setup log,
#                  share calls, the lock of one setup or undo at a time
#   3 common/      what the setup steps share: CD probe and prompt, key
#                  helper, the card's bindings
#   2 framework    platform/framework.h, program_entry.h, framework/
#   1 API          platform/api.h and the other headers beside it,
#                  platform/regedit4/, res/
#   0 backends     platform/sim, user32, script, tui, windows
# The backends stand behind the API and the framework's windows, so they may
# include those two layers; no layer above the API includes a backend.
# platform/script is the automation core of both builds (response files,
# transcripts, recordings): it includes no other backend, and each build's
# adapter (user32 on Linux, windows/script_dll in veltrin-script.dll)
# includes it.
# Run as: cmake -DSOURCE_DIR=<tree> -P layers.cmake

function(layer_of path out)
  if(path MATCHES "^app/")
    set(${out} 7 PARENT_SCOPE)
  elseif(path MATCHES "^sharing/")
    set(${out} 6 PARENT_SCOPE)
  elseif(path MATCHES "^netsetup/")
    set(${out} 5 PARENT_SCOPE)
  elseif(path MATCHES "^wayback/")
    set(${out} 4 PARENT_SCOPE)
  elseif(path MATCHES "^common/")
    set(${out} 3 PARENT_SCOPE)
  elseif(path MATCHES "^platform/(framework\\.h|program_entry\\.h|framework/)")
    set(${out} 2 PARENT_SCOPE)
  elseif(path MATCHES "^platform/(sim|user32|script|tui|windows)/")
    set(${out} 0 PARENT_SCOPE)
  elseif(path MATCHES "^(platform/[^/]+\\.h|platform/regedit4/|res/)")
    set(${out} 1 PARENT_SCOPE)
  else()
    set(${out} "" PARENT_SCOPE)
  endif()
endfunction()

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR}
  ${SOURCE_DIR}/app/*.h ${SOURCE_DIR}/app/*.cpp
  ${SOURCE_DIR}/sharing/*.h ${SOURCE_DIR}/sharing/*.cpp
  ${SOURCE_DIR}/netsetup/*.h ${SOURCE_DIR}/netsetup/*.cpp
  ${SOURCE_DIR}/wayback/*.h ${SOURCE_DIR}/wayback/*.cpp
  ${SOURCE_DIR}/common/*.h ${SOURCE_DIR}/common/*.cpp
  ${SOURCE_DIR}/platform/*.h ${SOURCE_DIR}/platform/*.cpp)
set(faults 0)
set(checked 0)
foreach(file IN LISTS files)
  layer_of(${file} from)
  if(from STREQUAL "")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" target "${line}")
    layer_of(${target} to)
    if(to STREQUAL "")
      message(SEND_ERROR "${file}: includes ${target}, which is in no layer")
      math(EXPR faults "${faults} + 1")
      continue()
    endif()
    math(EXPR checked "${checked} + 1")
    if(from EQUAL 0)
      set(ok TRUE)
      if(to GREATER 2)
        set(ok FALSE)
      elseif(file MATCHES "^platform/script/" AND target MATCHES "^platform/(sim|user32|tui|windows)/")
        set(ok FALSE)
      endif()
    elseif(to GREATER from OR to EQUAL 0)
      set(ok FALSE)
    else()
      set(ok TRUE)
    endif()
    if(NOT ok)
      message(SEND_ERROR "${file} (layer ${from}) includes ${target} (layer ${to})")
      math(EXPR faults "${faults} + 1")
    endif()
  endforeach()
endforeach()
if(faults GREATER 0)
  message(FATAL_ERROR "${faults} include(s) against the layers")
endif()
message(STATUS "${checked} includes checked, none climbs a layer")
