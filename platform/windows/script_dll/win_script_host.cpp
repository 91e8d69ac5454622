// The automation core's needs (platform/script/host.h) over Win32: KERNEL32
// calls that every Windows 95 has.
#include "platform/script/host.h"

#include "platform/api.h"
#include "platform/framework/decimal_text.h"
#include "platform/windows/environment.h"
#include "platform/windows/win_fail.h"

namespace script::host {

namespace {

constexpr DWORD kTextLimit = 1u << 20;
constexpr char kLockName[] = "VeltrinPellorinScriptPosition";

std::string ErrorText() {
    return "error " + vp::DecimalText(GetLastError());
}

HANDLE Handle(std::intptr_t file) {
    return reinterpret_cast<HANDLE>(file);
}

} // namespace

std::string Variable(const char *name) {
    return win32::EnvironmentValue(name);
}

void SetVariable(const char *name, const std::string &value) {
    win32::SetEnvironmentValue(name, value);
}

std::string AbsolutePath(const std::string &path) {
    return win32::FullPath(path.c_str());
}

// Names compare without case on Windows.
bool SameFile(const std::string &one, const std::string &other) {
    return lstrcmpiA(AbsolutePath(one).c_str(), AbsolutePath(other).c_str()) == 0;
}

bool ReadTextFile(const std::string &path, std::string *text, std::string *error) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *error = ErrorText();
        return false;
    }
    const DWORD size = GetFileSize(file, nullptr);
    bool read = size <= kTextLimit;
    if (read) {
        text->assign(size, '\0');
        DWORD got = 0;
        read = ReadFile(file, text->data(), size, &got, nullptr) != 0;
        text->resize(got);
    }
    *error = read ? "" : size > kTextLimit ? "more than a megabyte" : ErrorText();
    CloseHandle(file);
    return read;
}

// The processes of a run take turns, so a write at the end of the file is
// enough.
bool AppendToFile(const std::string &path, std::string_view text, bool truncate,
                  std::string *error) {
    const HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    truncate ? CREATE_ALWAYS : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *error = ErrorText();
        return false;
    }
    SetFilePointer(file, 0, nullptr, FILE_END);
    DWORD written = 0;
    const bool done =
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
        written == text.size();
    if (!done)
        *error = ErrorText();
    CloseHandle(file);
    return done;
}

void Warn(const std::string &message) {
    win32::WriteErrorLine(message);
}

void Stop(const std::string &message, int status) {
    win32::Fail({message}, status);
}

SharedFile::~SharedFile() {
    if (Handle(m_file) != INVALID_HANDLE_VALUE)
        CloseHandle(Handle(m_file));
    if (m_lock)
        CloseHandle(m_lock);
}

bool SharedFile::Open(const std::string &path, std::string *error) {
    m_file = reinterpret_cast<std::intptr_t>(
        CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    m_lock = CreateMutexA(nullptr, FALSE, kLockName);
    if (Handle(m_file) != INVALID_HANDLE_VALUE && m_lock)
        return true;
    *error = ErrorText();
    return false;
}

void SharedFile::Lock() {
    WaitForSingleObject(m_lock, INFINITE);
}

void SharedFile::Unlock() {
    ReleaseMutex(m_lock);
}

std::string SharedFile::Read() {
    char text[32];
    DWORD got = 0;
    SetFilePointer(Handle(m_file), 0, nullptr, FILE_BEGIN);
    if (!ReadFile(Handle(m_file), text, sizeof text, &got, nullptr))
        return {};
    return std::string(text, got);
}

void SharedFile::Replace(std::string_view text) {
    DWORD written = 0;
    SetFilePointer(Handle(m_file), 0, nullptr, FILE_BEGIN);
    WriteFile(Handle(m_file), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    SetEndOfFile(Handle(m_file));
}

} // namespace script::host
