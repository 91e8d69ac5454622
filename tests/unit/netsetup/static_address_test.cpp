// The gateway's static address walk: from the card's PCI key through its
// bindings to the TCP/IP driver keys, on registries shaped to break it.
#include "netsetup/static_address.h"

#include "common/reg_key.h"
#include "tests/unit/netsetup/netsetup_fixture.h"

#include <cstdio>

#include <string>
#include <vector>

namespace {

using nstest::ReadMachineString;

const std::string kDevice = "Enum\\PCI\\VEN_1022&DEV_2001&SUBSYS_20011022&REV_01";
const std::string kInstance = kDevice + "\\BUS_00&DEV_0B&FUNC_00";
const std::string kClassRootKey = "System\\CurrentControlSet\\Services\\Class";
const std::string kClassRoot = kClassRootKey + "\\";
const char kWarningBox[] =
    R"(msgbox "WARNING" "Fail to assign a static IP address, the server\nprobably will not be working properly." 16 owner=none)";

std::string Escaped(const std::string &text) {
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out;
}

std::string Key(const std::string &path, const std::vector<std::string> &values = {}) {
    std::string text = "[HKEY_LOCAL_MACHINE\\" + path + "]\r\n";
    for (const auto &value : values)
        text += value + "\r\n";
    return text + "\r\n";
}

// An instance key's Bindings with the given value names (empty data).
std::string Bindings(const std::string &instance, const std::vector<std::string> &names) {
    std::vector<std::string> values;
    for (const auto &name : names)
        values.push_back("\"" + Escaped(name) + "\"=\"\"");
    return Key(instance + "\\Bindings", values);
}

// Enum\Network\MSTCP\<suffix> naming its driver, and the driver's class key.
std::string Protocol(const std::string &suffix, const std::string &driver) {
    return Key("Enum\\Network\\MSTCP\\" + suffix, {"\"Driver\"=\"" + Escaped(driver) + "\""}) +
           Key(kClassRoot + driver);
}

// The usual card: one instance bound to MSTCP\0000, driver NetTrans\0000.
std::string Card(const std::string &device = kDevice) {
    return Bindings(device + "\\BUS_00&DEV_0B&FUNC_00", {"MSTCP\\0000"}) +
           Protocol("0000", "NetTrans\\0000");
}

struct WalkCase {
    std::string name;
    std::string registry;
    bool assigned;                      // the step's result; the warning shows when false
    std::vector<std::string> written;   // drivers whose class key got both values
    std::vector<std::string> untouched; // drivers whose class key got neither
};

std::vector<WalkCase> WalkCases() {
    const std::string thirtyNine(39, 'x');
    const std::string forty(40, 'y');
    return {
        {"no PCI key", Key("Enum\\Root"), false, {}, {}},
        {"PCI key without subkeys", Key("Enum\\PCI"), false, {}, {}},
        {"near-miss vendor names",
         Card("Enum\\PCI\\VEN_1022&DEV_2000&SUBSYS_00000000") +
             Card("Enum\\PCI\\ven_1022&dev_2001&subsys_00000000") +
             Card("Enum\\PCI\\VEN_1022&DEV_200"),
         false,
         {},
         {"NetTrans\\0000"}},
        {"bare device id matches",
         Card("Enum\\PCI\\VEN_1022&DEV_2001"),
         true,
         {"NetTrans\\0000"},
         {}},
        {"only the first matching device",
         Card() + Bindings("Enum\\PCI\\VEN_1022&DEV_2001&SUBSYS_2\\BUS_01", {"MSTCP\\0001"}) +
             Protocol("0001", "NetTrans\\0001"),
         true,
         {"NetTrans\\0000"},
         {"NetTrans\\0001"}},
        {"device without instances",
         Key(kDevice) + Protocol("0000", "NetTrans\\0000"),
         false,
         {},
         {"NetTrans\\0000"}},
        {"instance without bindings is passed over",
         Key(kDevice + "\\BUS_00&DEV_0A&FUNC_00") + Card(),
         true,
         {"NetTrans\\0000"},
         {}},
        {"TCP/IP binding last",
         Bindings(kInstance, {"NETBEUI\\0000", "VREDIR\\0000", "MSTCP\\0000"}) +
             Protocol("0000", "NetTrans\\0000"),
         true,
         {"NetTrans\\0000"},
         {}},
        {"TCP/IP binding first",
         Bindings(kInstance, {"MSTCP\\0000", "NETBEUI\\0000", "VREDIR\\0000"}) +
             Protocol("0000", "NetTrans\\0000"),
         true,
         {"NetTrans\\0000"},
         {}},
        {"TCP/IP binding between others",
         Bindings(kInstance, {"VREDIR\\0000", "MSTCP\\0000", "NETBEUI\\0000"}) +
             Protocol("0000", "NetTrans\\0000"),
         true,
         {"NetTrans\\0000"},
         {}},
        {"instance name cut after five characters",
         Bindings(kInstance, {"MSTCP\\000123", "MSTCP\\12"}) + Protocol("00012", "NetTrans\\0005") +
             Protocol("000123", "NetTrans\\0006") + Protocol("12", "NetTrans\\0012"),
         true,
         {"NetTrans\\0005", "NetTrans\\0012"},
         {"NetTrans\\0006"}},
        {"lower-case binding is not followed",
         Bindings(kInstance, {"mstcp\\0000"}) + Protocol("0000", "NetTrans\\0000"),
         false,
         {},
         {"NetTrans\\0000"}},
        {"two instances, two driver keys",
         Card() + Bindings(kDevice + "\\BUS_00&DEV_0C&FUNC_00", {"MSTCP\\0001"}) +
             Protocol("0001", "NetTrans\\0001"),
         true,
         {"NetTrans\\0000", "NetTrans\\0001"},
         {}},
        {"missing protocol instance and missing Driver are silent",
         Bindings(kInstance, {"MSTCP\\0007", "MSTCP\\0008", "MSTCP\\0000"}) +
             Key("Enum\\Network\\MSTCP\\0008") + Protocol("0000", "NetTrans\\0000"),
         true,
         {"NetTrans\\0000"},
         {}},
        {"longest driver text that fits",
         Bindings(kInstance, {"MSTCP\\0000"}) + Protocol("0000", thirtyNine),
         true,
         {thirtyNine},
         {}},
        {"driver text too long is passed over",
         Bindings(kInstance, {"MSTCP\\0001", "MSTCP\\0000"}) + Protocol("0001", forty) +
             Key(kClassRoot + forty.substr(0, 39)) + Protocol("0000", "NetTrans\\0000"),
         true,
         {"NetTrans\\0000"},
         {forty, forty.substr(0, 39)}},
        {"device name of 70 characters fits",
         Card("Enum\\PCI\\VEN_1022&DEV_2001" + std::string(53, 'z')),
         true,
         {"NetTrans\\0000"},
         {}},
        // Neither may reach Enum\Network\MSTCP or Class itself.
        {"binding without an instance name",
         Bindings(kInstance, {"MSTCP\\"}) +
             Key("Enum\\Network\\MSTCP", {"\"Driver\"=\"NetTrans\\\\0000\""}) +
             Key(kClassRoot + "NetTrans\\0000"),
         false,
         {},
         {"NetTrans\\0000"}},
        {"empty driver text",
         Bindings(kInstance, {"MSTCP\\0000"}) +
             Key("Enum\\Network\\MSTCP\\0000", {"\"Driver\"=\"\""}) + Key(kClassRootKey),
         false,
         {},
         {}},
        {"empty driver text passed over, the next binding written",
         Bindings(kInstance, {"MSTCP\\0001", "MSTCP\\0000"}) +
             Key("Enum\\Network\\MSTCP\\0001", {"\"Driver\"=\"\""}) +
             Protocol("0000", "NetTrans\\0000"),
         true,
         {"NetTrans\\0000"},
         {}},
        {"device name too long for its path",
         Card("Enum\\PCI\\VEN_1022&DEV_2001" + std::string(54, 'z')),
         false,
         {},
         {"NetTrans\\0000"}},
    };
}

class StaticAddressTest : public nstest::NetsetupTest {};

TEST_F(StaticAddressTest, WalksTheCardsBindings) {
    for (const auto &c : WalkCases()) {
        SCOPED_TRACE(c.name);
        machine.SetRegistry(c.registry);
        machine.Use();
        ui->ClearTranscript();
        g_setupState = SetupState{};
        std::snprintf(g_setupState.addressText, sizeof g_setupState.addressText, "192.168.0.7");
        std::snprintf(g_setupState.maskText, sizeof g_setupState.maskText, "255.255.255.0");
        if (!c.assigned)
            ui->answers.push_back(IDOK);

        EXPECT_EQ(AssignStaticAddress(nullptr), c.assigned);

        // The step reports by its result; the apply sequence sets the state.
        EXPECT_EQ(g_setupState.restartState, RestartState::NotNeeded);
        if (c.assigned)
            EXPECT_TRUE(ui->Transcript().empty());
        else
            EXPECT_EQ(ui->Events(), (std::vector<std::string>{kWarningBox, "answer ok"}));
        EXPECT_FALSE(ReadMachineString(kClassRootKey, "IPAddress"));
        EXPECT_FALSE(ReadMachineString(kClassRootKey, "IPMask"));
        for (const auto &driver : c.written) {
            auto address = ReadMachineString(kClassRoot + driver, "IPAddress");
            auto mask = ReadMachineString(kClassRoot + driver, "IPMask");
            ASSERT_TRUE(address && mask) << driver;
            EXPECT_EQ(address->text, "192.168.0.7");
            EXPECT_EQ(address->size, 12u);
            EXPECT_EQ(address->type, static_cast<DWORD>(REG_SZ));
            EXPECT_EQ(mask->text, "255.255.255.0");
            EXPECT_EQ(mask->size, 14u);
        }
        for (const auto &driver : c.untouched) {
            EXPECT_FALSE(ReadMachineString(kClassRoot + driver, "IPAddress")) << driver;
            EXPECT_FALSE(ReadMachineString(kClassRoot + driver, "IPMask")) << driver;
        }
    }
}

TEST_F(StaticAddressTest, MissingClassKeyIsNotCreatedAndIsReported) {
    machine.SetRegistry(Bindings(kInstance, {"MSTCP\\0000"}) +
                        Key("Enum\\Network\\MSTCP\\0000", {"\"Driver\"=\"NetTrans\\\\0009\""}));
    machine.Use();
    ui->answers.push_back(IDOK);
    EXPECT_FALSE(AssignStaticAddress(nullptr));
    EXPECT_FALSE(MachineKeyExists((kClassRoot + "NetTrans\\0009").c_str()));
    EXPECT_EQ(ui->Events(), (std::vector<std::string>{kWarningBox, "answer ok"}));
}

} // namespace
