// The text of an INI file read the way Windows reads profile strings:
// "[section]" headers, "key=value" lines, ';' comment lines. Names and values
// are trimmed; a value in matching double or single quotes loses them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sim::ini {

struct Entry {
    std::string section; // as written, trimmed
    std::string key;     // as written, trimmed
    std::string value;   // trimmed, quotes removed
    int line = 0;        // 1-based line number in the text
};

struct Text {
    std::vector<std::string> sections; // names in file order, repeats included
    std::vector<Entry> entries;        // in file order
};

// Parses LF, CRLF or CR separated text. Lines before the first header belong
// to a section with an empty name; a line without '=' is not an entry.
Text Parse(std::string_view text);

// The first entry of that section and key, or nullptr.
const Entry *Find(const Text &text, std::string_view section, std::string_view key);

} // namespace sim::ini
