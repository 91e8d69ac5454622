#include "wayback/whole_file.h"

namespace {

// An open file handle, closed once when it goes.
class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() {
        if (*this)
            CloseHandle(m_handle);
    }
    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;
    explicit operator bool() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }

  private:
    HANDLE m_handle;
};

DWORD WriteAll(HANDLE file, std::string_view text) {
    DWORD written = 0;
    if (!WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
        return GetLastError();
    return written == text.size() ? 0 : static_cast<DWORD>(ERROR_WRITE_FAULT);
}

std::string TemporaryPathFor(const std::string &path) {
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('\\');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return path.substr(0, hasExtension ? dot : path.size()) + ".tmp";
}

DWORD WriteNewFile(const std::string &path, std::string_view text) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return GetLastError();
    return WriteAll(file.Get(), text);
}

DWORD MoveOver(const std::string &from, const std::string &to) {
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    DWORD error = GetLastError();
    if (error != ERROR_CALL_NOT_IMPLEMENTED)
        return error;
    error = DeleteFileIfThere(to);
    if (error)
        return error;
    return MoveFileA(from.c_str(), to.c_str()) ? 0 : GetLastError();
}

} // namespace

std::string WindowsDirectoryFile(std::string_view name) {
    char directory[MAX_PATH] = "";
    const UINT length = GetWindowsDirectoryA(directory, sizeof directory);
    std::string path(directory, length < sizeof directory ? length : 0);
    if (path.empty() || path.back() != '\\')
        path += '\\';
    path += name;
    return path;
}

DWORD ReadWholeFile(const std::string &path, DWORD limit, std::string *text) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return GetLastError();
    DWORD high = 0;
    const DWORD size = GetFileSize(file.Get(), &high);
    if (size == INVALID_FILE_SIZE && GetLastError() != ERROR_SUCCESS)
        return GetLastError();
    if (high || size > limit)
        return ERROR_FILE_TOO_LARGE;
    text->assign(size, '\0');
    DWORD read = 0;
    if (!ReadFile(file.Get(), text->data(), size, &read, nullptr))
        return GetLastError();
    text->resize(read);
    return 0;
}

DWORD ReplaceWholeFile(const std::string &path, std::string_view text) {
    const std::string temporary = TemporaryPathFor(path);
    DWORD error = WriteNewFile(temporary, text);
    if (!error)
        error = MoveOver(temporary, path);
    if (error)
        DeleteFileA(temporary.c_str());
    return error;
}

DWORD AppendToFile(const std::string &path, std::string_view text) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return GetLastError();
    const DWORD end = SetFilePointer(file.Get(), 0, nullptr, FILE_END);
    if (end == INVALID_SET_FILE_POINTER && GetLastError() != ERROR_SUCCESS)
        return GetLastError();
    const DWORD error = WriteAll(file.Get(), text);
    // A full disk may take part of the text: that part goes again.
    if (error && SetFilePointer(file.Get(), static_cast<LONG>(end), nullptr, FILE_BEGIN) == end)
        SetEndOfFile(file.Get());
    return error;
}

DWORD DeleteFileIfThere(const std::string &path) {
    if (DeleteFileA(path.c_str()))
        return 0;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND ? 0 : error;
}
