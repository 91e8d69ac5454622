#include "platform/sim/registry/writer.h"
#include "tests/testkit/testkit.h"
#include "tests/unit/registry/registry_test_util.h"

#include <gtest/gtest.h>

#include <random>

using namespace std::string_literals;
using sim::reg::CreateKey;
using sim::reg::Key;
using sim::reg::WriteRegedit4;

namespace {

struct WriteCase {
    std::uint32_t type;
    std::string data;
    std::string line; // the value line written for "v"
};

class RegValueWriter : public testing::TestWithParam<WriteCase> {};

TEST_P(RegValueWriter, WritesAndReadsBack) {
    const WriteCase &c = GetParam();
    Key root;
    CreateKey(root, "k")->SetValue("v", c.type, c.data);
    std::string text = WriteRegedit4(root, "");
    EXPECT_EQ(text, "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\k]\r\n" + c.line + "\r\n\r\n");
    EXPECT_EQ(regtest::Parse(text), root);
}

INSTANTIATE_TEST_SUITE_P(
    Types, RegValueWriter,
    testing::Values(WriteCase{1, "plain\0"s, R"("v"="plain")"},
                    WriteCase{1, "a\\b \"q\" caf\xe9\t;\0"s,
                              "\"v\"=\"a\\\\b \\\"q\\\" caf\xe9\t;\""},
                    // strings that would not come back the same as text go as hex(1)
                    WriteCase{1, "no nul"s, R"("v"=hex(1):6e,6f,20,6e,75,6c)"},
                    WriteCase{1, "a\0b\0"s, R"("v"=hex(1):61,00,62,00)"},
                    WriteCase{1, "a\r\nb\0"s, R"("v"=hex(1):61,0d,0a,62,00)"},
                    WriteCase{1, "", R"("v"=hex(1):)"},
                    WriteCase{4, "\x78\x56\x34\x12"s, R"("v"=dword:12345678)"},
                    WriteCase{4, "\x01\0\0\0"s, R"("v"=dword:00000001)"},
                    WriteCase{4, "\x01\0\0"s, R"("v"=hex(4):01,00,00)"},
                    WriteCase{3, "\0\xff"s, R"("v"=hex:00,ff)"}, WriteCase{3, "", R"("v"=hex:)"},
                    WriteCase{2, "%x%\0"s, R"("v"=hex(2):25,78,25,00)"},
                    WriteCase{0, "", R"("v"=hex(0):)"},
                    WriteCase{0xabcdef12, "\x01"s, R"("v"=hex(abcdef12):01)"}));

TEST(RegWriter, NamesEscapedAndDefaultValue) {
    Key root;
    Key *key = CreateKey(root, "k");
    key->SetValue("", 1, "d\0"s);
    key->SetValue("q\"b\\c\r\n", 1, "x\0"s);
    std::string text = WriteRegedit4(root, "");
    EXPECT_EQ(text, "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\k]\r\n@=\"d\"\r\n"
                    "\"q\\\"b\\\\c\\r\\n\"=\"x\"\r\n\r\n");
    EXPECT_EQ(regtest::Parse(text), root);
}

TEST(RegWriter, SubtreeUnderItsFullPathAndEmptyKeysKept) {
    Key root;
    CreateKey(root, "Soft\\Empty");
    CreateKey(root, "Soft\\Full")->SetValue("a", 4, "\0\0\0\0"s);
    CreateKey(root, "Other");
    EXPECT_EQ(WriteRegedit4(*sim::reg::FindKey(root, "soft"), "Soft"),
              "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Soft]\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\Soft\\Empty]\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\Soft\\Full]\r\n\"a\"=dword:00000000\r\n\r\n");
}

TEST(RegWriter, LongHexWrapsWithinSeventySevenColumns) {
    Key root;
    std::string data;
    for (int i = 0; i < 300; ++i)
        data.push_back(static_cast<char>(i));
    CreateKey(root, "k")->SetValue("a rather long value name", 3, data);
    std::string text = WriteRegedit4(root, "");
    std::vector<std::string> lines = testkit::Lines(text);
    ASSERT_GT(lines.size(), 8u);
    std::size_t first = 3, last = first;
    while (lines[last].back() == '\\')
        ++last;
    EXPECT_GT(last - first, 5u);
    for (std::size_t i = first; i <= last; ++i) {
        EXPECT_LE(lines[i].size(), 77u) << lines[i];
        if (i > first) {
            EXPECT_EQ(lines[i].substr(0, 2), "  ");
        }
        if (i < last) {
            EXPECT_GE(lines[i].size(), 74u) << lines[i];
            EXPECT_EQ(lines[i].substr(lines[i].size() - 2), ",\\");
        }
    }
    EXPECT_EQ(regtest::Parse(text), root);
}

// Names drawn from bytes that stress quoting, escapes and case folding.
std::string RandomName(std::minstd_rand &rng, bool keyName) {
    static const std::string alphabet = "aAbBzZ09 _-.;=@[]\"\\\t\r\n\x01\x7f\x80\xc9\xe9\xff";
    std::string name;
    std::size_t length = 1 + rng() % 6;
    while (name.size() < length) {
        char c = alphabet[rng() % alphabet.size()];
        if (keyName && (c == '\\' || c == '\r' || c == '\n'))
            continue;
        name.push_back(c);
    }
    return name;
}

std::string RandomData(std::minstd_rand &rng, std::uint32_t type) {
    std::size_t length = rng() % 90;
    std::string data;
    for (std::size_t i = 0; i < length; ++i)
        data.push_back(static_cast<char>(type == 1 && rng() % 4 ? 'a' + rng() % 26 : rng()));
    if (type == 1 && rng() % 2)
        data.push_back('\0');
    if (type == 4 && rng() % 2)
        data = data.substr(0, 4) + std::string(4 - std::min<std::size_t>(4, data.size()), '\0');
    return data;
}

void Grow(std::minstd_rand &rng, Key &key, int depth) {
    static const std::uint32_t types[] = {0, 1, 1, 2, 3, 4, 4, 7, 11};
    for (auto i = rng() % 5; i > 0; --i) {
        std::uint32_t type = types[rng() % std::size(types)];
        key.SetValue(rng() % 8 ? RandomName(rng, false) : "", type, RandomData(rng, type));
    }
    if (depth == 0)
        return;
    for (auto i = rng() % 4; i > 0; --i)
        Grow(rng, key.AddSubkey(RandomName(rng, true)), depth - 1);
}

TEST(RegWriter, RoundTripKeepsEveryTree) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::minstd_rand rng(seed);
        Key root;
        Grow(rng, root, 4);
        std::string text = WriteRegedit4(root, "");
        Key back = regtest::Parse(text);
        ASSERT_EQ(back, root) << "seed " << seed << "\n" << text;
        ASSERT_EQ(WriteRegedit4(back, ""), text) << "seed " << seed;
    }
}

} // namespace
