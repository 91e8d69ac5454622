// What the automation core (this folder) asks of the system it runs on.
// Each build defines it once: platform/user32/linux_script_host.cpp over the
// simulated machine, platform/windows/script_dll/win_script_host.cpp over Win32.
#pragma once

#include "platform/script/exit_status.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace script::host {

// The value of an environment variable; empty when it is not set.
std::string Variable(const char *name);
void SetVariable(const char *name, const std::string &value);
// The absolute form of a path, relative to the current folder.
std::string AbsolutePath(const std::string &path);
// Whether two paths name one file.
bool SameFile(const std::string &one, const std::string &other);
// The whole of a regular file, at most a megabyte; false with *error set.
bool ReadTextFile(const std::string &path, std::string *text, std::string *error);
// Appends the text in one write, to the file emptied first when `truncate`;
// false with *error set.
bool AppendToFile(const std::string &path, std::string_view text, bool truncate,
                  std::string *error);
// Writes "<program>: <message>" as one line to the standard error.
void Warn(const std::string &message);
// Writes "<program>: <message>" as one line to the standard error and ends the
// process at once, from however deep in nested modal runs.
[[noreturn]] void Stop(const std::string &message, int status = kNoAnswerExitCode);

// A small file that the processes of one run share, with a lock across them.
class SharedFile {
  public:
    SharedFile() = default;
    ~SharedFile();
    SharedFile(const SharedFile &) = delete;
    SharedFile &operator=(const SharedFile &) = delete;

    // Opens the file, made when missing; false with *error set.
    bool Open(const std::string &path, std::string *error);
    void Lock();
    void Unlock();
    // The file's first bytes (a few dozen).
    std::string Read();
    // The whole file becomes the text. Failing to write it is not told: the
    // next process then shows it (shared_position.cpp).
    void Replace(std::string_view text);

  private:
    std::intptr_t m_file = -1; // the build's own handle
    void *m_lock = nullptr;    // and lock, where it keeps one apart
};

} // namespace script::host
