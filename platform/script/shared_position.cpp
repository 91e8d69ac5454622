#include "platform/script/shared_position.h"

#include "platform/decimal_text.h"
#include "platform/sim/host_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace script {

namespace {

constexpr const char *kPositionVariable = "VELTRIN_SCRIPT_POS";

void Store(int fd, std::size_t position) {
    const std::string text = vp::DecimalText(position) + "\n";
    // Failing to record the position would replay actions in the next
    // process; that shows as a script error there, so it is not fatal here.
    (void)!pwrite(fd, text.data(), text.size(), 0);
    (void)!ftruncate(fd, static_cast<off_t>(text.size()));
}

std::size_t Load(int fd) {
    char text[32] = {};
    const ssize_t got = pread(fd, text, sizeof text - 1, 0);
    return got > 0 ? std::strtoull(text, nullptr, 10) : 0;
}

// Another process of the run may take an action at the same time.
class Lock {
  public:
    explicit Lock(int fd) : fd_(fd) {
        while (flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~Lock() { flock(fd_, LOCK_UN); }
    Lock(const Lock &) = delete;
    Lock &operator=(const Lock &) = delete;

  private:
    int fd_;
};

} // namespace

SharedPosition::~SharedPosition() {
    if (fd_ >= 0)
        close(fd_);
}

SharedPosition::SharedPosition(SharedPosition &&other) noexcept : fd_(other.fd_) {
    other.fd_ = -1;
}

SharedPosition &SharedPosition::operator=(SharedPosition &&other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
}

bool SharedPosition::Open(const std::string &absolutePath, std::string *error) {
    const std::string path = absolutePath + ".pos";
    std::string why;
    fd_ = sim::OpenForWriting(path, O_RDWR | O_CREAT, &why);
    if (fd_ < 0) {
        *error = "cannot keep the position of the response file in " + path + ": " + why;
        return false;
    }
    const char *inherited = std::getenv(kPositionVariable);
    if (!inherited || std::string_view(inherited) != path) {
        Lock lock(fd_);
        Store(fd_, 0);
        setenv(kPositionVariable, path.c_str(), 1);
    }
    return true;
}

std::size_t SharedPosition::Take() {
    Lock lock(fd_);
    const std::size_t position = Load(fd_);
    Store(fd_, position + 1);
    return position;
}

} // namespace script
