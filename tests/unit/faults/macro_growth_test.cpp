// A resource script whose macros name each other twice over would give
// 2^39 tokens: the reader refuses it at once, naming the macro's line.
#include "res/templates.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(MacroGrowth, DoublingMacrosAreRefusedAtTheTokenBound) {
    std::string header;
    for (int i = 0; i < 39; ++i)
        header += "#define M" + std::to_string(i) + " M" + std::to_string(i + 1) + "|M" +
                  std::to_string(i + 1) + "\n";
    header += "#define M39 1\n";
    const std::string script = "#include \"resource.h\"\n1 DIALOG 0, 0, 10, 10\nSTYLE M0\n"
                               "BEGIN\nEND\n";
    res::ResourceScript parsed;
    std::string error;
    EXPECT_FALSE(res::ParseResourceScript(script, header, &parsed, &error));
    EXPECT_TRUE(error.starts_with("resource.h:")) << error;
    EXPECT_NE(error.find("macros give more than"), std::string::npos) << error;
}

} // namespace
