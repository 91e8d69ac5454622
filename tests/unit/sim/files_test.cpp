// The file calls over the machine's drives, with Windows' answers.
#include "platform/api.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Files : public ::testing::Test {
  protected:
    Files() {
        machine.SetDrives({{'C', "fixed"}, {'E', "cdrom"}});
        machine.AddFile('E', "on-cd.txt", "cd");
        machine.Use();
    }

    HANDLE Open(const char *path, DWORD access, DWORD creation) {
        return CreateFileA(path, access, 0, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
    }

    void Write(HANDLE file, const std::string &text) {
        DWORD written = 0;
        ASSERT_TRUE(
            WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr));
        EXPECT_EQ(written, text.size());
    }

    testkit::TempMachine machine;
};

TEST_F(Files, MakeAppendAndReadBack) {
    HANDLE file = Open("C:\\log.txt", GENERIC_WRITE, OPEN_ALWAYS);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    Write(file, "one\r\n");
    CloseHandle(file);

    file = Open("c:\\LOG.TXT", GENERIC_WRITE, OPEN_ALWAYS); // names match without case
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_END), 5u);
    Write(file, "two\r\n");
    CloseHandle(file);

    file = Open("C:\\log.txt", GENERIC_READ, OPEN_EXISTING);
    EXPECT_EQ(GetFileSize(file, nullptr), 10u);
    char buffer[16] = {};
    DWORD read = 0;
    ASSERT_TRUE(ReadFile(file, buffer, sizeof buffer, &read, nullptr));
    EXPECT_EQ(std::string(buffer, read), "one\r\ntwo\r\n");
    CloseHandle(file);
    EXPECT_EQ(testkit::ReadFile(machine.DrivePath('C') + "/log.txt"), "one\r\ntwo\r\n");
}

TEST_F(Files, RefusalsCarryWindowsCodes) {
    const struct {
        const char *path;
        DWORD access, creation, error;
    } cases[] = {
        {"C:\\missing.txt", GENERIC_READ, OPEN_EXISTING, ERROR_FILE_NOT_FOUND},
        {"C:\\no\\such.txt", GENERIC_WRITE, CREATE_ALWAYS, ERROR_PATH_NOT_FOUND},
        {"E:\\new.txt", GENERIC_WRITE, CREATE_ALWAYS, ERROR_ACCESS_DENIED}, // the CD
        {"E:\\on-cd.txt", GENERIC_WRITE, OPEN_EXISTING, ERROR_ACCESS_DENIED},
        {"C:\\..\\..\\escape.txt", GENERIC_WRITE, CREATE_ALWAYS, ERROR_PATH_NOT_FOUND},
        {"C:\\", GENERIC_WRITE, OPEN_ALWAYS, ERROR_ACCESS_DENIED}, // a folder
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(Open(c.path, c.access, c.creation), INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), c.error);
    }
    HANDLE made = Open("C:\\once.txt", GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(made, INVALID_HANDLE_VALUE);
    CloseHandle(made);
    EXPECT_EQ(Open("C:\\once.txt", GENERIC_WRITE, CREATE_NEW), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
}

TEST_F(Files, MoveReplacesOnlyWhenAsked) {
    machine.AddFile('C', "a.tmp", "new");
    machine.AddFile('C', "a.reg", "old");
    EXPECT_FALSE(MoveFileA("C:\\a.tmp", "C:\\a.reg"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(MoveFileExA("C:\\a.tmp", "E:\\a.reg", MOVEFILE_REPLACE_EXISTING));
    EXPECT_TRUE(
        MoveFileExA("C:\\a.tmp", "C:\\a.reg", MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    EXPECT_EQ(testkit::ReadFile(machine.DrivePath('C') + "/a.reg"), "new");
    EXPECT_TRUE(DeleteFileA("C:\\a.reg"));
    EXPECT_FALSE(DeleteFileA("C:\\a.reg"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

} // namespace
