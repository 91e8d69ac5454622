#include "bench/spawn.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace bench {

namespace {

std::string_view NameOf(std::string_view entry) {
    return entry.substr(0, entry.find('='));
}

std::vector<std::string> Environment(const std::vector<std::string> &changes) {
    std::vector<std::string> env;
    for (char **e = environ; e && *e; ++e) {
        bool changed = false;
        for (const std::string &change : changes)
            changed = changed || NameOf(*e) == NameOf(change);
        if (!changed)
            env.emplace_back(*e);
    }
    for (const std::string &change : changes)
        if (change.find('=') != std::string::npos)
            env.push_back(change);
    return env;
}

// Strings and the null-ended array of pointers to them that exec takes.
struct ExecStrings {
    explicit ExecStrings(std::vector<std::string> all) : strings(std::move(all)) {
        for (std::string &s : strings)
            pointers.push_back(s.data());
        pointers.push_back(nullptr);
    }
    std::vector<std::string> strings;
    std::vector<char *> pointers;
};

} // namespace

ChildRun RunChild(const std::vector<std::string> &argv, const std::vector<std::string> &env,
                  bool captureOutput) {
    ChildRun run;
    ExecStrings args(argv), vars(Environment(env));
    int out[2] = {-1, -1};
    if (captureOutput && pipe2(out, O_CLOEXEC) != 0)
        return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (captureOutput)
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    else
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);

    auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    int failed = posix_spawn(&pid, args.pointers[0], &actions, nullptr, args.pointers.data(),
                             vars.pointers.data());
    posix_spawn_file_actions_destroy(&actions);
    if (captureOutput)
        close(out[1]);
    if (failed == 0 && captureOutput) {
        char buffer[4096];
        ssize_t n;
        while ((n = read(out[0], buffer, sizeof buffer)) != 0)
            if (n > 0)
                run.output.append(buffer, static_cast<std::size_t>(n));
            else if (errno != EINTR)
                break;
    }
    if (captureOutput)
        close(out[0]);
    if (failed != 0)
        return run;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.exitCode = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
    return run;
}

std::string ProgramFolder() {
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(".") : self.parent_path().string();
}

long PeakRssKb(const std::vector<std::string> &argv, const std::vector<std::string> &env) {
    std::vector<std::string> measured{ProgramFolder() + "/veltrin-bench-rss"};
    measured.insert(measured.end(), argv.begin(), argv.end());
    ChildRun run = RunChild(measured, env, true);
    return run.exitCode == 0 ? std::strtol(run.output.c_str(), nullptr, 10) : 0;
}

} // namespace bench
