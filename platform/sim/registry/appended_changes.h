// Changes appended to registry.reg. Each is framed by two comment lines:
//
//     ; change begins <length> <checksum>
//     <length bytes of REGEDIT4 sections>
//     ; change ends
//
// where the checksum is the CRC-32 of those bytes in 8 hex digits. A reader
// takes a begin line as a frame only in that exact form: a frame whose bytes
// are all there must have its end line right after them and the checksum
// they carry; one that runs past the end of the file is a change cut short
// and is left out. Anything else, a hand-written "; change begins" among
// it, is a comment like any other.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace sim::reg {

// A registry smaller than this is written whole only when its appended
// changes pass this size.
inline constexpr std::size_t kLeastAppendedBytes = 64 * 1024;

// Where a file's appended changes start (its size when it has none), and
// where a change cut short starts (npos when none was): the line end that
// ends the line before its begin line.
struct Appended {
    std::size_t start, cutAt;
};

Appended AppendedChanges(std::string_view text);

// The change's REGEDIT4 sections in their frame, as appended to the file.
std::string FramedChange(std::string_view sections);

// CRC-32 (the polynomial of zip and PNG) of bytes.
std::uint32_t Crc32(std::string_view bytes);

} // namespace sim::reg
