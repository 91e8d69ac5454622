// The window title built from the INF file's vendor name.
#include "sharing/dialog_title.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

namespace {

const std::string kSuffix = " File and Printer Sharing Selection";

// A machine whose Windows directory is C:\<folder>, with the INF text given
// (none when empty); returns the title built on it.
std::string TitleOn(const std::string &folder, const std::string &inf) {
    testkit::TempMachine machine;
    machine.SetDrives({{'C', "fixed"}}, "C:\\" + folder);
    if (!inf.empty())
        machine.AddFile('C', folder + "\\INF\\NETAMDQV.INF", inf);
    machine.Use();
    BuildDialogTitle();
    return g_titleBuffer;
}

std::string Inf(const std::string &vendor) {
    return "[Version]\r\nSignature=\"$CHICAGO$\"\r\n\r\n[Strings]\r\nVendorName=\"" + vendor +
           "\"\r\n";
}

TEST(DialogTitle, VendorNameThenSuffix) {
    EXPECT_EQ(TitleOn("WINDOWS", Inf("Quorvane")), "Quorvane" + kSuffix);
}

TEST(DialogTitle, MissingVendorNameLeavesTheLeadingBlank) {
    EXPECT_EQ(TitleOn("WINDOWS", ""), kSuffix);
    EXPECT_EQ(TitleOn("WINDOWS", "[Strings]\r\nProvider=Quorvane\r\n"), kSuffix);
}

TEST(DialogTitle, LongTitlesAreCutToTheBuffer) {
    const std::string vendor100(100, 'v');
    EXPECT_EQ(TitleOn("WINDOWS", Inf(vendor100)), (vendor100 + kSuffix).substr(0, 119));
    const std::string vendor84(84, 'v');
    EXPECT_EQ(TitleOn("WINDOWS", Inf(vendor84)), vendor84 + kSuffix);
    const std::string vendor200(200, 'v');
    EXPECT_EQ(TitleOn("WINDOWS", Inf(vendor200)), vendor200.substr(0, 119));
}

TEST(DialogTitle, WindowsDirectoryTooLongForTheInfPath) {
    // "C:\" and 99 characters: 102, and the INF tail still fits.
    const std::string fits(99, 'W');
    EXPECT_EQ(TitleOn(fits, Inf("Quorvane")), "Quorvane" + kSuffix);
    const std::string tooLong(100, 'W');
    EXPECT_EQ(TitleOn(tooLong, Inf("Quorvane")), kSuffix);
}

} // namespace
