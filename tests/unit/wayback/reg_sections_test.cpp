// The undo file's REGEDIT4: what is written reads back the same, regedit's
// own forms are read, and a broken file is refused at its line.
#include "platform/registry_names.h"
#include "wayback/reg_sections.h"

#include <gtest/gtest.h>

#include <string>

namespace {

RegText Parsed(const std::string &text) {
    RegText out;
    vp::Regedit4Error error;
    EXPECT_TRUE(ParseRegText(text, &out, &error)) << error.line << ": " << error.what;
    return out;
}

TEST(RegSections, WhatIsWrittenReadsBackTheSame) {
    RegText text;
    text.notes = {"first note", "second"};
    const std::string awkward = std::string("a \"quoted\" \\ path\r\nline", 24) + '\0';
    const std::string binary(100, '\x7f'); // long enough to be wrapped
    text.sections = {
        {"Software\\Gone", true, {}},
        {"Software\\Kept",
         false,
         {{"Text", false, REG_SZ, awkward},
          {"", false, REG_SZ, std::string("default") + '\0'},
          {"Number", false, REG_DWORD, std::string("\x01\x02\x03\x04", 4)},
          {"Blob", false, REG_BINARY, binary},
          {"Empty", false, REG_BINARY, ""},
          {"Multi", false, REG_MULTI_SZ, std::string("a\0b\0\0", 5)},
          {"No NUL", false, REG_SZ, "raw"},
          {"Old", true, REG_NONE, ""}}},
    };
    const std::string written = FormatRegText(text);
    EXPECT_EQ(written.rfind("REGEDIT4\r\n; first note\r\n; second\r\n\r\n", 0), 0u);
    const RegText back = Parsed(written);
    EXPECT_EQ(back.notes, text.notes);
    ASSERT_EQ(back.sections.size(), text.sections.size());
    for (std::size_t i = 0; i < text.sections.size(); ++i) {
        const RegSection &a = text.sections[i], &b = back.sections[i];
        EXPECT_EQ(a.path, b.path);
        EXPECT_EQ(a.removeKey, b.removeKey);
        ASSERT_EQ(a.values.size(), b.values.size());
        for (std::size_t j = 0; j < a.values.size(); ++j) {
            SCOPED_TRACE(a.values[j].name);
            EXPECT_EQ(a.values[j].name, b.values[j].name);
            EXPECT_EQ(a.values[j].remove, b.values[j].remove);
            if (!a.values[j].remove) {
                EXPECT_EQ(a.values[j].type, b.values[j].type);
                EXPECT_EQ(a.values[j].data, b.values[j].data);
            }
        }
    }
}

TEST(RegSections, ReadsRegeditsOwnForms) {
    const RegText text = Parsed("  regedit4\n"
                                "; a comment\r"
                                "[hkey_local_machine\\A\\B]  ; why\n"
                                "@ = \"x\"\n"
                                "\"n\"=hex(2):41,\\\n"
                                "   42,00\n"
                                "\"d\"=dword:1F\n"
                                "[-HKEY_LOCAL_MACHINE\\C]");
    ASSERT_EQ(text.sections.size(), 2u);
    EXPECT_EQ(text.sections[0].path, "A\\B");
    ASSERT_EQ(text.sections[0].values.size(), 3u);
    EXPECT_EQ(text.sections[0].values[0].name, "");
    EXPECT_EQ(text.sections[0].values[1].type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(text.sections[0].values[1].data, std::string("AB\0", 3));
    EXPECT_EQ(text.sections[0].values[2].data, std::string("\x1f\0\0\0", 4));
    EXPECT_TRUE(text.sections[1].removeKey);
    EXPECT_EQ(text.sections[1].path, "C");
}

TEST(RegSections, RefusesABrokenFileAtItsLine) {
    const struct {
        const char *text;
        std::size_t line;
    } cases[] = {
        {"", 1},
        {"REGEDIT5\n", 1},
        {"REGEDIT4\n\"v\"=\"x\"\n", 2},            // a value outside a key
        {"REGEDIT4\n[HKEY_CURRENT_USER\\X]\n", 2}, // another root
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\X\n", 2}, // no ']'
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\X]\n\"v\"=dword:123456789\n", 3},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\X]\n\"v\"=\"open\n", 3},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\X]\n\"v\"=hex:41,\\\n", 3}, // continued past the end
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\X]\n\"v\"=hex:4g\n", 3},
        {"REGEDIT4\n[-HKEY_LOCAL_MACHINE\\X]\n\"v\"=-\n", 3},      // a value of a deleted key
        {"REGEDIT4\n[-HKEY_LOCAL_MACHINE]\n", 2},                  // the root itself
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\\\X]\n", 2},              // an empty key name
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\X]\n\"v\"=\"\\q\"\n", 3}, // an unknown escape
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\X]\n\"v\"=hex:41,\\\n; note\n", 4},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        RegText out;
        vp::Regedit4Error error;
        EXPECT_FALSE(ParseRegText(c.text, &out, &error));
        EXPECT_EQ(error.line, c.line);
        EXPECT_FALSE(error.what.empty());
    }
}

TEST(RegSections, NamesMatchWithoutCase) {
    EXPECT_TRUE(vp::SameRegName("Software\\LanMan", "SOFTWARE\\lanman"));
    EXPECT_FALSE(vp::SameRegName("LanMan", "LanMa"));
    EXPECT_EQ(vp::FoldedRegName("Desk Laser\xC4"), "desk laser\xC4");
}

} // namespace
