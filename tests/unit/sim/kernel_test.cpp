#include "platform/api.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

namespace {

TEST(Kernel, LstrFamilyIsNullSafe) {
    char buffer[16] = "C:";
    EXPECT_EQ(lstrcatA(buffer, "\\Tzr\\Setup"), buffer);
    EXPECT_STREQ(buffer, "C:\\Tzr\\Setup");
    EXPECT_EQ(lstrlenA(buffer), 12);
    EXPECT_EQ(lstrcpyA(buffer, "D:\\"), buffer);
    EXPECT_STREQ(buffer, "D:\\");
    EXPECT_EQ(lstrlenA(nullptr), 0);
    EXPECT_EQ(lstrcpyA(nullptr, "x"), nullptr);
    EXPECT_EQ(lstrcpyA(buffer, nullptr), nullptr);
    EXPECT_EQ(lstrcatA(buffer, nullptr), nullptr);
    EXPECT_STREQ(buffer, "D:\\");
}

TEST(Kernel, LastErrorIsPerThread) {
    SetLastError(2118);
    std::thread([] {
        EXPECT_EQ(GetLastError(), 0u);
        SetLastError(5);
    }).join();
    EXPECT_EQ(GetLastError(), 2118u);
}

TEST(Kernel, ZeroFilledBlocks) {
    auto *local = static_cast<unsigned char *>(LocalAlloc(LMEM_ZEROINIT, 300));
    ASSERT_NE(local, nullptr);
    for (int i = 0; i < 300; ++i)
        ASSERT_EQ(local[i], 0);
    HLOCAL handle = LocalHandle(local);
    EXPECT_EQ(LocalFree(handle), nullptr);

    auto *record = static_cast<unsigned char *>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, 42));
    ASSERT_NE(record, nullptr);
    for (int i = 0; i < 42; ++i)
        ASSERT_EQ(record[i], 0);
    EXPECT_TRUE(HeapFree(GetProcessHeap(), 0, record));
    EXPECT_EQ(HeapAlloc(nullptr, 0, 8), nullptr);
}

} // namespace
