// Helpers shared by the registry tests.
#pragma once

#include "platform/sim/registry/apply_regedit4.h"
#include "platform/sim/registry/tree.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>

#include <sys/wait.h>
#include <unistd.h>

namespace regtest {

inline sim::reg::Key Parse(std::string_view text) {
    sim::reg::Key root;
    vp::Regedit4Error error;
    EXPECT_TRUE(sim::reg::ApplyRegedit4(text, root, &error))
        << "line " << error.line << ": " << error.what << "\n"
        << text;
    return root;
}

// Runs body in a child process and returns its exit code (body's result),
// 128 + signal when it was killed. The child never returns into the test.
inline int InChild(const std::function<int()> &body) {
    pid_t pid = fork();
    if (pid == 0)
        _exit(body());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace regtest
