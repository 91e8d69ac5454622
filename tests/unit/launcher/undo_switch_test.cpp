#include "app/undo_switch.h"

#include <gtest/gtest.h>

namespace {

TEST(UndoSwitch, FoundAmongTheArgumentsOnly) {
    const struct {
        const char *line;
        bool undo;
    } cases[] = {
        {"veltrin-sharing /undo", true},
        {"veltrin-sharing -UNDO", true},
        {"\"C:\\Program Files\\veltrin-sharing.exe\"  /script x  /Undo", true},
        {"veltrin-sharing\t-undo\t", true},
        {"veltrin-sharing", false},
        {"/undo", false},                     // the program's own name
        {"\"C:\\a /undo\\b.exe\" x", false},  // inside the quoted name
        {"veltrin-sharing /undone", false},
        {"veltrin-sharing undo", false},
        {"veltrin-sharing //undo", false},
        {"", false},
        {nullptr, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(HasUndoSwitch(c.line), c.undo) << (c.line ? c.line : "(null)");
}

} // namespace
