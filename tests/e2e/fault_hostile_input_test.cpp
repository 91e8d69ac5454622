// Texts from the machine's files that look like commands or markup, and
// names at and past every fixed buffer, through the real programs. No text
// read from a file or the registry chooses a program or reaches a shell,
// the journal and the transcript keep one event a line, and every buffer
// cuts or refuses as designed.
#include "tests/e2e/suite_run.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

const char kShares[] =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Network\\LanMan";
const char kPrinters[] = "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Print\\Printers";
const char kInf[] = "/drives/C/WINDOWS/inf/netamdqv.inf";

class HostileInput : public SuiteRun {
  protected:
    // Adds REGEDIT4 lines to the machine's registry.
    void AddToRegistry(const std::string &lines) {
        testkit::WriteFile(machine + "/registry.reg",
                           testkit::ReadFile(machine + "/registry.reg") + lines);
    }
    void AddPrinter(const std::string &name) {
        AddToRegistry(std::string("[") + kPrinters + "\\" + name +
                      "]\r\n\"Port\"=\"LPT3:\"\r\n\"Attributes\"=dword:00000040\r\n\r\n");
    }
    void SetVendorName(const std::string &name) {
        testkit::WriteFile(machine + kInf, "[Strings]\r\nVendorName=" + name + "\r\n");
    }
    Lines Journal(const std::string &prefix) const {
        Lines lines;
        for (const auto &line : testkit::Lines(testkit::ReadFile(machine + "/journal.log")))
            if (line.starts_with(prefix))
                lines.push_back(line);
        return lines;
    }
    std::string Marker() const { return dir.Path() + "/ran"; }
};

// Every line starts with one of the words given and holds no control
// character: nothing in it could start a line of its own.
void ExpectWholeLines(const std::string &text, const Lines &words) {
    for (const std::string &line : testkit::Lines(text)) {
        bool known = false;
        for (const std::string &word : words)
            known = known || line.starts_with(word);
        EXPECT_TRUE(known) << "a line no event starts: " << line;
        for (char c : line)
            EXPECT_FALSE(static_cast<unsigned char>(c) < 0x20 || c == 0x7f) << line;
    }
}

TEST_F(HostileInput, ShellLikeTextsRunNothing) {
    const std::string touch = "touch " + Marker();
    SetVendorName("\"; " + touch + "; \" $(" + touch + ") `" + touch + "` | " + touch);
    AddPrinter("$(" + touch + ")");
    AddPrinter("x;" + touch + " #");
    AddPrinter("Esc\x1b[31mRed\tTab");
    AddPrinter("Quote\"d (9)");
    AddToRegistry(
        std::string("[") + kShares +
        "\\x\"y\x01]\r\n\"Type\"=dword:00000000\r\n"
        "\"Path\"=\"C:\\\\\\nNetShareAdd \\\"forged\\\" 0 0x0191 \\\"C:\\\\\\\" -> 0\"\r\n\r\n");
    const auto run = Start("veltrin-sharing", "dblclick 1013 2\ndblclick 1013 2\n"
                                              "dblclick 1013 2\ndblclick 1013 2\n"
                                              "click 1\nanswer ok\nclick 1\nclick 2\n");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_FALSE(std::filesystem::exists(Marker()));
    // The only programs are the CD's own, by their fixed paths.
    EXPECT_EQ(Journal("CreateProcess"),
              (Lines{"CreateProcess \"E:\\\\Wingate\\\\ws2setup.exe\" -> ok"}));
    EXPECT_EQ(Journal("WinExec"), Lines{});
    ExpectWholeLines(testkit::ReadFile(machine + "/journal.log"),
                     {"NetShareAdd \"", "NetShareDel \"", "CreateProcess \"", "ExitWindowsEx "});
    ExpectWholeLines(testkit::ReadFile(transcript),
                     {"msgbox \"", "answer ", "dialog ", "list ", "check "});
    EXPECT_EQ(Journal("NetShareDel \"x"), (Lines{"NetShareDel \"x\\\"y\\x01\" -> 0"}));
    EXPECT_EQ(Journal("NetShareAdd \"forged"), Lines{});
    EXPECT_NE(testkit::ReadFile(transcript).find("\"Esc\\x1b[31mRed\\tTab\""), std::string::npos);
    // The hostile names are kept safely: the registry still reads.
    const auto exported = testkit::Run({Program("veltrin-machine"), "reg", machine, "export"}, {});
    EXPECT_EQ(exported.exitCode, 0) << exported.output.substr(0, 300);
    // Shown on a terminal, they cannot move its cursor or break its lines.
    const auto shown = testkit::Run({Program("veltrin-machine"), "show", machine}, {});
    EXPECT_EQ(shown.exitCode, 0) << shown.output.substr(0, 300);
    for (char c : shown.output)
        EXPECT_FALSE((static_cast<unsigned char>(c) < 0x20 && c != '\n') || c == 0x7f);
    EXPECT_NE(shown.output.find("Esc\\x1b[31mRed\\x09Tab"), std::string::npos);
}

// The 120-byte title: a vendor name of 84 characters fills it exactly; a
// longer one is cut, whatever its bytes.
TEST_F(HostileInput, TitleIsCutToItsBuffer) {
    const std::string suffix = " File and Printer Sharing Selection";
    const std::string highBytes = "Caf\xe9 \xff\x80 ";
    for (const std::string &vendor :
         {std::string(84, 'V'), std::string(85, 'W'), std::string(400, 'X'), highBytes + "Y"}) {
        SetVendorName(vendor);
        const auto run = Start("veltrin-sharing", "click 2\n");
        EXPECT_EQ(run.exitCode, 0) << run.output;
        const std::string title = (vendor + suffix).substr(0, 119);
        EXPECT_EQ(testkit::Lines(testkit::ReadFile(transcript)).back(), "dialog 132 end 2");
        EXPECT_NE(testkit::ReadFile(transcript).find("dialog 132 open \"" + title + "\"\n"),
                  std::string::npos)
            << vendor.size();
        std::filesystem::remove(transcript);
    }
}

// 80-byte name buffers end an enumeration at a longer share name (the disk
// shares after it stay); printer names of 51, 52 and 255 characters (the
// longest key name Windows allows) keep their full name as the share's path.
TEST_F(HostileInput, LongNamesAtTheirBuffers) {
    for (const std::string &name :
         {std::string(79, 'S'), std::string(80, 'T'), std::string("AFTER")})
        AddToRegistry(std::string("[") + kShares + "\\" + name +
                      "]\r\n\"Type\"=dword:00000000\r\n\"Path\"=\"C:\\\\\"\r\n\r\n");
    for (const std::string &name :
         {std::string(51, 'A'), std::string(52, 'B'), std::string(255, 'C')})
        AddPrinter(name);
    const auto run = Start("veltrin-sharing", "dblclick 1013 2\ndblclick 1013 2\ndblclick 1013 2\n"
                                              "click 1\nclick 1\nclick 2\n");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    const std::string s79(79, 'S');
    EXPECT_EQ(
        Journal("NetShare"),
        (Lines{"NetShareDel \"C_DRIVE\" -> 0", "NetShareDel \"DOCS\" -> 0",
               "NetShareDel \"" + s79 + "\" -> 0",
               "NetShareAdd \"C_Drive\" 0 0x0191 \"C:\\\\\" -> 0",
               "NetShareAdd \"AAAAAAAAAAA\" 1 0x0182 \"" + std::string(51, 'A') + "\" -> 0",
               "NetShareAdd \"BBBBBBBBBBA\" 1 0x0182 \"" + std::string(52, 'B') + "\" -> 0",
               "NetShareAdd \"CCCCCCCCCCA\" 1 0x0182 \"" + std::string(255, 'C') + "\" -> 0"}));
}

} // namespace
