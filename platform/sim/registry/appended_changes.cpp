#include "platform/sim/registry/appended_changes.h"

#include <array>
#include <charconv>
#include <cstring>

namespace sim::reg {

namespace {

// The blank line before a frame makes its begin line start a line whatever
// the file's last line was.
constexpr std::string_view kBeginLead = "\r\n; change begins ";
constexpr std::string_view kEndLine = "; change ends\r\n";
constexpr std::string_view kLineEnd = "\r\n";

std::size_t Find(std::string_view text, std::string_view what, std::size_t from) {
    if (from > text.size())
        return std::string_view::npos;
    const void *at = memmem(text.data() + from, text.size() - from, what.data(), what.size());
    return at ? static_cast<std::size_t>(static_cast<const char *>(at) - text.data())
              : std::string_view::npos;
}

constexpr std::array<std::uint32_t, 256> CrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[i] = c;
    }
    return table;
}

std::string Hex8(std::uint32_t value) {
    char digits[9];
    for (int i = 7; i >= 0; --i, value >>= 4)
        digits[i] = "0123456789abcdef"[value & 0xF];
    return std::string(digits, 8);
}

// A begin line's numbers, read from just after kBeginLead at `at`.
struct Header {
    std::size_t body = 0; // where the change's bytes start
    std::size_t length = 0;
    std::uint32_t sum = 0;
};

// Only the form FramedChange writes: decimal length without leading zeros,
// one blank, 8 lower-case hex digits, the line end.
bool ReadHeader(std::string_view text, std::size_t at, Header *header) {
    const char *p = text.data() + at;
    const char *end = text.data() + text.size();
    if (p == end || *p < '0' || *p > '9' || (*p == '0' && p + 1 < end && p[1] != ' '))
        return false;
    auto [afterLength, lengthError] = std::from_chars(p, end, header->length);
    if (lengthError != std::errc() || afterLength == end || *afterLength != ' ')
        return false;
    const char *sum = afterLength + 1;
    if (end - sum < 8 + static_cast<std::ptrdiff_t>(kLineEnd.size()))
        return false;
    for (int i = 0; i < 8; ++i)
        if (!((sum[i] >= '0' && sum[i] <= '9') || (sum[i] >= 'a' && sum[i] <= 'f')))
            return false;
    std::from_chars(sum, sum + 8, header->sum, 16);
    if (std::string_view(sum + 8, kLineEnd.size()) != kLineEnd)
        return false;
    header->body = static_cast<std::size_t>(sum + 8 + kLineEnd.size() - text.data());
    return true;
}

} // namespace

std::uint32_t Crc32(std::string_view bytes) {
    static constexpr std::array<std::uint32_t, 256> kTable = CrcTable();
    std::uint32_t c = 0xFFFFFFFFu;
    for (char ch : bytes)
        c = kTable[(c ^ static_cast<unsigned char>(ch)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

// One pass: a checked frame is skipped whole, and so is the span a begin
// line claimed when its checksum failed, so no byte is summed twice.
Appended AppendedChanges(std::string_view text) {
    Appended found{text.size(), std::string_view::npos};
    std::size_t from = 0, at;
    while ((at = Find(text, kBeginLead, from)) != std::string_view::npos) {
        Header header;
        if (!ReadHeader(text, at + kBeginLead.size(), &header)) {
            from = at + kLineEnd.size();
            continue;
        }
        const std::size_t room = text.size() - header.body;
        if (header.length > room || room - header.length < kEndLine.size()) {
            found.cutAt = at; // runs past the end of the file
            break;
        }
        const std::size_t endLine = header.body + header.length;
        if (text.substr(endLine, kEndLine.size()) != kEndLine) {
            from = at + kLineEnd.size();
            continue;
        }
        if (Crc32(text.substr(header.body, header.length)) == header.sum &&
            found.start == text.size())
            found.start = at;
        from = endLine;
    }
    return found;
}

std::string FramedChange(std::string_view sections) {
    std::string framed(kBeginLead);
    framed.append(std::to_string(sections.size()))
        .append(" ")
        .append(Hex8(Crc32(sections)))
        .append(kLineEnd)
        .append(sections)
        .append(kEndLine);
    return framed;
}

} // namespace sim::reg
