#include "tests/testkit/testkit.h"

#include "platform/sim/machine/machine.h"
#include "platform/sim/registry/file.h"
#include "platform/sim/registry/writer.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace testkit {

namespace {

std::string MakeTempDir() {
    std::string pattern = (fs::temp_directory_path() / "vptest.XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    return pattern;
}

std::string Native(const std::string &path) {
    std::string out = path;
    for (char &c : out)
        if (c == '\\')
            c = '/';
    while (!out.empty() && out.front() == '/')
        out.erase(out.begin());
    return out;
}

// A built program runs under the command VP_VALGRIND holds (words
// separated by blanks), when it is set: the reliability run checks the
// programs, and the programs they start, with valgrind.
std::vector<std::string> UnderWrapper(const std::vector<std::string> &argv) {
    const char *wrapper = std::getenv("VP_VALGRIND");
    if (!wrapper || !*wrapper || argv.empty() || !argv[0].starts_with(BuiltProgram("")))
        return argv;
    std::vector<std::string> wrapped;
    std::istringstream words(wrapper);
    for (std::string word; words >> word;)
        wrapped.push_back(word);
    wrapped.insert(wrapped.end(), argv.begin(), argv.end());
    return wrapped;
}

} // namespace

std::string ReadFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::string &path, const std::string &content) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

std::vector<std::string> Lines(const std::string &text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

TempDir::TempDir() : m_dir(MakeTempDir()) {}
TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(m_dir, ec);
}

TempMachine::TempMachine() : m_dir(MakeTempDir()) {
    SetDrives({{'C', "fixed"}});
    SetRegistry("");
}

TempMachine::~TempMachine() {
    std::error_code ec;
    fs::remove_all(m_dir, ec);
}

void TempMachine::SetDrives(const std::map<char, std::string> &drives,
                            const std::string &windowsDirectory) {
    std::string ini = "[Drives]\n";
    for (const auto &[letter, type] : drives) {
        ini += std::string(1, letter) + "=" + type + "\n";
        fs::create_directories(DrivePath(letter));
    }
    if (!windowsDirectory.empty())
        ini += "[System]\nWindowsDirectory=" + windowsDirectory + "\n";
    WriteFile(m_dir + "/machine.ini", ini);
}

void TempMachine::SetRegistry(const std::string &body) {
    WriteFile(m_dir + "/registry.reg", "REGEDIT4\r\n\r\n" + body);
}

std::string TempMachine::DrivePath(char drive) const {
    return m_dir + "/drives/" + std::string(1, drive);
}

void TempMachine::AddFile(char drive, const std::string &path, const std::string &content,
                          bool executable) {
    std::string full = DrivePath(drive) + "/" + Native(path);
    WriteFile(full, content);
    if (executable)
        chmod(full.c_str(), 0755);
}

void TempMachine::AddDir(char drive, const std::string &path) {
    fs::create_directories(DrivePath(drive) + "/" + Native(path));
}

std::string TempMachine::ReadRegistry() const {
    return ReadFile(m_dir + "/registry.reg");
}
std::string TempMachine::SavedRegistry() const {
    sim::reg::RegistryFile file(m_dir + "/registry.reg");
    const sim::reg::Key *root = nullptr;
    if (file.Read(&root) != ERROR_SUCCESS) {
        ADD_FAILURE() << file.LastError();
        return "";
    }
    return sim::reg::WriteRegedit4(*root, "");
}
std::string TempMachine::ReadJournal() const {
    return ReadFile(m_dir + "/journal.log");
}
void TempMachine::Use() const {
    sim::UseMachine(m_dir);
}

std::string BuiltProgram(const std::string &relative) {
    const char *bin = std::getenv("VP_BINARY_DIR");
    return std::string(bin ? bin : VP_BUILT_BINARY_DIR) + "/" + relative;
}

std::string SourcePath(const std::string &relative) {
    const char *src = std::getenv("VP_SOURCE_DIR");
    return std::string(src ? src : VP_BUILT_SOURCE_DIR) + "/" + relative;
}

std::string ErrorPrefix() {
    return std::string(program_invocation_short_name) + ": ";
}

RunResult Run(const std::vector<std::string> &argv, const std::vector<std::string> &env,
              int timeoutSeconds) {
    RunResult result;
    int pipefd[2];
    if (pipe(pipefd) != 0)
        return result;
    pid_t pid = fork();
    if (pid == 0) {
        for (const auto &entry : env)
            putenv(const_cast<char *>(entry.c_str()));
        int null = open("/dev/null", O_RDONLY);
        dup2(null, 0);
        dup2(pipefd[1], 1);
        dup2(pipefd[1], 2);
        close(pipefd[0]);
        close(pipefd[1]);
        std::vector<std::string> wrapped = UnderWrapper(argv);
        std::vector<char *> args;
        for (const auto &a : wrapped)
            args.push_back(const_cast<char *>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(pipefd[1]);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    int flags = fcntl(pipefd[0], F_GETFL);
    fcntl(pipefd[0], F_SETFL, flags | O_NONBLOCK);
    int status = 0;
    bool done = false;
    char buf[4096];
    while (!done) {
        ssize_t n;
        while ((n = read(pipefd[0], buf, sizeof buf)) > 0)
            result.output.append(buf, static_cast<size_t>(n));
        pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid) {
            done = true;
        } else if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            ADD_FAILURE() << "timed out: " << argv[0];
            done = true;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    ssize_t n;
    while ((n = read(pipefd[0], buf, sizeof buf)) > 0)
        result.output.append(buf, static_cast<size_t>(n));
    close(pipefd[0]);
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        result.exitCode = 128 + WTERMSIG(status);
    return result;
}

} // namespace testkit
