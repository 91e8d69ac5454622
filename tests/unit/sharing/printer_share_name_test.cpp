// Share names derived from printer names, and the one retry name.
#include "sharing/printer_share_name.h"

#include <gtest/gtest.h>

namespace {

struct NameCase {
    const char *printer;
    const char *firstTry;
    const char *secondTry;
};

const NameCase kNames[] = {
    {"Office Laser", "Office", "OfficeA"},
    {"Office Laser (2)", "Office2", "Office2A"},
    {"Photo (Copy 3)", "Photo3", "Photo3A"},
    {"Engineering", "Engineering", "EngineeringA"},
    {"Receptionist", "Receptionist", "ReceptioniA"},
    {"Laser (LPT1)", "Laser1", "Laser1A"},
    {"HP", "HP", "HPA"},
    {"laserJet 5", "laserJet", "laserJetA"},
    {" Laser", "", "A"},
    {" Laser (7)", "7", "7A"},
    {")", ")", ")A"},
    {"", "", "A"},
    {"x)", "x)x", "x)xA"},
    // Too long for the name field: the retry shortens it.
    {"Accountingdept Laser", "Accountingdept", "AccountingA"},
    {"Accounting12 (9)", "Accounting129", "AccountingA"},
};

TEST(PrinterShareName, WorkedNames) {
    for (const NameCase &c : kNames) {
        SCOPED_TRACE(c.printer);
        const std::string first = PrinterShareName(c.printer);
        EXPECT_EQ(first, c.firstTry);
        EXPECT_EQ(RetryShareName(first), c.secondTry);
    }
}

TEST(PrinterShareName, RetryNeverExceedsTwelveCharacters) {
    std::string name;
    for (int length = 0; length <= 20; ++length, name += 'n') {
        const std::string retry = RetryShareName(name);
        EXPECT_LE(retry.size(), 12u) << length;
        EXPECT_EQ(retry.back(), 'A');
    }
}

} // namespace
