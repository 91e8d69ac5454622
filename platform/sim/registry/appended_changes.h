// Changes appended to registry.reg: each framed by the comment lines
// "; change begins" and "; change ends", so a reader can tell where they
// start and whether the last one was cut short.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sim::reg {

// A registry smaller than this is written whole only when its appended
// changes pass this size.
inline constexpr std::size_t kLeastAppendedBytes = 64 * 1024;

// Where a file's appended changes start (its size when it has none), and
// where its last one starts when that one was cut short (npos when none was).
struct Appended {
    std::size_t start, cutAt;
};

Appended AppendedChanges(std::string_view text);

// The change's REGEDIT4 sections in their frame, as appended to the file.
std::string FramedChange(std::string_view sections);

} // namespace sim::reg
