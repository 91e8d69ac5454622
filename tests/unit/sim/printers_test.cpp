#include "platform/api.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

std::string PrinterKey(const std::string &name, const std::string &values) {
    return "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Print\\Printers\\" + name +
           "]\r\n" + values + "\r\n";
}

class PrintersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        machine.SetRegistry(
            PrinterKey("Desk Laser", "\"Port\"=\"LPT1:\"\r\n\"Attributes\"=dword:00000048\r\n"
                                     "\"Share Name\"=\"LASER\"\r\n"
                                     "\"Printer Driver\"=\"Generic / Text Only\"\r\n"
                                     "\"Description\"=\"On the desk\"\r\n") +
            PrinterKey("Office Laser", "\"Port\"=\"\\\\\\\\OFFICE\\\\LASER\"\r\n"
                                       "\"Attributes\"=dword:00000010\r\n") +
            PrinterKey("Inkjet (Color)", "\"Port\"=\"LPT2:\"\r\n\"Attributes\"=dword:00000040\r\n"
                                         "\"Share Name\"=\"\"\r\n"));
        machine.Use();
    }
    testkit::TempMachine machine;
};

TEST_F(PrintersTest, SizeQueryThenFetch) {
    DWORD needed = 0, returned = 99;
    EXPECT_FALSE(EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(returned, 0u);
    const size_t texts = sizeof "Desk Laser" + sizeof "LASER" +
                         sizeof "LPT1:" + sizeof "Generic / Text Only" + sizeof "On the desk" +
                         sizeof "Office Laser" + sizeof "\\\\OFFICE\\LASER" +
                         sizeof "Inkjet (Color)" + sizeof "" + sizeof "LPT2:";
    ASSERT_EQ(needed, 3 * sizeof(PRINTER_INFO_2A) + texts);

    // One byte short: refused, and the block is left alone.
    std::vector<BYTE> block(needed + 64, 0xA5);
    DWORD again = 0;
    EXPECT_FALSE(
        EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, block.data(), needed - 1, &again, &returned));
    EXPECT_EQ(again, needed);
    for (BYTE b : block)
        ASSERT_EQ(b, 0xA5);

    ASSERT_TRUE(
        EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, block.data(), needed, &again, &returned));
    ASSERT_EQ(returned, 3u);
    for (size_t i = needed; i < block.size(); ++i)
        ASSERT_EQ(block[i], 0xA5) << "wrote past cbBuf at " << i;

    auto *records = reinterpret_cast<PRINTER_INFO_2A *>(block.data());
    auto inside = [&](const char *p) {
        return p >= reinterpret_cast<char *>(block.data() + 3 * sizeof(PRINTER_INFO_2A)) &&
               p < reinterpret_cast<char *>(block.data() + needed);
    };
    EXPECT_STREQ(records[0].pPrinterName, "Desk Laser");
    EXPECT_STREQ(records[0].pShareName, "LASER");
    EXPECT_STREQ(records[0].pPortName, "LPT1:");
    EXPECT_STREQ(records[0].pDriverName, "Generic / Text Only");
    EXPECT_STREQ(records[0].pComment, "On the desk");
    EXPECT_EQ(records[0].Attributes,
              static_cast<DWORD>(PRINTER_ATTRIBUTE_SHARED | PRINTER_ATTRIBUTE_LOCAL));
    EXPECT_TRUE(inside(records[0].pPrinterName) && inside(records[0].pComment));

    EXPECT_STREQ(records[1].pPrinterName, "Office Laser");
    EXPECT_STREQ(records[1].pPortName, "\\\\OFFICE\\LASER");
    EXPECT_EQ(records[1].pShareName, nullptr);
    EXPECT_EQ(records[1].pDriverName, nullptr);
    EXPECT_EQ(records[1].pServerName, nullptr);

    EXPECT_STREQ(records[2].pPrinterName, "Inkjet (Color)");
    ASSERT_NE(records[2].pShareName, nullptr); // present though empty
    EXPECT_STREQ(records[2].pShareName, "");
    EXPECT_EQ(records[2].Attributes, static_cast<DWORD>(PRINTER_ATTRIBUTE_LOCAL));
}

TEST_F(PrintersTest, OnlyLocalPrintersAtLevel2) {
    DWORD needed = 7, returned = 7;
    BYTE block[16];
    EXPECT_TRUE(
        EnumPrintersA(4 /* connections */, nullptr, 2, block, sizeof block, &needed, &returned));
    EXPECT_EQ(needed, 0u);
    EXPECT_EQ(returned, 0u);
    EXPECT_FALSE(
        EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 1, block, sizeof block, &needed, &returned));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_LEVEL));
    EXPECT_FALSE(
        EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, block, sizeof block, nullptr, &returned));
}

TEST_F(PrintersTest, NoPrintersIsAnEmptySuccess) {
    machine.SetRegistry("");
    DWORD needed = 7, returned = 7;
    EXPECT_TRUE(EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned));
    EXPECT_EQ(needed, 0u);
    EXPECT_EQ(returned, 0u);
}

} // namespace
