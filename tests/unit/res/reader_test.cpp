// The reader on small scripts: what it makes of each construct, and the
// message, with file and line, for each fault.
#include "res/templates.h"

#include "platform/api.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr std::uint32_t Bits(long bits) {
    return static_cast<std::uint32_t>(bits);
}

res::ResourceScript Read(const std::string &script, const std::string &header = "") {
    res::ResourceScript out;
    std::string error;
    EXPECT_TRUE(res::ParseResourceScript(script, header, &out, &error)) << error;
    return out;
}

std::string Fault(const std::string &script, const std::string &header = "") {
    res::ResourceScript out;
    out.strings[7] = "untouched";
    std::string error;
    EXPECT_FALSE(res::ParseResourceScript(script, header, &out, &error));
    EXPECT_EQ(out.strings.size(), 1u) << "a failed read must leave the result alone";
    return error;
}

// One dialog around the given CONTROL lines.
std::string Dialog(const std::string &body) {
    return "1 DIALOG 0, 0, 10, 10\nBEGIN\n" + body + "\nEND\n";
}

const res::ControlTemplate &OnlyControl(const res::ResourceScript &script) {
    static const res::ControlTemplate none;
    const auto it = script.dialogs.find(1);
    if (it == script.dialogs.end() || it->second.controls.size() != 1) {
        ADD_FAILURE() << "expected one dialog with one control";
        return none;
    }
    return it->second.controls[0];
}

struct StringCase {
    const char *literal; // as written in the script
    std::string text;    // as read
};

TEST(Reader, StringLiteralsReadAsWindresReadsThem) {
    const StringCase cases[] = {
        {R"("plain")", "plain"},
        {R"("say ""hi""")", "say \"hi\""},
        {R"("""")", "\""},
        {R"("a\tb\nc\rd")", "a\tb\nc\rd"},
        {R"("\b\f\v")", "\b\f\v"},
        {R"("back\\slash")", "back\\slash"},
        {R"("\x41\x414\x4z")", "AA4\x04z"},
        {R"("\101\1012\7")", "AA2\x07"},
        {R"("  kept  ")", "  kept  "},
        {R"("// not a comment")", "// not a comment"},
    };
    for (const StringCase &c : cases) {
        SCOPED_TRACE(c.literal);
        const auto script = Read(std::string("STRINGTABLE\nBEGIN\n5 ") + c.literal + "\nEND\n");
        ASSERT_EQ(script.strings.count(5), 1u);
        EXPECT_EQ(script.strings.at(5), c.text);
    }
}

struct StyleCase {
    const char *style;
    std::uint32_t expected; // besides WS_CHILD | WS_VISIBLE unless cleared
};

TEST(Reader, ControlStylesStartFromChildVisible) {
    const std::uint32_t base = Bits(WS_CHILD | WS_VISIBLE);
    const StyleCase cases[] = {
        {"0", base},
        {"BS_GROUPBOX", base | Bits(BS_GROUPBOX)},
        {"WS_TABSTOP | 0x100", base | Bits(WS_TABSTOP) | 0x100},
        {"NOT WS_VISIBLE | SS_ICON", Bits(WS_CHILD | SS_ICON)},
        {"WS_GROUP | NOT WS_GROUP", base},
        {"(LBS_NOTIFY | LBS_SORT)", base | Bits(LBS_NOTIFY | LBS_SORT)},
        {"0x80000000L", base | 0x80000000u},
    };
    for (const StyleCase &c : cases) {
        SCOPED_TRACE(c.style);
        const auto script =
            Read(Dialog(std::string("CONTROL \"x\", 5, \"button\", ") + c.style + ", 1, 2, 3, 4"));
        EXPECT_EQ(OnlyControl(script).style, c.expected);
        EXPECT_EQ(OnlyControl(script).cls, "BUTTON");
    }
}

TEST(Reader, DialogStyleAsWindresMakesIt) {
    struct Case {
        const char *statements;
        std::uint32_t style;
    };
    const Case cases[] = {
        {"", Bits(WS_POPUP | WS_BORDER | WS_SYSMENU)},
        {"STYLE DS_MODALFRAME", Bits(DS_MODALFRAME)},
        {"CAPTION \"c\"", Bits(WS_POPUP | WS_BORDER | WS_SYSMENU | WS_CAPTION)},
        {"FONT 8, \"f\"", Bits(WS_POPUP | WS_BORDER | WS_SYSMENU | DS_SETFONT)},
        {"CAPTION \"c\"\nSTYLE DS_CENTER", Bits(WS_CAPTION | DS_CENTER)},
        {"STYLE NOT WS_SYSMENU", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.statements);
        const auto script =
            Read(std::string("1 DIALOG 0, 0, 10, 10\n") + c.statements + "\nBEGIN\nEND\n");
        EXPECT_EQ(script.dialogs.at(1).style, c.style);
    }
}

TEST(Reader, HeaderMacrosGuardsAndComments) {
    const std::string header = "#ifndef GUARD\n#define GUARD\n"
                               "#define IDD_X 40 /* block */\n"
                               "#define IDC_Y (IDD_X | 2) // line\n"
                               "#define IDC_SELF IDC_SELF\n"
                               "#endif\n";
    const std::string script = "#include \"resource.h\"\n"
                               "#include \"resource.h\"\n" // the guard makes this harmless
                               "#ifndef VP_RES_READER\n#include <windows.h>\n'junk\n#else\n"
                               "#define SEEN 3\n#endif\n"
                               "/* a comment\n over lines */ IDD_X DIALOG SEEN, -2, 10, 10 {\n"
                               "  CONTROL 137, IDC_Y, \"static\", SS_ICON, 0, 0, 0, 0\n"
                               "  CONTROL \"\", -1, \"LISTBOX\", 0, 0, 0, 0, 0\n}\n"
                               "STRINGTABLE { 2, \"two\" 3 \"three\" }\n"
                               "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n";
    const auto out = Read(script, header);
    ASSERT_EQ(out.dialogs.count(40), 1u);
    const auto &dialog = out.dialogs.at(40);
    EXPECT_EQ(dialog.x, 3);
    EXPECT_EQ(dialog.y, -2);
    ASSERT_EQ(dialog.controls.size(), 2u);
    EXPECT_EQ(dialog.controls[0].id, 42);
    EXPECT_EQ(dialog.controls[0].text, "137");
    EXPECT_EQ(dialog.controls[1].id, 65535);
    EXPECT_EQ(out.strings, (std::map<int, std::string>{{2, "two"}, {3, "three"}}));
    // A macro that names itself stops after one step, as in C; the fault
    // names the #define.
    EXPECT_EQ(Fault("#include \"resource.h\"\n" +
                        Dialog("CONTROL \"\", IDC_SELF, \"STATIC\", 0, 0, 0, 0, 0"),
                    header),
              "resource.h:5: unknown name 'IDC_SELF'");
}

// A checkout with Windows line ends reads the same.
TEST(Reader, CrLfLineEnds) {
    const auto out = Read("#include \"resource.h\"\r\nID DIALOG 0, 0, 1, 1\r\nCAPTION \"c\"\r\n"
                          "BEGIN\r\nEND\r\n",
                          "#define ID 9\r\n");
    ASSERT_EQ(out.dialogs.count(9), 1u);
    EXPECT_EQ(out.dialogs.at(9).caption, "c");
}

struct FaultCase {
    const char *what;
    std::string script;
    std::string header;
    std::string error;
};

TEST(Reader, FaultsNameTheirLine) {
    const FaultCase cases[] = {
        {"unknown style", Dialog("CONTROL \"\", 1, \"BUTTON\", WS_FOO, 0, 0, 0, 0"), "",
         "app.rc:3: unknown name 'WS_FOO'"},
        {"unterminated string", "STRINGTABLE\nBEGIN\n1 \"open\n\"\nEND\n", "",
         "app.rc:3: unterminated string"},
        {"bad number", "1 DIALOG 0, 0, 10x, 10\nBEGIN\nEND\n", "", "app.rc:1: bad number '10x'"},
        {"octal-looking number", "1 DIALOG 0, 0, 010, 10\nBEGIN\nEND\n", "",
         "app.rc:1: bad number '010'"},
        {"number too large", "STRINGTABLE { 0x100000000 \"x\" }", "",
         "app.rc:1: bad number '0x100000000'"},
        {"id out of range", "STRINGTABLE {\n 65536 \"x\" }", "",
         "app.rc:2: string id 65536 is out of range"},
        {"bad number in the header", "#include \"resource.h\"\nSTRINGTABLE { ID \"x\" }",
         "// ids\n#define ID 0xZ\n", "resource.h:2: bad number '0xZ'"},
        {"unknown escape", "STRINGTABLE {\n1 \"\\q\" }", "", "app.rc:2: unsupported escape '\\q'"},
        {"backslash quote", "STRINGTABLE { 1 \"\\\"\" }", "",
         "app.rc:1: use \"\" to put \" in a string"},
        {"missing comma", Dialog("CONTROL \"\" 1, \"BUTTON\", 0, 0, 0, 0, 0"), "",
         "app.rc:3: expected ',' but found '1'"},
        {"unknown class", Dialog("CONTROL \"\", 1, \"Edit2\", 0, 0, 0, 0, 0"), "",
         "app.rc:3: unknown control class \"Edit2\""},
        {"short statement", Dialog("LTEXT \"x\", 1, 0, 0, 0, 0"), "",
         "app.rc:3: expected CONTROL or END but found 'LTEXT'"},
        {"missing END", "1 DIALOG 0, 0, 1, 1\nBEGIN\n", "",
         "app.rc:3: expected CONTROL or END but found end of file"},
        {"duplicate dialog", "1 DIALOG 0,0,1,1 {}\n\n1 DIALOG 0,0,1,1 {}", "",
         "app.rc:3: dialog 1 is defined twice"},
        {"system header not guarded", "\n#include <windows.h>\n", "",
         "app.rc:2: cannot read <windows.h>; leave it out with #ifndef VP_RES_READER"},
        {"other header", "#include \"other.h\"", "",
         "app.rc:1: cannot include \"other.h\"; only \"resource.h\" is known"},
        {"unterminated #ifdef", "#ifdef X\n", "", "app.rc:1: '#ifdef X' has no #endif"},
        {"unterminated #ifndef in header", "#include \"resource.h\"", "\n#ifndef G\n",
         "resource.h:2: '#ifndef G' has no #endif"},
        {"stray #endif", "\n\n#endif", "", "app.rc:3: #endif without #ifdef"},
        {"macro with arguments", "#define F(x) x", "",
         "app.rc:1: macros with arguments are not supported"},
        {"macro redefined", "#define A 1\n#define A 2", "",
         "app.rc:2: A is defined again with another value"},
        {"unsupported directive", "#pragma once", "",
         "app.rc:1: unsupported directive '#pragma once'"},
        {"unterminated comment", "\n/* open", "", "app.rc:2: unterminated comment"},
        {"stray character", "1 ICON @", "", "app.rc:1: unexpected character '@'"},
        {"deep nesting", "STRINGTABLE { " + std::string(100, '(') + "1", "",
         "app.rc:1: expression nested too deeply"},
    };
    for (const FaultCase &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Fault(c.script, c.header), c.error);
    }
}

} // namespace
