#include "platform/quoted_text.h"
#include "platform/sim/host/host_file.h"
#include "platform/sim/host/program_name.h"
#include "platform/sim/machine/machine.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace sim {

namespace {

// The line with its control characters written as \xNN: a name holding a
// line end cannot forge a line of its own.
std::string JournalLine(std::string_view line) {
    std::string out;
    out.reserve(line.size());
    for (char ch : line) {
        auto c = static_cast<unsigned char>(ch);
        if (vp::IsControlByte(c))
            vp::AppendByteEscape(out, c);
        else
            out += ch;
    }
    return out;
}

} // namespace

// O_APPEND and a single write() per line keep the lines of several processes
// of the machine whole and in order.
void AppendJournal(const std::string &line) {
    std::string text = JournalLine(line) + "\n";
    std::string path = JournalPath();
    std::string why;
    int fd = OpenForWriting(path, O_WRONLY | O_APPEND | O_CREAT, &why);
    if (fd < 0) {
        PrintError("cannot open " + path + ": " + why);
        return;
    }
    ssize_t written = write(fd, text.data(), text.size());
    if (written != static_cast<ssize_t>(text.size()))
        PrintError("cannot write " + path + ": " +
                   (written < 0 ? std::strerror(errno) : "short write"));
    close(fd);
}

} // namespace sim
