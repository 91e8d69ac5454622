#include "platform/windows/shared_position.h"

#include "platform/decimal_text.h"
#include "platform/windows/environment.h"

#include <cstdlib>

namespace win32::script {

namespace {

constexpr const char *kPositionVariable = "VELTRIN_SCRIPT_POS";
constexpr const char *kLockName = "VeltrinPellorinScriptPosition";

class Hold {
  public:
    explicit Hold(HANDLE mutex) : mutex_(mutex) { WaitForSingleObject(mutex_, INFINITE); }
    ~Hold() { ReleaseMutex(mutex_); }
    Hold(const Hold &) = delete;
    Hold &operator=(const Hold &) = delete;

  private:
    HANDLE mutex_;
};

} // namespace

SharedPosition::~SharedPosition() {
    if (file_ != INVALID_HANDLE_VALUE)
        CloseHandle(file_);
    if (lock_)
        CloseHandle(lock_);
}

bool SharedPosition::Open(const std::string &absolutePath, std::string *error) {
    std::string path = absolutePath;
    path += ".pos";
    file_ =
        CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    lock_ = CreateMutexA(nullptr, FALSE, kLockName);
    if (file_ == INVALID_HANDLE_VALUE || !lock_) {
        *error = "cannot keep the position of the response file in ";
        *error += path;
        *error += " (error ";
        *error += vp::DecimalText(GetLastError());
        *error += ')';
        return false;
    }
    if (EnvironmentValue(kPositionVariable) != path) {
        Hold hold(lock_);
        Store(0);
        SetEnvironmentValue(kPositionVariable, path);
    }
    return true;
}

std::size_t SharedPosition::Take() {
    Hold hold(lock_);
    const std::size_t position = Load();
    Store(position + 1);
    return position;
}

std::size_t SharedPosition::Load() {
    char text[32] = {};
    DWORD got = 0;
    SetFilePointer(file_, 0, nullptr, FILE_BEGIN);
    if (!ReadFile(file_, text, sizeof text - 1, &got, nullptr))
        return 0;
    return std::strtoul(text, nullptr, 10);
}

// Failing to record the position would replay actions in the next process;
// that shows as a script error there, so it is not fatal here.
void SharedPosition::Store(std::size_t position) {
    std::string text = vp::DecimalText(position);
    text += '\n';
    DWORD written = 0;
    SetFilePointer(file_, 0, nullptr, FILE_BEGIN);
    WriteFile(file_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    SetEndOfFile(file_);
}

} // namespace win32::script
