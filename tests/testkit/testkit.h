// Shared test helpers: machines made in a temporary folder, file helpers and
// running the built programs.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace testkit {

// A fresh machine folder under the system's temporary folder, removed when
// the object goes. Use() makes it the machine of this process.
class TempMachine {
  public:
    TempMachine();
    ~TempMachine();
    TempMachine(const TempMachine &) = delete;
    TempMachine &operator=(const TempMachine &) = delete;

    const std::string &Dir() const { return m_dir; }
    // [Drives] lines, e.g. {{'A', "removable"}, {'E', "cdrom"}}; creates drives/<L>/.
    void SetDrives(const std::map<char, std::string> &drives,
                   const std::string &windowsDirectory = "");
    // Writes registry.reg from the REGEDIT4 body given (the header is added).
    void SetRegistry(const std::string &body);
    // Creates a file (and its folders) on drive L; path uses '\' or '/'.
    void AddFile(char drive, const std::string &path, const std::string &content = "",
                 bool executable = false);
    void AddDir(char drive, const std::string &path);
    std::string DrivePath(char drive) const;
    // registry.reg as it lies, appended changes and all.
    std::string ReadRegistry() const;
    // What a new reader of registry.reg takes from it, written out whole: one
    // section a key, appended changes folded in, a cut change left out.
    std::string SavedRegistry() const;
    std::string ReadJournal() const;
    void Use() const;

  private:
    std::string m_dir;
};

std::string ReadFile(const std::string &path);
void WriteFile(const std::string &path, const std::string &content);
std::vector<std::string> Lines(const std::string &text);

// A temporary folder, removed when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;
    const std::string &Path() const { return m_dir; }

  private:
    std::string m_dir;
};

// Path of a built program (VP_BINARY_DIR from the test environment).
std::string BuiltProgram(const std::string &relative);
std::string SourcePath(const std::string &relative);

// What this process's error lines begin with: "<program>: ".
std::string ErrorPrefix();

struct RunResult {
    int exitCode = -1;  // 128 + signal when killed
    std::string output; // stdout and stderr together
};
// Runs argv with extra environment entries ("NAME=value"), stdin from
// /dev/null, killed after timeoutSeconds. A built program runs under the
// command in VP_VALGRIND when that is set.
RunResult Run(const std::vector<std::string> &argv, const std::vector<std::string> &env,
              int timeoutSeconds = 30);

} // namespace testkit
