// The Reg* functions against a machine folder: results, and what they leave
// in the caller's buffers (filled with a sentinel first).
#include "platform/api.h"
#include "tests/testkit/testkit.h"
#include "tests/unit/registry/registry_test_util.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace std::string_literals;

namespace {

constexpr char kBody[] = "[HKEY_LOCAL_MACHINE\\Software\\Veltrin]\r\n"
                         "\"Name\"=\"Pellorin\"\r\n"
                         "\"Count\"=dword:00000007\r\n"
                         "\"Blob\"=hex:01,02,03\r\n"
                         "@=\"dflt\"\r\n\r\n"
                         "[HKEY_LOCAL_MACHINE\\Software\\Veltrin\\Alpha]\r\n\r\n"
                         "[HKEY_LOCAL_MACHINE\\Software\\Veltrin\\beta]\r\n\r\n"
                         "[HKEY_LOCAL_MACHINE\\Software\\Veltrin\\Gamma]\r\n\r\n";

const HKEY kSentinelKey = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x5e5e5e));
const HKEY kBogusKey = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x12345));

class RegApi : public testing::Test {
  protected:
    void SetUp() override {
        machine.SetRegistry(kBody);
        machine.Use();
        ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Veltrin", &veltrin), ERROR_SUCCESS);
    }
    void TearDown() override { RegCloseKey(veltrin); }

    std::string Query(HKEY key, const char *name) {
        char data[80];
        DWORD size = sizeof data;
        LONG code =
            RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE *>(data), &size);
        return code == ERROR_SUCCESS ? std::string(data, size) : "<" + std::to_string(code) + ">";
    }

    testkit::TempMachine machine;
    HKEY veltrin = nullptr;
};

TEST_F(RegApi, OpenKey) {
    HKEY key = kSentinelKey;
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\veltrin\\ALPHA", &key), ERROR_SUCCESS);
    EXPECT_NE(key, kSentinelKey);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "\\Software\\Veltrin", &key), ERROR_SUCCESS);
    EXPECT_EQ(Query(key, "Name"), "Pellorin\0"s);
    RegCloseKey(key);

    key = kSentinelKey;
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Missing", &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegOpenKeyA(veltrin, "Alpha\\Deeper", &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, kSentinelKey);
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software", nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegOpenKeyA(kBogusKey, "Software", &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Software", &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(key, kSentinelKey);
}

TEST_F(RegApi, EmptySubkeyOpensTheSameKeyAsANewHandle) {
    for (const char *sub : {static_cast<const char *>(nullptr), "", "\\"}) {
        HKEY again = nullptr;
        ASSERT_EQ(RegOpenKeyA(veltrin, sub, &again), ERROR_SUCCESS);
        EXPECT_NE(again, veltrin);
        EXPECT_EQ(Query(again, "Name"), "Pellorin\0"s);
        EXPECT_EQ(RegCloseKey(again), ERROR_SUCCESS);
        EXPECT_EQ(Query(veltrin, "Name"), "Pellorin\0"s); // the first one still open
    }
}

TEST_F(RegApi, CloseKey) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyA(veltrin, "Alpha", &key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegEnumKeyA(key, 0, std::string(80, '\0').data(), 80), ERROR_INVALID_HANDLE);
    // a handle value is never handed out again, so the stale one stays invalid
    HKEY next = nullptr;
    ASSERT_EQ(RegOpenKeyA(veltrin, "Alpha", &next), ERROR_SUCCESS);
    EXPECT_NE(next, key);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(next), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
}

TEST_F(RegApi, EnumKey) {
    char name[80];
    std::vector<std::string> names;
    DWORD i = 0;
    for (; RegEnumKeyA(veltrin, i, name, sizeof name) == ERROR_SUCCESS; ++i)
        names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "beta", "Gamma"}));
    EXPECT_EQ(RegEnumKeyA(veltrin, i, name, sizeof name), ERROR_NO_MORE_ITEMS);

    std::memset(name, '#', sizeof name);
    EXPECT_EQ(RegEnumKeyA(veltrin, 0, name, 6), ERROR_SUCCESS); // "Alpha" and its NUL
    EXPECT_STREQ(name, "Alpha");
    for (DWORD size : {5u, 1u, 0u}) {
        std::memset(name, '#', sizeof name);
        EXPECT_EQ(RegEnumKeyA(veltrin, 0, name, size), ERROR_MORE_DATA) << size;
        EXPECT_EQ(std::string(name, sizeof name), std::string(sizeof name, '#'));
    }
    EXPECT_EQ(RegEnumKeyA(veltrin, 0, nullptr, 80), ERROR_INVALID_PARAMETER);
}

struct EnumValueCase {
    DWORD nameSize, dataSize;
    LONG code;
    DWORD nameSizeAfter, dataSizeAfter;
    bool filled; // name and data written
};

class RegEnumValue : public RegApi, public testing::WithParamInterface<EnumValueCase> {};

TEST_P(RegEnumValue, Buffers) {
    const EnumValueCase &c = GetParam();
    char name[80], data[80];
    std::memset(name, '#', sizeof name);
    std::memset(data, '#', sizeof data);
    DWORD nameSize = c.nameSize, dataSize = c.dataSize, type = 0xdead;
    EXPECT_EQ(RegEnumValueA(veltrin, 0, name, &nameSize, nullptr, &type,
                            reinterpret_cast<BYTE *>(data), &dataSize),
              c.code);
    EXPECT_EQ(nameSize, c.nameSizeAfter);
    EXPECT_EQ(dataSize, c.dataSizeAfter);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    if (c.filled) {
        EXPECT_EQ(std::string(name, 6), "Name\0#"s);
        EXPECT_EQ(std::string(data, 10), "Pellorin\0#"s);
    } else {
        EXPECT_EQ(std::string(name, sizeof name), std::string(sizeof name, '#'));
        EXPECT_EQ(std::string(data, sizeof data), std::string(sizeof data, '#'));
    }
}

// Value 0 is "Name" = "Pellorin" with its NUL: 4 + 1 name bytes, 9 data bytes.
INSTANTIATE_TEST_SUITE_P(Sizes, RegEnumValue,
                         testing::Values(EnumValueCase{80, 80, ERROR_SUCCESS, 4, 9, true},
                                         EnumValueCase{5, 9, ERROR_SUCCESS, 4, 9, true},
                                         EnumValueCase{4, 80, ERROR_MORE_DATA, 4, 9, false},
                                         EnumValueCase{0, 80, ERROR_MORE_DATA, 0, 9, false},
                                         EnumValueCase{80, 8, ERROR_MORE_DATA, 80, 9, false},
                                         EnumValueCase{2, 2, ERROR_MORE_DATA, 2, 9, false}));

TEST_F(RegApi, EnumValueOrderArgumentsAndEnd) {
    char name[80];
    DWORD nameSize = sizeof name, dataSize = 0, type = 0, reserved = 0;
    std::vector<std::string> names;
    DWORD i = 0;
    for (; nameSize = sizeof name, RegEnumValueA(veltrin, i, name, &nameSize, nullptr, &type,
                                                 nullptr, &dataSize) == ERROR_SUCCESS;
         ++i)
        names.push_back(name + (":" + std::to_string(type) + ":" + std::to_string(dataSize)));
    EXPECT_EQ(names, (std::vector<std::string>{"Name:1:9", "Count:4:4", "Blob:3:3", ":1:5"}));
    EXPECT_EQ(RegEnumValueA(veltrin, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr),
              ERROR_NO_MORE_ITEMS);
    BYTE data[8];
    EXPECT_EQ(RegEnumValueA(veltrin, 0, name, &nameSize, &reserved, nullptr, nullptr, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegEnumValueA(veltrin, 0, name, nullptr, nullptr, nullptr, nullptr, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegEnumValueA(veltrin, 0, nullptr, &nameSize, nullptr, nullptr, nullptr, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegEnumValueA(veltrin, 0, name, &nameSize, nullptr, nullptr, data, nullptr),
              ERROR_INVALID_PARAMETER);
}

TEST_F(RegApi, QueryValue) {
    char data[80];
    std::memset(data, '#', sizeof data);
    DWORD size = sizeof data, type = 0xdead, reserved = 0;
    auto query = [&](const char *name, DWORD bufferSize, bool withData = true) {
        std::memset(data, '#', sizeof data);
        size = bufferSize;
        type = 0xdead;
        return RegQueryValueExA(veltrin, name, nullptr, &type,
                                withData ? reinterpret_cast<BYTE *>(data) : nullptr, &size);
    };
    EXPECT_EQ(query("nAME", 80), ERROR_SUCCESS);
    EXPECT_EQ(std::string(data, 10), "Pellorin\0#"s);
    EXPECT_EQ(size, 9u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

    EXPECT_EQ(query("Name", 8), ERROR_MORE_DATA);
    EXPECT_EQ(size, 9u); // what it takes
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::string(data, sizeof data), std::string(sizeof data, '#'));

    EXPECT_EQ(query("Name", 3, false), ERROR_SUCCESS); // a size query
    EXPECT_EQ(size, 9u);

    EXPECT_EQ(query("Missing", 80), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(size, 80u);
    EXPECT_EQ(type, 0xdeadu);
    EXPECT_EQ(std::string(data, sizeof data), std::string(sizeof data, '#'));

    EXPECT_EQ(query("Count", 80), ERROR_SUCCESS);
    EXPECT_EQ(std::string(data, size), "\x07\0\0\0"s);
    EXPECT_EQ(Query(veltrin, nullptr), "dflt\0"s);
    EXPECT_EQ(Query(veltrin, ""), "dflt\0"s);

    EXPECT_EQ(RegQueryValueExA(veltrin, "Name", &reserved, nullptr, nullptr, &size),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExA(veltrin, "Name", nullptr, nullptr, reinterpret_cast<BYTE *>(data),
                               nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExA(kBogusKey, "Name", nullptr, nullptr, nullptr, &size),
              ERROR_INVALID_HANDLE);
}

TEST_F(RegApi, SetValueStoresExactlyTheBytesGiven) {
    auto set = [&](const char *name, DWORD type, const std::string &bytes) {
        return RegSetValueExA(veltrin, name, 0, type, reinterpret_cast<const BYTE *>(bytes.data()),
                              static_cast<DWORD>(bytes.size()));
    };
    EXPECT_EQ(set("WithNul", REG_SZ, "abc\0"s), ERROR_SUCCESS);
    EXPECT_EQ(set("NoNul", REG_SZ, "abc"), ERROR_SUCCESS);
    EXPECT_EQ(set("NAME", REG_SZ, "again\0"s), ERROR_SUCCESS); // replaces in place
    EXPECT_EQ(Query(veltrin, "NoNul"), "abc");
    EXPECT_EQ(Query(veltrin, "name"), "again\0"s);
    std::string file = machine.ReadRegistry();
    EXPECT_NE(file.find("\"WithNul\"=\"abc\"\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("\"NoNul\"=hex(1):61,62,63\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("[HKEY_LOCAL_MACHINE\\Software\\Veltrin]\r\n\"Name\"=\"again\"\r\n"),
              std::string::npos)
        << file;

    EXPECT_EQ(RegSetValueExA(veltrin, "x", 1, REG_SZ, reinterpret_cast<const BYTE *>("a"), 2),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueExA(veltrin, "x", 0, REG_SZ, nullptr, 0), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueExA(veltrin, "x", 0, REG_BINARY, nullptr, 4), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(Query(veltrin, "x"), "<2>");
    EXPECT_EQ(RegSetValueExA(veltrin, "x", 0, REG_BINARY, nullptr, 0), ERROR_SUCCESS);
    EXPECT_EQ(Query(veltrin, "x"), "");
    EXPECT_EQ(RegSetValueExA(kBogusKey, "x", 0, REG_BINARY, nullptr, 0), ERROR_INVALID_HANDLE);
}

TEST_F(RegApi, CreateKey) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(veltrin, "New\\Deep", &key), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, "v", 0, REG_DWORD, reinterpret_cast<const BYTE *>("\1\0\0\0"), 4),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_NE(machine.ReadRegistry().find("[HKEY_LOCAL_MACHINE\\Software\\Veltrin\\New\\Deep]\r\n"
                                          "\"v\"=dword:00000001\r\n"),
              std::string::npos);

    // an existing key opens as it is, in its own case, and nothing is written
    std::string before = machine.ReadRegistry();
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, "software\\VELTRIN\\new", &key), ERROR_SUCCESS);
    char name[80];
    EXPECT_EQ(RegEnumKeyA(key, 0, name, sizeof name), ERROR_SUCCESS);
    EXPECT_STREQ(name, "Deep");
    RegCloseKey(key);
    EXPECT_EQ(RegEnumKeyA(veltrin, 3, name, sizeof name), ERROR_SUCCESS);
    EXPECT_STREQ(name, "New");
    EXPECT_EQ(machine.ReadRegistry(), before);

    key = kSentinelKey;
    EXPECT_EQ(RegCreateKeyA(veltrin, "a\\\\b", &key), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCreateKeyA(veltrin, "line\nbreak", &key), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(key, kSentinelKey);
    EXPECT_EQ(RegCreateKeyA(veltrin, "x", nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegOpenKeyA(veltrin, "a", &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegApi, DeleteKeyTakesItsTree) {
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "software\\veltrin"), ERROR_SUCCESS);
    HKEY key = kSentinelKey;
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Veltrin\\Alpha", &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(machine.ReadRegistry(), "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software]\r\n\r\n");
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Veltrin"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, ""), ERROR_ACCESS_DENIED);
}

TEST_F(RegApi, DeleteKeyWithEmptySubkeyDeletesTheHandlesKey) {
    HKEY alpha = nullptr;
    ASSERT_EQ(RegOpenKeyA(veltrin, "Alpha", &alpha), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(alpha, ""), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(alpha), ERROR_SUCCESS);
    char name[80];
    EXPECT_EQ(RegEnumKeyA(veltrin, 0, name, sizeof name), ERROR_SUCCESS);
    EXPECT_STREQ(name, "beta");
}

TEST_F(RegApi, DeleteValue) {
    EXPECT_EQ(RegDeleteValueA(veltrin, "COUNT"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(veltrin, "Count"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteValueA(veltrin, nullptr), ERROR_SUCCESS); // the default value
    EXPECT_EQ(Query(veltrin, ""), "<2>");
    EXPECT_EQ(machine.ReadRegistry().find("Count"), std::string::npos);
}

// Another process deletes the key under an open handle: every later call on
// the handle reports it, none crashes or brings the key back.
TEST_F(RegApi, KeyDeletedByAnotherProcess) {
    HKEY alpha = nullptr;
    ASSERT_EQ(RegOpenKeyA(veltrin, "Alpha", &alpha), ERROR_SUCCESS);
    ASSERT_EQ(regtest::InChild([] {
                  return static_cast<int>(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Veltrin"));
              }),
              0);
    char name[80];
    DWORD size = sizeof name;
    HKEY sub = kSentinelKey;
    EXPECT_EQ(RegEnumKeyA(alpha, 0, name, sizeof name), ERROR_KEY_DELETED);
    EXPECT_EQ(RegEnumValueA(alpha, 0, name, &size, nullptr, nullptr, nullptr, nullptr),
              ERROR_KEY_DELETED);
    EXPECT_EQ(RegQueryValueExA(alpha, "x", nullptr, nullptr, nullptr, &size), ERROR_KEY_DELETED);
    EXPECT_EQ(RegSetValueExA(alpha, "x", 0, REG_BINARY, nullptr, 0), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCreateKeyA(alpha, "x", &sub), ERROR_KEY_DELETED);
    EXPECT_EQ(RegOpenKeyA(alpha, "", &sub), ERROR_KEY_DELETED);
    EXPECT_EQ(RegDeleteValueA(alpha, "x"), ERROR_KEY_DELETED);
    EXPECT_EQ(sub, kSentinelKey);
    EXPECT_EQ(RegCloseKey(alpha), ERROR_SUCCESS);
    EXPECT_EQ(machine.ReadRegistry(), "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software]\r\n\r\n");
}

// A handle already used (its key found) whose key this process deletes
// through another handle; the key made again is found afresh.
TEST_F(RegApi, KeyDeletedThroughAnotherHandle) {
    HKEY alpha = nullptr;
    ASSERT_EQ(RegOpenKeyA(veltrin, "Alpha", &alpha), ERROR_SUCCESS);
    EXPECT_EQ(Query(alpha, "x"), "<2>");
    ASSERT_EQ(RegDeleteKeyA(veltrin, "Alpha"), ERROR_SUCCESS);
    char name[80];
    EXPECT_EQ(RegEnumKeyA(alpha, 0, name, sizeof name), ERROR_KEY_DELETED);
    EXPECT_EQ(Query(alpha, "x"), "<1018>");
    HKEY again = nullptr;
    ASSERT_EQ(RegCreateKeyA(veltrin, "Alpha", &again), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(again, "x", 0, REG_SZ, reinterpret_cast<const BYTE *>("new"), 4),
              ERROR_SUCCESS);
    EXPECT_EQ(Query(alpha, "x"), "new\0"s);
    RegCloseKey(again);
    RegCloseKey(alpha);
}

TEST_F(RegApi, ChangesByAnotherProcessAreSeen) {
    EXPECT_EQ(Query(veltrin, "Name"), "Pellorin\0"s);
    ASSERT_EQ(regtest::InChild([] {
                  HKEY key = nullptr;
                  RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Veltrin", &key);
                  return static_cast<int>(RegSetValueExA(
                      key, "Name", 0, REG_SZ, reinterpret_cast<const BYTE *>("Other\0"), 6));
              }),
              0);
    EXPECT_EQ(Query(veltrin, "Name"), "Other\0"s);
}

} // namespace
