// The programs on a damaged machine: a registry that is broken or cut short,
// a machine.ini that cannot be read, drive folders that are gone, CD
// programs that cannot start or never end. Every run ends by itself, with a
// message that names what to mend or on the designed silent path, and the
// machine's files are left as they were.
#include "tests/e2e/suite_run.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

const char kTitle[] = "Quorvane File and Printer Sharing Selection";

class DamagedMachine : public SuiteRun {
  protected:
    std::string File(const std::string &name) const {
        return testkit::ReadFile(machine + "/" + name);
    }
    Lines Seen() const {
        Lines seen;
        for (const auto &line : testkit::Lines(testkit::ReadFile(transcript)))
            if (!line.starts_with("list ") && !line.starts_with("check "))
                seen.push_back(line);
        return seen;
    }
    Lines Journal(const std::string &prefix) const {
        Lines lines;
        for (const auto &line : testkit::Lines(File("journal.log")))
            if (line.starts_with(prefix))
                lines.push_back(line);
        return lines;
    }
};

struct Damage {
    const char *name;
    std::function<std::string(const std::string &good)> make;
};

// A case is listed by its name, not by the bytes of its record.
void PrintTo(const Damage &damage, std::ostream *out) {
    *out << damage.name;
}

const Damage kBrokenRegistries[] = {
    {"CutInAString", [](const std::string &good) { return good.substr(0, good.find("LPT1") + 2); }},
    {"CutInHexData",
     [](const std::string &good) {
         return good.substr(0, good.find("hex:") + 9) + "\\\r\n"; // ",\" and no more lines
     }},
    {"Empty", [](const std::string &) { return std::string(); }},
    {"NoHeader", [](const std::string &good) { return good.substr(good.find('[')); }},
    {"BinaryGarbage",
     [](const std::string &good) {
         std::string garbage = good.substr(0, 200);
         for (int i = 0; i < 256; ++i)
             garbage += static_cast<char>(i * 37);
         return garbage;
     }},
};

class BrokenRegistry : public DamagedMachine, public testing::WithParamInterface<Damage> {};

// Every registry call fails with ERROR_BADDB. The dialog opens with empty
// lists, but OK finds no state to record for the way back, so the setup
// changes nothing, says why and ends with status 1; the file is told once
// per process, by its line, and never written.
TEST_P(BrokenRegistry, IsToldByLineAndNeverOverwritten) {
    const std::string broken = GetParam().make(File("registry.reg"));
    testkit::WriteFile(machine + "/registry.reg", broken);
    const auto run = Start("veltrin-sharing", "click 1\nanswer ok\n");
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_EQ(File("registry.reg"), broken);
    EXPECT_FALSE(fs::exists(machine + "/registry.reg.tmp"));
    const std::regex told(R"(^\S*/m/registry\.reg:[0-9]+: \S.*$)");
    const Lines output = testkit::Lines(run.output);
    ASSERT_FALSE(output.empty());
    EXPECT_TRUE(std::regex_match(output.front(), told)) << run.output;
    EXPECT_EQ(Seen().front(), std::string("dialog 132 open \"") + kTitle + "\"");
    EXPECT_NE(testkit::ReadFile(transcript)
                  .find("cannot be read (error 1009).\\n\\nNothing has been changed on this "
                        "computer.\" 16 owner=132"),
              std::string::npos)
        << testkit::ReadFile(transcript);
    EXPECT_EQ(Seen().back(), "dialog 132 end 1");
    EXPECT_FALSE(fs::exists(machine + "/drives/C/WINDOWS/veltrin-undo.reg"));
    EXPECT_EQ(Journal("NetShare"), Lines{});
    EXPECT_EQ(Journal("ExitWindowsEx"), Lines{});
}

INSTANTIATE_TEST_SUITE_P(Faults, BrokenRegistry, testing::ValuesIn(kBrokenRegistries),
                         [](const testing::TestParamInfo<Damage> &param) {
                             return std::string(param.param.name);
                         });

// A machine folder that cannot be used (machine.ini a folder, or no folder
// at all) is told first and alone, by the program that was run, with or
// without a response file: nothing is shown, nothing is made, status 1.
TEST_F(DamagedMachine, AMachineThatCannotBeUsedIsToldAloneBeforeAnything) {
    fs::remove(machine + "/machine.ini");
    fs::create_directory(machine + "/machine.ini");
    const std::string elsewhere = dir.Path() + "/elsewhere";
    const std::string script = dir.Path() + "/responses.txt";
    testkit::WriteFile(script, "answer ok\nanswer cancel\nclick 2\n");
    const std::pair<std::string, std::string> folders[] = {
        {machine, "Is a directory"}, {elsewhere, "No such file or directory"}};
    for (const char *program : {"veltrin", "veltrin-sharing"})
        for (const auto &[folder, reason] : folders)
            for (const std::string &ui : {"script:" + script, std::string()}) {
                SCOPED_TRACE(std::string(program) + " on " + folder + " with UI " + ui);
                const auto run = testkit::Run({Program(program)},
                                              {"VELTRIN_MACHINE=" + folder, "VELTRIN_UI=" + ui,
                                               "VELTRIN_TRANSCRIPT=" + transcript});
                EXPECT_EQ(run.exitCode, 1);
                EXPECT_EQ(run.output, std::string(program) + ": " + folder +
                                          "/machine.ini: cannot be read: " + reason + "\n");
                EXPECT_FALSE(fs::exists(transcript));
            }
    EXPECT_EQ(File("journal.log"), "");
    EXPECT_FALSE(fs::exists(elsewhere));
}

// What the machine tells of itself is told in the name of the program that
// met it.
TEST_F(DamagedMachine, EachProgramNamesItselfInWhatTheMachineTells) {
    testkit::WriteFile(machine + "/machine.ini", "[Drives]\nC=fixed\nE=cdrom\nQ=floppy\n");
    const std::string told = ": " + machine + "/machine.ini:4: unknown drive type \"floppy\"";
    const auto suite = Start("veltrin-sharing", "click 2\n");
    EXPECT_NE(suite.output.find("veltrin-sharing" + told), std::string::npos) << suite.output;
    const auto tool = testkit::Run({Program("veltrin-machine"), "show", machine}, {});
    EXPECT_NE(tool.output.find("veltrin-machine" + told), std::string::npos) << tool.output;
}

// A response file that is a folder is no response file.
TEST_F(DamagedMachine, ResponseFileThatIsAFolderIsTold) {
    const auto run = testkit::Run(
        {Program("veltrin")}, {"VELTRIN_MACHINE=" + machine, "VELTRIN_UI=script:" + dir.Path()});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.output,
              "veltrin: cannot read the response file " + dir.Path() + ": Is a directory\n");
}

// Folders of listed drives gone: the drives are still there (no medium in
// them); the CD is not found and the vendor name not read, silently. With
// no Windows directory there is no undo file, and then the suite changes
// nothing and ends with status 1.
TEST_F(DamagedMachine, MissingDriveFoldersAreEmptyDrives) {
    fs::remove_all(machine + "/drives/C");
    fs::remove_all(machine + "/drives/E");
    auto run = Start("veltrin", "answer cancel\n");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.output, "");
    EXPECT_TRUE(Seen().front().starts_with("msgbox \"Reminder\"")) << Seen().front();

    run = Start("veltrin-sharing", "click 1\nanswer ok\n");
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_EQ(run.output, "");
    const std::string seen = testkit::ReadFile(transcript);
    EXPECT_NE(seen.find("dialog 132 open \" File and Printer Sharing Selection\""),
              std::string::npos);
    EXPECT_NE(seen.find("veltrin-undo.reg cannot be written (error 3)"), std::string::npos) << seen;
    EXPECT_EQ(Journal("NetShare"), Lines{});
}

// A CD program that is not a program: WinExec and CreateProcess answer 11
// (ERROR_BAD_FORMAT) and the run goes on as designed for a failed start.
TEST_F(DamagedMachine, CdProgramsThatCannotStart) {
    chmod((machine + "/drives/E/autorun.exe").c_str(), 0644);
    auto run = Start("veltrin", "");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(Journal("WinExec"), (Lines{"WinExec \"E:\\\\autorun.exe\" 1 -> 11"}));

    // The Winsock 2 installer replaced by a folder: no start, so no restart
    // on its account; the user is told and the CD's setup program follows.
    fs::remove(machine + "/drives/E/Wingate/ws2setup.exe");
    fs::create_directory(machine + "/drives/E/Wingate/ws2setup.exe");
    run = Start("veltrin-sharing", "click 1\nclick 1\nanswer ok\n");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(Journal("CreateProcess"),
              (Lines{"CreateProcess \"E:\\\\Wingate\\\\ws2setup.exe\" -> failed"}));
    EXPECT_EQ(Journal("ExitWindowsEx"), Lines{});
    EXPECT_EQ(Journal("WinExec \"E:\\\\Tzr"),
              (Lines{"WinExec \"E:\\\\Tzr\\\\Setup.exe\" 1 -> 33"}));
}

// CPU time used so far by a process, in clock ticks; -1 when it is gone.
long CpuTicks(long pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string field;
    for (int i = 1; i <= 13 && stat >> field; ++i) { // utime and stime follow
    }
    long user = 0, system = 0;
    return stat >> user >> system ? user + system : -1;
}

// The launcher keeps the terminal while the CD's program runs, however long:
// it waits without spinning and ends as soon as the program does.
TEST_F(DamagedMachine, CdProgramThatNeverEndsIsWaitedForQuietly) {
    testkit::WriteFile(machine + "/drives/E/autorun.exe",
                       "#!/bin/sh\necho $$ $PPID >\"$VELTRIN_MACHINE/pids\"\nexec sleep 1000\n");
    chmod((machine + "/drives/E/autorun.exe").c_str(), 0755);
    long spent = -1;
    std::thread watcher([&] {
        const std::string pids = machine + "/pids";
        for (int i = 0; i < 2400 && testkit::ReadFile(pids).find('\n') == std::string::npos; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        long program = 0, launcher = 0;
        std::ifstream(pids) >> program >> launcher;
        const long before = CpuTicks(launcher);
        std::this_thread::sleep_for(std::chrono::seconds(1));
        const long after = CpuTicks(launcher);
        if (before >= 0 && after >= 0)
            spent = after - before;
        if (program > 0)
            kill(static_cast<pid_t>(program), SIGKILL);
    });
    const auto run = Start("veltrin", "");
    watcher.join();
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_GE(spent, 0) << "the launcher was not found waiting";
    EXPECT_LT(spent, 10) << "the launcher spins while it waits";
}

} // namespace
