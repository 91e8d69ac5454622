#include "platform/api.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr const char *kInf = "; driver file\r\n"
                             "[Version]\r\n"
                             "Signature=\"$CHICAGO$\"\r\n"
                             "[ Strings ]\r\n"
                             "VendorName = \"Quorvane\"  \r\n"
                             "Plain=  some text  \r\n"
                             "Single='quoted'\r\n"
                             "Mixed=\"not closed'\r\n"
                             "Inner=a \"b\" c\r\n"
                             ";Commented=yes\r\n"
                             "JustAWord\r\n"
                             "Empty=\r\n"
                             "Twice=first\r\n"
                             "Twice=second\r\n"
                             "Long=0123456789\r\n";

class ProfileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        machine.AddFile('C', "WINDOWS/inf/netamdqv.inf", kInf);
        machine.Use();
    }
    testkit::TempMachine machine;
};

struct Case {
    const char *section;
    const char *key;
    const char *defaultValue;
    DWORD size;
    const char *expected;
    DWORD result;
};

TEST_F(ProfileTest, ReadsValuesTheWindowsWay) {
    const Case cases[] = {
        {"Strings", "VendorName", "", 120, "Quorvane", 8},
        {"STRINGS", "vendorname", "", 120, "Quorvane", 8},
        {"Strings", "Plain", "", 120, "some text", 9},
        {"Strings", "Single", "", 120, "quoted", 6},
        {"Strings", "Mixed", "", 120, "\"not closed'", 12},
        {"Strings", "Inner", "", 120, "a \"b\" c", 7},
        {"Strings", "Empty", "dflt", 120, "", 0},
        {"Strings", "Twice", "", 120, "first", 5},
        {"Strings", "Commented", "none", 120, "none", 4},
        {";Commented", "yes", "none", 120, "none", 4},
        {"Strings", "JustAWord", "none", 120, "none", 4},
        {"Strings", "Missing", "dflt  ", 120, "dflt", 4}, // trailing blanks dropped
        {"Strings", "Missing", nullptr, 120, "", 0},
        {"Nothing", "VendorName", "x", 120, "x", 1},
        {"Version", "VendorName", "", 120, "", 0},
        {"Strings", "Long", "", 11, "0123456789", 10},
        {"Strings", "Long", "", 5, "0123", 4}, // cut to size - 1
        {"Strings", "Long", "", 1, "", 0},
        {"Strings", "Missing", "default", 4, "def", 3},
    };
    for (const Case &c : cases) {
        char buffer[128];
        std::memset(buffer, '#', sizeof buffer);
        DWORD n = GetPrivateProfileStringA(c.section, c.key, c.defaultValue, buffer, c.size,
                                           "C:\\WINDOWS\\inf\\netamdqv.inf");
        EXPECT_EQ(n, c.result) << c.section << "/" << c.key << " size " << c.size;
        EXPECT_STREQ(buffer, c.expected) << c.section << "/" << c.key << " size " << c.size;
        EXPECT_EQ(buffer[c.size], '#') << "wrote past the size";
    }
}

TEST_F(ProfileTest, SizeZeroWritesNothing) {
    char buffer[4] = {'#', '#', '#', '#'};
    EXPECT_EQ(GetPrivateProfileStringA("Strings", "VendorName", "", buffer, 0,
                                       "C:\\WINDOWS\\inf\\netamdqv.inf"),
              0u);
    EXPECT_EQ(buffer[0], '#');
}

TEST_F(ProfileTest, MissingFileGivesTheDefault) {
    char buffer[32];
    const char *files[] = {"C:\\WINDOWS\\inf\\other.inf", "D:\\WINDOWS\\inf\\netamdqv.inf",
                           "C:\\..\\registry.reg", nullptr};
    for (const char *file : files) {
        EXPECT_EQ(
            GetPrivateProfileStringA("Strings", "VendorName", "none", buffer, sizeof buffer, file),
            4u);
        EXPECT_STREQ(buffer, "none");
    }
}

TEST_F(ProfileTest, BareFileNameIsInTheWindowsDirectoryAndNamesMatchInAnyCase) {
    machine.AddFile('C', "WINDOWS/system.ini", "[boot]\nshell=Explorer.exe\n");
    char buffer[32];
    EXPECT_EQ(GetPrivateProfileStringA("Boot", "Shell", "", buffer, sizeof buffer, "SYSTEM.INI"),
              12u);
    EXPECT_STREQ(buffer, "Explorer.exe");
}

TEST_F(ProfileTest, NullKeyListsTheKeysAndNullSectionTheSections) {
    machine.AddFile('C', "a.ini", "[One]\nx=1\n y =2\n[Two]\nz=3\n");
    char buffer[32];
    std::memset(buffer, '#', sizeof buffer);
    DWORD n = GetPrivateProfileStringA("one", nullptr, "", buffer, sizeof buffer, "C:\\a.ini");
    EXPECT_EQ(n, 3u);
    EXPECT_EQ(std::string(buffer, 5), std::string("x\0y\0\0", 5));

    n = GetPrivateProfileStringA(nullptr, nullptr, "", buffer, sizeof buffer, "C:\\a.ini");
    EXPECT_EQ(n, 7u);
    EXPECT_EQ(std::string(buffer, 9), std::string("One\0Two\0\0", 9));

    std::memset(buffer, '#', sizeof buffer);
    n = GetPrivateProfileStringA(nullptr, nullptr, "", buffer, 6, "C:\\a.ini");
    EXPECT_EQ(n, 4u); // cut: size - 2, closed with two NULs
    EXPECT_EQ(std::string(buffer, 7), std::string("One\0\0\0#", 7));
}

} // namespace
