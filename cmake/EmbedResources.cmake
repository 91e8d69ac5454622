# Writes a C++ source holding the named files of res/ as the table declared in
# res/embedded.h, so the program carries its resource script and icon.
#   cmake -DINPUT_DIR=<res> -DFILES=<name;name...> -DOUTPUT=<file.cpp> -P EmbedResources.cmake
set(arrays "")
set(table "")
foreach(name IN LISTS FILES)
  file(READ ${INPUT_DIR}/${name} hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "(..)" "0x\\1," bytes "${hex}")
  string(MAKE_C_IDENTIFIER "${name}" id)
  # A NUL after the last byte lets a text be read as a C string; size leaves it out.
  string(APPEND arrays "const unsigned char ${id}[] = {${bytes}0};\n")
  string(APPEND table "    {\"${name}\", ${id}, ${size}},\n")
endforeach()

file(WRITE ${OUTPUT} "// Generated from res/ by cmake/EmbedResources.cmake. Do not edit.
#include \"res/embedded.h\"

namespace res {
namespace {
${arrays}} // namespace

const EmbeddedFile kEmbeddedFiles[] = {
${table}};
const std::size_t kEmbeddedFileCount = sizeof kEmbeddedFiles / sizeof kEmbeddedFiles[0];

} // namespace res
")
