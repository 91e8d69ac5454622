#include "platform/sim/machine/default_machine.h"
#include "platform/sim/machine/machine.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <span>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace sim {

namespace {

bool WriteEmbedded(const std::string &root, const EmbeddedFile &file, std::string *error) {
    fs::path path = fs::path(root) / file.path;
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    if (ec) {
        *error = path.parent_path().string() + ": " + ec.message();
        return false;
    }
    int fd =
        open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, file.executable ? 0755 : 0644);
    if (fd < 0) {
        *error = path.string() + ": " + std::strerror(errno);
        return false;
    }
    std::size_t done = 0;
    while (done < file.size) {
        ssize_t n = write(fd, file.data + done, file.size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            *error = path.string() + ": " + std::strerror(errno);
            close(fd);
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    // The umask may have taken the execute bits away; the CD's programs need them.
    if (file.executable)
        fchmod(fd, 0755);
    close(fd);
    return true;
}

} // namespace

// Written to a temporary sibling and renamed into place, so no reader ever
// sees a half-written machine.
bool CopyDefaultMachine(const std::string &dir, std::string *error) {
    std::string ignored;
    if (!error)
        error = &ignored;
    std::string clean = dir;
    while (clean.size() > 1 && clean.back() == '/')
        clean.pop_back();
    std::string temp = clean + ".new.XXXXXX";
    if (!mkdtemp(temp.data())) {
        *error = clean + ": " + std::strerror(errno);
        return false;
    }
    chmod(temp.c_str(), 0755);
    bool ok = true;
    for (const EmbeddedFile &file : std::span(kDefaultMachineFiles, kDefaultMachineFileCount))
        if (!(ok = WriteEmbedded(temp, file, error)))
            break;
    if (ok && rename(temp.c_str(), clean.c_str()) != 0) {
        *error = clean + ": " +
                 (errno == ENOTEMPTY || errno == EEXIST ? "already exists" : std::strerror(errno));
        ok = false;
    }
    if (!ok) {
        std::error_code ec;
        fs::remove_all(temp, ec);
    }
    return ok;
}

} // namespace sim
