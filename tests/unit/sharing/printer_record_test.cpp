// Which enumerated printer records enter the table.
#include "sharing/printer_record.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A block holding the texts the records point into.
struct Block {
    BYTE bytes[256] = {};
    std::size_t used = 0;

    char *Text(const char *text) {
        char *at = reinterpret_cast<char *>(bytes + used);
        std::strcpy(at, text);
        used += std::strlen(text) + 1;
        return at;
    }
    bool Offered(const PRINTER_INFO_2 &record) const {
        return IsOfferedPrinter(record, bytes, bytes + sizeof bytes);
    }
};

TEST(PrinterRecord, PortDecides) {
    struct {
        const char *port;
        bool offered;
    } const cases[] = {
        {"LPT1:", true},         {"COM2:", true}, {"FILE:", true}, {"\\\\OFFICE\\LASER", false},
        {"\\LASER", false},      {"X\\Y", false}, {"\\", false},   {"", true},
        {"C:\\PRINT.PRN", true},
    };
    for (const auto &c : cases) {
        Block block;
        PRINTER_INFO_2 record{};
        record.pPrinterName = block.Text("Laser");
        record.pPortName = block.Text(c.port);
        EXPECT_EQ(block.Offered(record), c.offered) << c.port;
    }
}

TEST(PrinterRecord, TextsOutsideTheBlockAreNotTrusted) {
    Block block;
    char outside[] = "LPT1:";
    PRINTER_INFO_2 record{};
    record.pPrinterName = block.Text("Laser");
    record.pPortName = block.Text("LPT1:");
    EXPECT_TRUE(block.Offered(record));

    record.pShareName = block.Text("LASER");
    EXPECT_TRUE(block.Offered(record));
    record.pShareName = outside;
    EXPECT_FALSE(block.Offered(record));
    record.pShareName = nullptr;

    record.pPortName = outside;
    EXPECT_FALSE(block.Offered(record));
    record.pPortName = nullptr; // no port at all: nothing marks it remote
    EXPECT_TRUE(block.Offered(record));

    record.pPrinterName = nullptr;
    EXPECT_FALSE(block.Offered(record));
    record.pPrinterName = outside;
    EXPECT_FALSE(block.Offered(record));
}

} // namespace
