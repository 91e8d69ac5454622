#include "platform/sim/programs/start_command.h"

namespace sim {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

void SkipBlanks(std::string_view &s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
}

std::string TakeProgram(std::string_view &s) {
    size_t end;
    std::string program;
    if (!s.empty() && s.front() == '"') {
        end = s.find('"', 1);
        program = std::string(s.substr(1, end == std::string_view::npos ? end : end - 1));
        s = end == std::string_view::npos ? std::string_view() : s.substr(end + 1);
    } else {
        end = s.find_first_of(" \t");
        program = std::string(s.substr(0, end));
        s = end == std::string_view::npos ? std::string_view() : s.substr(end);
    }
    return program;
}

std::string TakeArgument(std::string_view &s) {
    std::string arg;
    bool quoted = false;
    while (!s.empty() && (quoted || !IsBlank(s.front()))) {
        size_t slashes = 0;
        while (slashes < s.size() && s[slashes] == '\\')
            ++slashes;
        if (slashes < s.size() && s[slashes] == '"') {
            arg.append(slashes / 2, '\\');
            if (slashes % 2)
                arg += '"';
            else
                quoted = !quoted;
            s.remove_prefix(slashes + 1);
        } else if (slashes > 0) {
            arg.append(slashes, '\\');
            s.remove_prefix(slashes);
        } else {
            arg += s.front();
            s.remove_prefix(1);
        }
    }
    return arg;
}

} // namespace

CommandLine SplitCommandLine(std::string_view line) {
    CommandLine result;
    SkipBlanks(line);
    result.program = TakeProgram(line);
    for (SkipBlanks(line); !line.empty(); SkipBlanks(line))
        result.args.push_back(TakeArgument(line));
    return result;
}

} // namespace sim
