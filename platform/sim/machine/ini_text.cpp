#include "platform/sim/machine/ini_text.h"

#include "platform/registry_names.h"
#include "platform/trimmed.h"

namespace sim::ini {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view s) {
    return vp::Trimmed(s, IsBlank);
}

std::string_view Unquote(std::string_view s) {
    if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front())
        return s.substr(1, s.size() - 2);
    return s;
}

// Splits off the next line; accepts LF, CRLF and CR endings.
std::string_view NextLine(std::string_view &rest) {
    size_t end = rest.find_first_of("\r\n");
    std::string_view line = rest.substr(0, end);
    if (end == std::string_view::npos) {
        rest = {};
    } else {
        size_t skip = (rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n') ? 2 : 1;
        rest.remove_prefix(end + skip);
    }
    return line;
}

} // namespace

Text Parse(std::string_view text) {
    Text result;
    std::string section;
    int number = 0;
    while (!text.empty()) {
        std::string_view line = Trim(NextLine(text));
        ++number;
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            size_t close = line.rfind(']');
            // A header without ']' still opens a section, as Windows reads it.
            std::string_view name =
                line.substr(1, close == std::string_view::npos ? close : close - 1);
            section = std::string(Trim(name));
            result.sections.push_back(section);
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            continue;
        result.entries.push_back({section, std::string(Trim(line.substr(0, eq))),
                                  std::string(Unquote(Trim(line.substr(eq + 1)))), number});
    }
    return result;
}

const Entry *Find(const Text &text, std::string_view section, std::string_view key) {
    for (const Entry &e : text.entries)
        if (vp::SameRegName(e.section, section) && vp::SameRegName(e.key, key))
            return &e;
    return nullptr;
}

} // namespace sim::ini
