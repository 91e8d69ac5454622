// veltrin-sharing run as a person would run it, answered from a response
// file, on a machine made for each test.
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Lines = std::vector<std::string>;

const char kShareKey[] =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Network\\LanMan";

class SharingSuite : public ::testing::Test {
  protected:
    void SetUp() override {
        machine.SetDrives({{'A', "removable"}, {'C', "fixed"}, {'D', "fixed"}, {'E', "cdrom"}});
        machine.AddFile('C', "WINDOWS\\INF\\NETAMDQV.INF",
                        "[Strings]\r\nVendorName=\"Quorvane\"\r\n");
        machine.SetRegistry(std::string("[") + kShareKey + R"(\DATA]
"Type"=dword:00000000
"Path"="D:\\DATA"

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\control\Print\Printers\Office Laser]
"Port"="LPT1:"
"Attributes"=dword:00000040

)");
    }

    testkit::RunResult Run(const std::string &script) {
        testkit::WriteFile(dir.Path() + "/run.txt", script);
        return testkit::Run({testkit::BuiltProgram("bin/veltrin-sharing")},
                            {"VELTRIN_MACHINE=" + machine.Dir(),
                             "VELTRIN_UI=script:" + dir.Path() + "/run.txt",
                             "VELTRIN_TRANSCRIPT=" + dir.Path() + "/transcript.txt"});
    }
    Lines Transcript() const {
        return testkit::Lines(testkit::ReadFile(dir.Path() + "/transcript.txt"));
    }
    bool Transcribed(const std::string &line) const {
        const Lines t = Transcript();
        return std::find(t.begin(), t.end(), line) != t.end();
    }
    Lines Journal(const std::string &prefix) const {
        Lines lines;
        for (const std::string &line : testkit::Lines(machine.ReadJournal()))
            if (line.rfind(prefix, 0) == 0)
                lines.push_back(line);
        return lines;
    }

    testkit::TempMachine machine;
    testkit::TempDir dir;
};

TEST_F(SharingSuite, OkAfterMovesSharesTheSelection) {
    const auto run = Run("dblclick 1011 2\n" // [-E-DRIVE]
                         "select 1011 0\n"   // [-A-DRIVE]
                         "click 1002\n"
                         "dblclick 1013 0\n" // Office Laser
                         "click 1\n"
                         "answer no\n"); // no installation CD: the setup ends after the shares
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(Transcribed("dialog 132 open \"Quorvane File and Printer Sharing Selection\""));
    EXPECT_TRUE(Transcribed("list 1011 \"[-A-DRIVE]\" \"[-C-DRIVE]\" \"[-E-DRIVE]\""));
    EXPECT_TRUE(Transcribed("list 1012 \"[-D-DRIVE]\""));
    EXPECT_TRUE(Transcribed("list 1012 \"[-A-DRIVE]\" \"[-D-DRIVE]\" \"[-E-DRIVE]\""));
    EXPECT_TRUE(Transcribed("dialog 132 end 1"));
    EXPECT_EQ(
        Journal("NetShare"),
        (Lines{"NetShareDel \"DATA\" -> 0", "NetShareAdd \"A_Drive\" 0 0x0191 \"A:\\\\\" -> 0",
               "NetShareAdd \"D_Drive\" 0 0x0191 \"D:\\\\\" -> 0",
               "NetShareAdd \"E_Drive\" 0 0x0191 \"E:\\\\\" -> 0",
               "NetShareAdd \"Office\" 1 0x0182 \"Office Laser\" -> 0"}));
    const std::string registry = machine.SavedRegistry();
    EXPECT_EQ(registry.find(std::string(kShareKey) + "\\DATA]"), std::string::npos);
    EXPECT_NE(registry.find(std::string(kShareKey) + "\\E_Drive]"), std::string::npos);
    EXPECT_NE(registry.find("\"Share Name\"=\"Office\""), std::string::npos);
}

TEST_F(SharingSuite, CancelAfterMovesLeavesTheRegistryAlone) {
    const std::string before = machine.ReadRegistry();
    const auto run = Run("dblclick 1011 0\ndblclick 1012 0\ndblclick 1013 0\nclick 2\n");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(Transcribed("dialog 132 end 2"));
    EXPECT_EQ(machine.ReadRegistry(), before);
    EXPECT_TRUE(Journal("NetShare").empty());
}

TEST_F(SharingSuite, AboutBoxFromTheSystemMenu) {
    const auto run = Run("sysmenu 16\nclick 1\nclick 2\n");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    const Lines t = Transcript();
    const auto about = std::find(t.begin(), t.end(), "dialog 100 open \"About Veltrin Pellorin\"");
    ASSERT_NE(about, t.end());
    EXPECT_NE(std::find(about, t.end(), "dialog 100 end 1"), t.end());
    EXPECT_EQ(t.back(), "dialog 132 end 2");
}

} // namespace
