// The share steps of the setup on a machine whose registry cannot be saved:
// a full disk (the file size limit of the process) or a read-only machine
// folder and registry file. Every share call fails with its code and a journal line, the walk
// goes on to the next drive and printer, the registry file stays as it was
// and the reason is told once on stderr.
#include "platform/api.h"
#include "sharing/sharing_dlg.h"
#include "tests/testkit/dialog_harness.h"
#include "tests/unit/registry/registry_test_util.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Lines = std::vector<std::string>;

// Two shares, the printers they name, and ballast that makes the file too
// big for the full disk.
const char kRegistry[] =
    R"([HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Network\LanMan\DATA]
"Type"=dword:00000000
"Path"="D:\\"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Network\LanMan\LASER]
"Type"=dword:00000001
"Path"="Desk Laser"

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\control\Print\Printers\Desk Laser]
"Port"="LPT1:"
"Share Name"="LASER"
"Attributes"=dword:00000008

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\control\Print\Printers\Inkjet (Color)]
"Port"="LPT2:"

)";

// What makes saving fail, set up in the child that runs the steps.
struct Fault {
    const char *name;
    LONG code;                                    // what the share calls answer
    std::function<bool(const std::string &)> arm; // false: cannot be arranged here
};

// A case is listed by its name, not by the bytes of its record.
void PrintTo(const Fault &fault, std::ostream *out) {
    *out << fault.name;
}

const Fault kFaults[] = {
    {"full disk", ERROR_WRITE_FAULT,
     [](const std::string &) {
         // The registry text is over 2 KB: no save fits, the journal does.
         std::signal(SIGXFSZ, SIG_IGN);
         const rlimit limit{2048, 2048};
         return setrlimit(RLIMIT_FSIZE, &limit) == 0;
     }},
    {"read-only machine folder and registry file", ERROR_ACCESS_DENIED,
     [](const std::string &dir) {
         // The journal and the lock file stay writable; root writes anywhere,
         // so the steps run as nobody.
         for (const char *file : {"/journal.log", "/registry.reg.lock"}) {
             testkit::WriteFile(dir + file, "");
             chmod((dir + file).c_str(), 0666);
         }
         chmod((dir + "/registry.reg").c_str(), 0444);
         chmod(dir.c_str(), 0555);
         return geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0);
     }},
};

class UnsavedShares : public testing::TestWithParam<Fault> {
  protected:
    void SetUp() override {
        machine.SetDrives({{'C', "fixed"}, {'D', "fixed"}});
        machine.SetRegistry(kRegistry + std::string("[HKEY_LOCAL_MACHINE\\Ballast]\n\"text\"=\"") +
                            std::string(3000, 'x') + "\"\n\n");
        machine.Use();
    }
    void TearDown() override { chmod(machine.Dir().c_str(), 0700); }

    testkit::TempMachine machine;
};

TEST_P(UnsavedShares, EveryStepFailsInTurnAndTheFileStays) {
    const Fault &fault = GetParam();
    const std::string before = machine.ReadRegistry();
    const std::string errors = machine.Dir() + "-stderr.txt";
    const int result = regtest::InChild([&] {
        if (!fault.arm(machine.Dir()))
            return 99;
        const int told = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (told < 0 || dup2(told, STDERR_FILENO) < 0)
            return 11;
        int status = 0;
        CSharingDlg dialog;
        testkit::DialogHarness::Install().WhileOpen(dialog, [&] {
            dialog.m_driveMask = dialog.m_sharedDriveMask = 0xC; // C: and D:
            if (dialog.m_printerCount != 2) {
                status = 10;
                return;
            }
            dialog.m_printers[0].Attributes = 0;                        // Desk Laser: unshare
            dialog.m_printers[1].Attributes = PRINTER_ATTRIBUTE_SHARED; // Inkjet: share
            ShareFailures failures;
            dialog.ApplyDriveShares(failures);
            dialog.ApplyPrinterShares(failures);
        });
        ui::SetDriver(nullptr);
        return status;
    });
    if (result == 99)
        GTEST_SKIP() << fault.name << " cannot be arranged here";
    ASSERT_EQ(result, 0);
    const std::string code = std::to_string(fault.code);
    Lines shareLines;
    for (const std::string &line : testkit::Lines(machine.ReadJournal()))
        if (line.starts_with("NetShare"))
            shareLines.push_back(line);
    EXPECT_EQ(shareLines,
              (Lines{"NetShareDel \"DATA\" -> " + code,
                     "NetShareAdd \"C_Drive\" 0 0x0191 \"C:\\\\\" -> " + code,
                     "NetShareAdd \"D_Drive\" 0 0x0191 \"D:\\\\\" -> " + code,
                     "NetShareDel \"LASER\" -> " + code,
                     "NetShareAdd \"Inkjetr\" 1 0x0182 \"Inkjet (Color)\" -> " + code}));
    EXPECT_EQ(machine.ReadRegistry(), before);
    EXPECT_FALSE(std::filesystem::exists(machine.Dir() + "/registry.reg.tmp"));
    const Lines told = testkit::Lines(testkit::ReadFile(errors));
    std::filesystem::remove(errors);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_TRUE(told[0].starts_with(machine.Dir() + "/registry.reg: cannot save: ")) << told[0];
}

INSTANTIATE_TEST_SUITE_P(Faults, UnsavedShares, testing::ValuesIn(kFaults),
                         [](const testing::TestParamInfo<Fault> &param) {
                             return param.index == 0 ? "FullDisk" : "ReadOnlyFolder";
                         });

} // namespace
