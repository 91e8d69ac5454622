#include "platform/sim/registry/apply_regedit4.h"
#include "platform/sim/registry/writer.h"
#include "tests/unit/registry/registry_test_util.h"

#include <gtest/gtest.h>

using namespace std::string_literals;
using sim::reg::ApplyRegedit4;
using sim::reg::FindKey;
using sim::reg::Key;

using sim::reg::Value;

namespace {

struct ValueCase {
    std::string line; // a value line under [HKEY_LOCAL_MACHINE\K]
    std::string name;
    std::uint32_t type;
    std::string data;
};

class RegValueLine : public testing::TestWithParam<ValueCase> {};

TEST_P(RegValueLine, Reads) {
    const ValueCase &c = GetParam();
    Key root = regtest::Parse("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\K]\r\n" + c.line + "\r\n");
    const Key *key = FindKey(root, "K");
    ASSERT_NE(key, nullptr);
    ASSERT_EQ(key->values.Size(), 1u) << c.line;
    const Value &value = key->values.At(0);
    EXPECT_EQ(std::string_view(value.name), c.name) << c.line;
    EXPECT_EQ(value.type, c.type) << c.line;
    EXPECT_EQ(std::string_view(value.data), c.data) << c.line;
}

INSTANTIATE_TEST_SUITE_P(
    Formats, RegValueLine,
    testing::Values(ValueCase{R"("a"="plain")", "a", 1, "plain\0"s},
                    ValueCase{R"("a"="back\\slash")", "a", 1, "back\\slash\0"s},
                    ValueCase{R"("a"="say \"hi\"")", "a", 1, "say \"hi\"\0"s},
                    ValueCase{R"("a"="l1\nl2\r")", "a", 1, "l1\nl2\r\0"s},
                    ValueCase{R"("a"="")", "a", 1, "\0"s},
                    ValueCase{R"("a"="semi;colon" ; and a comment)", "a", 1, "semi;colon\0"s},
                    ValueCase{R"(@="default")", "", 1, "default\0"s},
                    ValueCase{"\"a\" \t=  \"spaced\"  ", "a", 1, "spaced\0"s},
                    ValueCase{R"("na\"me\\"="v")", "na\"me\\", 1, "v\0"s},
                    ValueCase{"\"\xe9t\xe9\"=\"caf\xe9\"", "\xe9t\xe9", 1, "caf\xe9\0"s},
                    ValueCase{"\"tab\tname\"=\"v\"", "tab\tname", 1, "v\0"s},
                    ValueCase{R"("a"=dword:1)", "a", 4, "\x01\0\0\0"s},
                    ValueCase{R"("a"=DWORD:DEADbeef)", "a", 4, "\xef\xbe\xad\xde"s},
                    ValueCase{R"("a"=dword:00000000 ; zero)", "a", 4, "\0\0\0\0"s},
                    ValueCase{R"("a"=hex:)", "a", 3, ""},
                    ValueCase{R"("a"=hex:00,ff,7F)", "a", 3, "\0\xff\x7f"s},
                    ValueCase{R"("a"=hex: 1 , 2 ,3)", "a", 3, "\x01\x02\x03"s},
                    ValueCase{R"("a"=hex(7):41,00,00)", "a", 7, "A\0\0"s},
                    ValueCase{R"("a"=hex(b):01)", "a", 11, "\x01"s},
                    ValueCase{R"("a"=hex(0):)", "a", 0, ""},
                    ValueCase{R"("a"=hex(1):41,00,42)", "a", 1, "A\0B"s},
                    ValueCase{"\"a\"=hex:01,\\\r\n  02,\\\r\n\t03", "a", 3, "\x01\x02\x03"s},
                    ValueCase{"\"a\"=hex:01,  \\  \r\n02", "a", 3, "\x01\x02"s}));

// Whole texts that must read to the same tree as the reference.
TEST(RegReader, LineEndsAndHeaderVariants) {
    const std::string body = "[HKEY_LOCAL_MACHINE\\A]\n\"x\"=\"1\"\n\n[HKEY_LOCAL_MACHINE\\B]\n";
    Key reference = regtest::Parse("REGEDIT4\n\n" + body);
    auto with = [&](const std::string &lineEnd) {
        std::string text = "REGEDIT4\n\n" + body;
        std::string out;
        for (char c : text)
            out += c == '\n' ? lineEnd : std::string(1, c);
        return out;
    };
    EXPECT_EQ(regtest::Parse(with("\r\n")), reference);
    EXPECT_EQ(regtest::Parse(with("\r")), reference);
    EXPECT_EQ(regtest::Parse("  \tREGEDIT4\n\n" + body), reference);
    std::string noFinalEnd = "REGEDIT4\n\n" + body;
    noFinalEnd.pop_back();
    EXPECT_EQ(regtest::Parse(noFinalEnd), reference);
    EXPECT_EQ(regtest::Parse("REGEDIT4\r\n; comment\r\n" + with("\r\n").substr(10)), reference);
}

struct TreeCase {
    std::string body;     // after the header
    std::string expected; // the tree, written back
};

class RegTreeText : public testing::TestWithParam<TreeCase> {};

TEST_P(RegTreeText, Reads) {
    Key root = regtest::Parse("REGEDIT4\n\n" + GetParam().body);
    EXPECT_EQ(sim::reg::WriteRegedit4(root, ""), "REGEDIT4\r\n\r\n" + GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Structure, RegTreeText,
    testing::Values(
        // missing parents are created, in order
        TreeCase{"[HKEY_LOCAL_MACHINE\\a\\b\\c]\n",
                 "[HKEY_LOCAL_MACHINE\\a]\r\n\r\n[HKEY_LOCAL_MACHINE\\a\\b]\r\n\r\n"
                 "[HKEY_LOCAL_MACHINE\\a\\b\\c]\r\n\r\n"},
        // the root name in any case; a key keeps the case it was created with
        TreeCase{"[hkey_local_machine\\Soft]\n[HKEY_LOCAL_MACHINE\\SOFT\\x]\n",
                 "[HKEY_LOCAL_MACHINE\\Soft]\r\n\r\n[HKEY_LOCAL_MACHINE\\Soft\\x]\r\n\r\n"},
        // [-KEY] deletes the tree; deleting a missing key is no fault
        TreeCase{"[HKEY_LOCAL_MACHINE\\a\\b]\n\"v\"=\"1\"\n[HKEY_LOCAL_MACHINE\\c]\n"
                 "[-HKEY_LOCAL_MACHINE\\A]\n[-HKEY_LOCAL_MACHINE\\nothere\\x]\n",
                 "[HKEY_LOCAL_MACHINE\\c]\r\n\r\n"},
        // "name"=- deletes a value; a later set goes to the end
        TreeCase{"[HKEY_LOCAL_MACHINE\\k]\n\"a\"=\"1\"\n\"b\"=\"2\"\n\"A\"=-\n\"a\"=\"3\"\n",
                 "[HKEY_LOCAL_MACHINE\\k]\r\n\"b\"=\"2\"\r\n\"a\"=\"3\"\r\n\r\n"},
        // a value set again keeps its place and its first name
        TreeCase{"[HKEY_LOCAL_MACHINE\\k]\n\"Ab\"=\"1\"\n\"c\"=\"2\"\n\"AB\"=dword:2\n",
                 "[HKEY_LOCAL_MACHINE\\k]\r\n\"Ab\"=dword:00000002\r\n\"c\"=\"2\"\r\n\r\n"},
        // the name runs to the last ']'
        TreeCase{"[HKEY_LOCAL_MACHINE\\a]b] \n", "[HKEY_LOCAL_MACHINE\\a]b]\r\n\r\n"},
        // values of the root itself
        TreeCase{"[HKEY_LOCAL_MACHINE]\n@=\"r\"\n", "[HKEY_LOCAL_MACHINE]\r\n@=\"r\"\r\n\r\n"}));

struct BrokenCase {
    std::string text;
    std::string expected; // "line N: what"
};

class RegBroken : public testing::TestWithParam<BrokenCase> {};

TEST_P(RegBroken, NamesTheLine) {
    Key root;
    vp::Regedit4Error error;
    ASSERT_FALSE(ApplyRegedit4(GetParam().text, root, &error)) << GetParam().text;
    EXPECT_EQ("line " + std::to_string(error.line) + ": " + error.what, GetParam().expected)
        << GetParam().text;
}

const std::string kHead = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\k]\n"; // value lines are line 4

INSTANTIATE_TEST_SUITE_P(
    Inputs, RegBroken,
    testing::Values(
        BrokenCase{"", "line 1: missing REGEDIT4 header"},
        BrokenCase{"REGEDIT5\n", "line 1: missing REGEDIT4 header"},
        BrokenCase{"REGEDIT4 x\n", "line 1: missing REGEDIT4 header"},
        BrokenCase{"\nREGEDIT4\n", "line 1: missing REGEDIT4 header"},
        BrokenCase{std::string("\xff\xfeW\0i\0n\0\r\0\n\0", 12),
                   "line 1: missing REGEDIT4 header: UTF-16 text (a \"Windows Registry Editor "
                   "Version 5.00\" export?); only REGEDIT4 in ANSI is read"},
        BrokenCase{"Windows Registry Editor Version 5.00\r\n",
                   "line 1: missing REGEDIT4 header: \"Windows Registry Editor Version 5.00\" is "
                   "a later format; only REGEDIT4 is read"},
        BrokenCase{"REGEDIT4\n[HKEY_LOCAL_MACHINE" +
                       [] {
                           std::string deep;
                           for (int i = 0; i < 513; ++i)
                               deep += "\\k";
                           return deep;
                       }() +
                       "]\n",
                   "line 2: key nested deeper than 512 levels"},
        BrokenCase{"REGEDIT4\nfoo\n", "line 2: unexpected text"},
        BrokenCase{"REGEDIT4\n\n\"a\"=\"1\"\n", "line 3: value outside a key"},
        BrokenCase{"REGEDIT4\n[-HKEY_LOCAL_MACHINE\\k]\n\"a\"=\"1\"\n",
                   "line 3: value outside a key"},
        BrokenCase{"REGEDIT4\n[HKEY_CURRENT_USER\\x]\n",
                   "line 2: key not under HKEY_LOCAL_MACHINE"},
        BrokenCase{"REGEDIT4\n[HKLM\\x]\n", "line 2: key not under HKEY_LOCAL_MACHINE"},
        BrokenCase{"REGEDIT4\n[HKEY_LOCAL_MACHINE\\x\n", "line 2: missing ']'"},
        BrokenCase{"REGEDIT4\n[HKEY_LOCAL_MACHINE\\x] y\n", "line 2: unexpected text after ']'"},
        BrokenCase{"REGEDIT4\n[HKEY_LOCAL_MACHINE\\a\\\\b]\n", "line 2: invalid key name"},
        BrokenCase{"REGEDIT4\n[HKEY_LOCAL_MACHINE\\a\\]\n", "line 2: invalid key name"},
        BrokenCase{"REGEDIT4\n[-HKEY_LOCAL_MACHINE]\n",
                   "line 2: HKEY_LOCAL_MACHINE cannot be deleted"},
        BrokenCase{kHead + "\"a\"=\"x\n", "line 4: missing closing quote"},
        BrokenCase{kHead + "\"a\"=\"x\\\"\n", "line 4: missing closing quote"},
        BrokenCase{kHead + "\"a=\"x\"\n", "line 4: '=' expected after the value name"},
        BrokenCase{kHead + "\"a\"=\"x\" y\n", "line 4: unexpected text after the closing quote"},
        BrokenCase{kHead + "\"a\"=\"\\q\"\n", "line 4: unknown escape \\q"},
        BrokenCase{kHead + "\"a\" \"x\"\n", "line 4: '=' expected after the value name"},
        BrokenCase{kHead + "\"a\"=\n", "line 4: value data missing"},
        BrokenCase{kHead + "\"a\"=-x\n", "line 4: unexpected text after '-'"},
        BrokenCase{kHead + "\"a\"=dword:\n", "line 4: dword: takes 1 to 8 hex digits"},
        BrokenCase{kHead + "\"a\"=dword:123456789\n", "line 4: dword: takes 1 to 8 hex digits"},
        BrokenCase{kHead + "\"a\"=dword:12x\n", "line 4: dword: takes 1 to 8 hex digits"},
        BrokenCase{kHead + "\"a\"=hex:123\n", "line 4: hex byte expected"},
        BrokenCase{kHead + "\"a\"=hex:01,\n", "line 4: hex byte expected"},
        BrokenCase{kHead + "\"a\"=hex:01 02\n", "line 4: ',' expected between hex bytes"},
        BrokenCase{kHead + "\"a\"=hex:01\\\n  02\n", "line 4: '\\' without ',' before it"},
        BrokenCase{kHead + "\"a\"=hex:01,\\ x\n", "line 4: unexpected text after '\\'"},
        BrokenCase{kHead + "\"a\"=hex:01,\\", "line 4: hex data cut off at the end of the file"},
        BrokenCase{kHead + "\"a\"=hex:01,\\\n\n", "line 5: hex byte expected"},
        BrokenCase{kHead + "\"a\"=hex:01,\\\n; no comments here\n", "line 5: hex byte expected"},
        BrokenCase{kHead + "\"a\"=hex(zz):00\n",
                   "line 4: hex(N): takes a type of 1 to 8 hex digits"},
        BrokenCase{kHead + "\"a\"=hex(1)00\n", "line 4: hex(N): takes a type of 1 to 8 hex digits"},
        BrokenCase{kHead + "\"a\"=str:x\n", "line 4: unknown value type"},
        // every kind of line end counts one line
        BrokenCase{"REGEDIT4\r\r[HKEY_LOCAL_MACHINE\\k]\r\"a\"=bad\r",
                   "line 4: unknown value type"},
        BrokenCase{"REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\k]\r\n\"a\"=bad",
                   "line 4: unknown value type"},
        BrokenCase{"REGEDIT4\n\r\n\r[HKEY_LOCAL_MACHINE\\k]\n\"a\"=bad",
                   "line 5: unknown value type"}));

} // namespace
