#include "app/undo_switch.h"

#include <string_view>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsUndo(std::string_view arg) {
    constexpr std::string_view kWord = "undo";
    if (arg.size() != kWord.size() + 1 || (arg.front() != '/' && arg.front() != '-'))
        return false;
    for (std::size_t i = 0; i < kWord.size(); ++i) {
        char c = arg[i + 1];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
        if (c != kWord[i])
            return false;
    }
    return true;
}

} // namespace

bool HasUndoSwitch(const char *commandLine) {
    std::string_view line = commandLine ? commandLine : "";
    // The program's name runs to the first blank, or to its closing quote.
    std::size_t at = 0;
    if (!line.empty() && line.front() == '"') {
        const std::size_t close = line.find('"', 1);
        at = close == std::string_view::npos ? line.size() : close + 1;
    }
    while (at < line.size() && !IsBlank(line[at]))
        ++at;
    while (at < line.size()) {
        while (at < line.size() && IsBlank(line[at]))
            ++at;
        const std::size_t start = at;
        while (at < line.size() && !IsBlank(line[at]))
            ++at;
        if (IsUndo(line.substr(start, at - start)))
            return true;
    }
    return false;
}
