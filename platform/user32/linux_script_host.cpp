// The automation core's needs (platform/script/host.h) on Linux, over the
// host's files: the response file and the position are files of the host,
// beside the simulated machine, not on it.
#include "platform/script/host.h"

#include "platform/sim/host/host_file.h"
#include "platform/sim/host/program_name.h"
#include "platform/user32/linux_fail.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace script::host {

std::string Variable(const char *name) {
    const char *value = std::getenv(name);
    return value ? value : "";
}

void SetVariable(const char *name, const std::string &value) {
    setenv(name, value.c_str(), 1);
}

std::string AbsolutePath(const std::string &path) {
    return std::filesystem::absolute(path).lexically_normal().string();
}

bool SameFile(const std::string &one, const std::string &other) {
    std::error_code error;
    return std::filesystem::equivalent(one, other, error);
}

bool ReadTextFile(const std::string &path, std::string *text, std::string *error) {
    return sim::ReadRegularFile(path, sim::kTextFileLimit, text, error);
}

// One write on a descriptor opened for appending: lines of the processes of
// one run never interleave.
bool AppendToFile(const std::string &path, std::string_view text, bool truncate,
                  std::string *error) {
    const int fd = open(path.c_str(),
                        O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | (truncate ? O_TRUNC : 0), 0644);
    if (fd < 0) {
        *error = std::strerror(errno);
        return false;
    }
    const ssize_t written = write(fd, text.data(), text.size());
    const int code = errno;
    close(fd);
    if (written == static_cast<ssize_t>(text.size()))
        return true;
    *error = written >= 0 ? "short write" : std::strerror(code);
    return false;
}

void Warn(const std::string &message) {
    sim::PrintError(message);
}

void Stop(const std::string &message, int status) {
    ui::Fail(message, status);
}

SharedFile::~SharedFile() {
    if (m_file >= 0)
        close(static_cast<int>(m_file));
}

bool SharedFile::Open(const std::string &path, std::string *error) {
    m_file = sim::OpenForWriting(path, O_RDWR | O_CREAT, error);
    return m_file >= 0;
}

void SharedFile::Lock() {
    while (flock(static_cast<int>(m_file), LOCK_EX) != 0 && errno == EINTR) {
    }
}

void SharedFile::Unlock() {
    flock(static_cast<int>(m_file), LOCK_UN);
}

std::string SharedFile::Read() {
    char text[32];
    const ssize_t got = pread(static_cast<int>(m_file), text, sizeof text, 0);
    return got > 0 ? std::string(text, static_cast<std::size_t>(got)) : std::string();
}

void SharedFile::Replace(std::string_view text) {
    const int fd = static_cast<int>(m_file);
    (void)!pwrite(fd, text.data(), text.size(), 0);
    (void)!ftruncate(fd, static_cast<off_t>(text.size()));
}

} // namespace script::host
