// The files of res/ compiled into the program: the resource script, its
// header and the icons it names.
#pragma once

#include <cstddef>
#include <string_view>

namespace res {

struct EmbeddedFile {
    const char *name;          // as the script names it, e.g. "app.ico"
    const unsigned char *data; // followed by a NUL that size leaves out
    std::size_t size;
};

// Generated at build time by cmake/EmbedResources.cmake.
extern const EmbeddedFile kEmbeddedFiles[];
extern const std::size_t kEmbeddedFileCount;

// The file of that name, or nullptr.
const EmbeddedFile *FindEmbeddedFile(std::string_view name);

} // namespace res
