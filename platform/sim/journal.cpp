#include "platform/sim/journal.h"

#include "platform/sim/machine.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace sim {

namespace {

bool IsControl(unsigned char c) {
    return c < 0x20 || c == 0x7f;
}

void AppendHex(std::string &out, unsigned char c) {
    char buf[5];
    std::snprintf(buf, sizeof buf, "\\x%02x", c);
    out += buf;
}

// The line with its control characters written as \xNN: a name holding a
// line end cannot forge a line of its own.
std::string JournalLine(std::string_view line) {
    std::string out;
    out.reserve(line.size());
    for (char ch : line) {
        auto c = static_cast<unsigned char>(ch);
        if (IsControl(c))
            AppendHex(out, c);
        else
            out += ch;
    }
    return out;
}

} // namespace

std::string JournalQuote(std::string_view text) {
    std::string out = "\"";
    for (char ch : text) {
        auto c = static_cast<unsigned char>(ch);
        if (ch == '\\' || ch == '"') {
            out += '\\';
            out += ch;
        } else if (ch == '\n') {
            out += "\\n";
        } else if (ch == '\r') {
            out += "\\r";
        } else if (ch == '\t') {
            out += "\\t";
        } else if (IsControl(c)) {
            AppendHex(out, c);
        } else {
            out += ch;
        }
    }
    out += '"';
    return out;
}

// O_APPEND and a single write() per line keep the lines of several processes
// of the machine whole and in order.
void AppendJournal(const std::string &line) {
    std::string text = JournalLine(line) + "\n";
    std::string path = JournalPath();
    int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        std::fprintf(stderr, "veltrin: cannot open %s: %s\n", path.c_str(), std::strerror(errno));
        return;
    }
    ssize_t written = write(fd, text.data(), text.size());
    if (written != static_cast<ssize_t>(text.size()))
        std::fprintf(stderr, "veltrin: cannot write %s: %s\n", path.c_str(),
                     written < 0 ? std::strerror(errno) : "short write");
    close(fd);
}

} // namespace sim
