#include "platform/api.h"
#include "platform/sim/network/machine_keys.h"
#include "platform/svrapi.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr const char *kPrinters =
    R"([HKEY_LOCAL_MACHINE\System\CurrentControlSet\control\Print\Printers\Desk Laser]
"Port"="LPT1:"
"Attributes"=dword:00000040

)";

struct Record {
    share_info_50 info{};
    std::string path, remark;
};

// A record as the setup code fills it; strings live in the Record.
Record MakeRecord(const char *name, unsigned char type, const char *path,
                  unsigned short flags = 0x0191) {
    Record r;
    // A name of 13 characters or more fills the field without its NUL.
    std::memcpy(r.info.shi50_netname, name,
                std::min(std::strlen(name), sizeof r.info.shi50_netname));
    r.info.shi50_type = type;
    r.info.shi50_flags = flags;
    r.path = path;
    return r;
}

unsigned Add(Record &r, const char *server = nullptr, short level = 50,
             unsigned short size = kShareInfo50Size) {
    r.info.shi50_path = r.path.data();
    r.info.shi50_remark = r.remark.data();
    return NetShareAdd(server, level, reinterpret_cast<const char *>(&r.info), size);
}

unsigned Add(const char *name, unsigned char type, const char *path) {
    Record r = MakeRecord(name, type, path);
    return Add(r);
}

class SharesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        machine.SetDrives({{'C', "fixed"}, {'E', "cdrom"}, {'F', "remote"}});
        machine.AddDir('C', "My Documents");
        machine.SetRegistry(kPrinters);
        machine.Use();
    }

    // Subkey names of the share key, in enumeration order.
    static std::vector<std::string> Shares() {
        std::vector<std::string> names;
        HKEY key;
        if (RegOpenKeyA(HKEY_LOCAL_MACHINE, kShareKeyPath, &key) != ERROR_SUCCESS)
            return names;
        char name[80];
        for (DWORD i = 0; RegEnumKeyA(key, i, name, sizeof name) == ERROR_SUCCESS; ++i)
            names.emplace_back(name);
        RegCloseKey(key);
        return names;
    }

    // The value's type and bytes, or "missing".
    static std::string Value(const std::string &keyPath, const char *name) {
        HKEY key;
        if (RegOpenKeyA(HKEY_LOCAL_MACHINE, keyPath.c_str(), &key) != ERROR_SUCCESS)
            return "missing key";
        BYTE data[256];
        DWORD type = 0, size = sizeof data;
        LONG code = RegQueryValueExA(key, name, nullptr, &type, data, &size);
        RegCloseKey(key);
        if (code != ERROR_SUCCESS)
            return "missing";
        return std::to_string(type) + ":" + std::string(reinterpret_cast<char *>(data), size);
    }
    static std::string ShareValue(const std::string &share, const char *name) {
        return Value(std::string(kShareKeyPath) + "\\" + share, name);
    }
    static std::string PrinterValue(const char *name) {
        return Value(std::string(sim::kPrintersKey) + "\\Desk Laser", name);
    }

    testkit::TempMachine machine;
};

TEST_F(SharesTest, DiskShareIsKeptTheWindows9xWay) {
    Record r = MakeRecord("C_Drive", STYPE_DISKTREE, "C:\\");
    EXPECT_EQ(Add(r), 0u);
    EXPECT_EQ(Shares(), std::vector<std::string>{"C_Drive"});
    EXPECT_EQ(ShareValue("c_drive", "Type"), std::string("4:\0\0\0\0", 6));
    EXPECT_EQ(ShareValue("C_Drive", "Flags"), std::string("4:\x91\x01\0\0", 6));
    EXPECT_EQ(ShareValue("C_Drive", "Path"), std::string("1:C:\\\0", 6));
    EXPECT_EQ(ShareValue("C_Drive", "Remark"), std::string("1:\0", 3));
    EXPECT_EQ(ShareValue("C_Drive", "Parm1enc"), "3:");
    EXPECT_EQ(ShareValue("C_Drive", "Parm2enc"), "3:");
    EXPECT_EQ(testkit::Lines(machine.ReadJournal()),
              std::vector<std::string>{"NetShareAdd \"C_Drive\" 0 0x0191 \"C:\\\\\" -> 0"});
}

TEST_F(SharesTest, RefusalsGiveTheirCodesAndChangeNothing) {
    ASSERT_EQ(Add("C_Drive", STYPE_DISKTREE, "C:\\"), 0u);
    std::string before = machine.ReadRegistry();
    struct Case {
        const char *what;
        Record record;
        const char *server;
        short level;
        unsigned short size;
        unsigned result;
    } cases[] = {
        {"server", MakeRecord("X", 0, "C:\\"), "\\\\OTHER", 50, kShareInfo50Size,
         ERROR_BAD_NETPATH},
        {"level", MakeRecord("X", 0, "C:\\"), nullptr, 2, kShareInfo50Size, ERROR_INVALID_LEVEL},
        {"short record", MakeRecord("X", 0, "C:\\"), nullptr, 50, kShareInfo50Size - 1,
         NERR_BufTooSmall},
        {"same name", MakeRecord("c_DRIVE", 0, "E:\\"), nullptr, 50, kShareInfo50Size,
         NERR_DuplicateShare},
        {"empty name", MakeRecord("", 0, "C:\\"), nullptr, 50, kShareInfo50Size,
         ERROR_INVALID_PARAMETER},
        {"13 characters", MakeRecord("ABCDEFGHIJKLM", 0, "C:\\"), nullptr, 50, kShareInfo50Size,
         ERROR_INVALID_PARAMETER},
        {"comma", MakeRecord("A,B", 0, "C:\\"), nullptr, 50, kShareInfo50Size,
         ERROR_INVALID_PARAMETER},
        {"leading blank", MakeRecord(" AB", 0, "C:\\"), nullptr, 50, kShareInfo50Size,
         ERROR_INVALID_PARAMETER},
        {"type", MakeRecord("X", 3, "C:\\"), nullptr, 50, kShareInfo50Size,
         ERROR_INVALID_PARAMETER},
        {"relative path", MakeRecord("X", 0, "DATA"), nullptr, 50, kShareInfo50Size,
         ERROR_INVALID_PARAMETER},
        {"no drive", MakeRecord("X", 0, "D:\\"), nullptr, 50, kShareInfo50Size, NERR_InvalidDevice},
        {"network drive", MakeRecord("X", 0, "F:\\"), nullptr, 50, kShareInfo50Size,
         NERR_InvalidDevice},
        {"no folder", MakeRecord("X", 0, "C:\\NOPE"), nullptr, 50, kShareInfo50Size,
         ERROR_PATH_NOT_FOUND},
        {"no printer", MakeRecord("X", 1, "Other Printer"), nullptr, 50, kShareInfo50Size,
         ERROR_INVALID_PRINTER_NAME},
    };
    for (Case &c : cases)
        EXPECT_EQ(Add(c.record, c.server, c.level, c.size), c.result) << c.what;
    EXPECT_EQ(machine.ReadRegistry(), before);

    Record noPath = MakeRecord("X", 0, "");
    noPath.info.shi50_path = nullptr;
    EXPECT_EQ(
        NetShareAdd(nullptr, 50, reinterpret_cast<const char *>(&noPath.info), kShareInfo50Size),
        static_cast<unsigned>(ERROR_INVALID_PARAMETER));
    Record longRemark = MakeRecord("X", 0, "C:\\");
    longRemark.remark.assign(49, 'r');
    EXPECT_EQ(Add(longRemark), static_cast<unsigned>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(NetShareAdd(nullptr, 50, nullptr, kShareInfo50Size),
              static_cast<unsigned>(ERROR_INVALID_PARAMETER));
}

TEST_F(SharesTest, AcceptedNamesAndPaths) {
    EXPECT_EQ(Add("ABCDEFGHIJKL", STYPE_DISKTREE, "C:\\"), 0u); // 12 characters
    EXPECT_EQ(Add("MY DOCS", STYPE_DISKTREE, "c:\\my documents"), 0u);
    EXPECT_EQ(Add("E_Drive", STYPE_DISKTREE, "E:\\"), 0u); // a CD drive's root
    EXPECT_EQ(Shares(), (std::vector<std::string>{"ABCDEFGHIJKL", "MY DOCS", "E_Drive"}));
}

TEST_F(SharesTest, NameIsNeverReadPastItsField) {
    Record r = MakeRecord("", STYPE_DISKTREE, "C:\\");
    std::memset(r.info.shi50_netname, 'N', sizeof r.info.shi50_netname); // no NUL
    EXPECT_EQ(Add(r), static_cast<unsigned>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(testkit::Lines(machine.ReadJournal()).back(),
              "NetShareAdd \"NNNNNNNNNNNNN\" 0 0x0191 \"C:\\\\\" -> 87");
}

TEST_F(SharesTest, PrinterShareMarksItsPrinterUntilDeleted) {
    Record r = MakeRecord("Desk", STYPE_PRINTQ, "Desk Laser", 0x0182);
    EXPECT_EQ(Add(r), 0u);
    EXPECT_EQ(ShareValue("Desk", "Type"), std::string("4:\1\0\0\0", 6));
    EXPECT_EQ(PrinterValue("Attributes"), std::string("4:\x48\0\0\0", 6));
    EXPECT_EQ(PrinterValue("Share Name"), std::string("1:Desk\0", 7));

    EXPECT_EQ(NetShareDel(nullptr, "DESK", 0), 0u);
    EXPECT_TRUE(Shares().empty());
    EXPECT_EQ(PrinterValue("Attributes"), std::string("4:\x40\0\0\0", 6));
    EXPECT_EQ(PrinterValue("Share Name"), "missing");
    EXPECT_EQ(testkit::Lines(machine.ReadJournal()),
              (std::vector<std::string>{"NetShareAdd \"Desk\" 1 0x0182 \"Desk Laser\" -> 0",
                                        "NetShareDel \"DESK\" -> 0"}));
}

TEST_F(SharesTest, DeletingTheFirstShareMovesTheOthersDown) {
    ASSERT_EQ(Add("A_Drive", STYPE_DISKTREE, "C:\\"), 0u);
    ASSERT_EQ(Add("B_Drive", STYPE_DISKTREE, "C:\\"), 0u);
    ASSERT_EQ(Add("C_Drive", STYPE_DISKTREE, "C:\\"), 0u);
    HKEY key;
    ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, kShareKeyPath, &key), ERROR_SUCCESS);
    char name[80];
    ASSERT_EQ(RegEnumKeyA(key, 0, name, sizeof name), ERROR_SUCCESS);
    EXPECT_EQ(NetShareDel(nullptr, name, 0), 0u);
    ASSERT_EQ(RegEnumKeyA(key, 0, name, sizeof name), ERROR_SUCCESS);
    EXPECT_STREQ(name, "B_Drive");
    ASSERT_EQ(RegEnumKeyA(key, 1, name, sizeof name), ERROR_SUCCESS);
    EXPECT_STREQ(name, "C_Drive");
    EXPECT_EQ(RegEnumKeyA(key, 2, name, sizeof name), ERROR_NO_MORE_ITEMS);
    RegCloseKey(key);
}

TEST_F(SharesTest, DeleteRefusals) {
    EXPECT_EQ(NetShareDel(nullptr, "NOSUCH", 0), static_cast<unsigned>(NERR_NetNameNotFound));
    EXPECT_EQ(NetShareDel(nullptr, "", 0), static_cast<unsigned>(NERR_NetNameNotFound));
    EXPECT_EQ(NetShareDel(nullptr, "A\\B", 0), static_cast<unsigned>(NERR_NetNameNotFound));
    EXPECT_EQ(NetShareDel(nullptr, nullptr, 0), static_cast<unsigned>(ERROR_INVALID_PARAMETER));
    ASSERT_EQ(Add("C_Drive", STYPE_DISKTREE, "C:\\"), 0u);
    EXPECT_EQ(NetShareDel("\\\\OTHER", "C_Drive", 0), static_cast<unsigned>(ERROR_BAD_NETPATH));
    EXPECT_EQ(Shares(), std::vector<std::string>{"C_Drive"});
}

TEST_F(SharesTest, BrokenRegistryIsNeverOverwritten) {
    machine.SetRegistry("[HKEY_LOCAL_MACHINE\\Broken\r\n\"x\"=nonsense\r\n");
    std::string broken = machine.ReadRegistry();
    EXPECT_EQ(Add("C_Drive", STYPE_DISKTREE, "C:\\"), static_cast<unsigned>(ERROR_BADDB));
    EXPECT_EQ(machine.ReadRegistry(), broken);
}

} // namespace
