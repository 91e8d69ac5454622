# Writes a C++ source holding every file below SOURCE_DIR, with its execute
# bit, as the table declared in platform/sim/machine/default_machine.h.
#   cmake -DSOURCE_DIR=<folder> -DOUTPUT=<file.cpp> -P EmbedFiles.cmake
file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} LIST_DIRECTORIES false ${SOURCE_DIR}/*)
list(SORT files)

# CMake's regular expressions have no {n}: a row of 16 bytes spelled out.
string(REPEAT "0x..," 16 row)
set(arrays "")
set(table "")
set(index 0)
foreach(rel IN LISTS files)
  file(READ "${SOURCE_DIR}/${rel}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(${row})" "\\1\n    " bytes "${bytes}")
  # CMake before 3.29 cannot test the mode bits itself.
  execute_process(COMMAND test -x "${SOURCE_DIR}/${rel}" RESULT_VARIABLE notExecutable)
  if(notExecutable)
    set(executable false)
  else()
    set(executable true)
  endif()
  string(APPEND arrays "const unsigned char file${index}[] = {\n    ${bytes}0};\n")
  string(APPEND table "    {\"${rel}\", file${index}, ${size}, ${executable}},\n")
  math(EXPR index "${index} + 1")
endforeach()

set(text "// Generated from examples/machine by cmake/EmbedFiles.cmake. Do not edit.
#include \"platform/sim/machine/default_machine.h\"

namespace sim {
namespace {
${arrays}} // namespace

const EmbeddedFile kDefaultMachineFiles[] = {
${table}};
const std::size_t kDefaultMachineFileCount = ${index};

} // namespace sim
")

file(WRITE ${OUTPUT} "${text}")
