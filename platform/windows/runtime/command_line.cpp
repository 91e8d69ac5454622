#include "platform/windows/runtime/command_line.h"

namespace vp::winrt {

namespace {

bool Blank(char c) {
    return c == ' ' || c == '\t';
}

// Where the arguments go: counted always, written when there is room.
struct Arguments {
    char **argv;
    char *text;
    ArgumentSizes sizes{};

    void Begin() {
        if (argv)
            argv[sizes.count] = text + sizes.chars;
        ++sizes.count;
    }
    void Put(char c) {
        if (text)
            text[sizes.chars] = c;
        ++sizes.chars;
    }
};

} // namespace

ArgumentSizes SplitCommandLine(const char *line, char **argv, char *text) {
    Arguments arguments{argv, text};
    const char *at = line;
    // A file name holds no quotes: the name's own need no escapes.
    arguments.Begin();
    if (*at == '"') {
        while (*++at && *at != '"')
            arguments.Put(*at);
        if (*at == '"')
            ++at;
    } else {
        for (; *at && !Blank(*at); ++at)
            arguments.Put(*at);
    }
    arguments.Put('\0');

    bool quoted = false;
    for (;;) {
        while (Blank(*at))
            ++at;
        if (!*at)
            break;
        arguments.Begin();
        for (;;) {
            std::size_t backslashes = 0;
            for (; *at == '\\'; ++at)
                ++backslashes;
            bool keep = true;
            if (*at == '"') {
                if (backslashes % 2 == 0) {
                    if (quoted && at[1] == '"')
                        ++at;
                    else
                        keep = false;
                    quoted = !quoted;
                }
                backslashes /= 2;
            }
            for (; backslashes > 0; --backslashes)
                arguments.Put('\\');
            if (!*at || (!quoted && Blank(*at)))
                break;
            if (keep)
                arguments.Put(*at);
            ++at;
        }
        arguments.Put('\0');
    }
    return arguments.sizes;
}

} // namespace vp::winrt
