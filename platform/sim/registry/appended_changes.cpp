#include "platform/sim/registry/appended_changes.h"

#include <cstring>

namespace sim::reg {

namespace {

// The frame of an appended change; the blank line before it makes it start a
// line whatever the file's last line was.
constexpr std::string_view kChangeBegins = "\r\n; change begins\r\n";
constexpr std::string_view kChangeEndsLine = "\r\n; change ends\r\n";

std::size_t Find(std::string_view text, std::string_view what, std::size_t from) {
    if (from > text.size())
        return std::string_view::npos;
    const void *at = memmem(text.data() + from, text.size() - from, what.data(), what.size());
    return at ? static_cast<std::size_t>(static_cast<const char *>(at) - text.data())
              : std::string_view::npos;
}

} // namespace

Appended AppendedChanges(std::string_view text) {
    std::size_t start = Find(text, kChangeBegins, 0);
    if (start == std::string_view::npos)
        return {text.size(), std::string_view::npos};
    std::size_t last = start, next;
    while ((next = Find(text, kChangeBegins, last + kChangeBegins.size())) != text.npos)
        last = next;
    // A change's text ends with a blank line, so its end line follows a line
    // end (the begin line's own, should the change be empty).
    bool ended = Find(text, kChangeEndsLine, last + kChangeBegins.size() - 2) != text.npos;
    return {start, ended ? std::string_view::npos : last};
}

std::string FramedChange(std::string_view sections) {
    std::string framed;
    framed.reserve(kChangeBegins.size() + sections.size() + kChangeEndsLine.size());
    framed.append(kChangeBegins).append(sections).append(kChangeEndsLine.substr(2));
    return framed;
}

} // namespace sim::reg
