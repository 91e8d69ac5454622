#include "bench/big_registry.h"

#include "bench/reg_data.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace bench {

namespace {

using sim::reg::Key;

// splitmix64: cheap, and the same on every machine.
class Random {
  public:
    std::uint64_t Next() {
        std::uint64_t z = (m_state += 0x9e3779b97f4a7c15u);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
        return z ^ (z >> 31);
    }
    unsigned Below(unsigned n) { return static_cast<unsigned>(Next() % n); }

  private:
    std::uint64_t m_state = 98;
};

const char *const kWords[] = {"Shell",  "Media",   "Control", "Document", "Picture", "Sound",
                              "Viewer", "Library", "Service", "Network",  "Font",    "Scanner",
                              "Print",  "Data",    "Access",  "Desktop",  "Folder",  "Helper"};

std::string Word(Random &random) {
    return kWords[random.Below(sizeof kWords / sizeof *kWords)];
}

std::string Guid(Random &random) {
    char text[40];
    std::uint64_t a = random.Next(), b = random.Next();
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%04X-%012llX}",
                  static_cast<unsigned>(a >> 32), static_cast<unsigned>(a >> 16 & 0xffff),
                  static_cast<unsigned>(a & 0xffff), static_cast<unsigned>(b >> 48),
                  static_cast<unsigned long long>(b & 0xffffffffffffu));
    return text;
}

std::string Number(unsigned n, int width) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*u", width, n);
    return text;
}

std::string Dll(Random &random, unsigned i) {
    return "C:\\WINDOWS\\SYSTEM\\" + Word(random) + Number(i, 4) + ".DLL";
}

std::string Bytes(Random &random, unsigned count) {
    std::string data(count, '\0');
    for (char &c : data)
        c = static_cast<char>(random.Below(256));
    return data;
}

Key &Sub(Key &root, const std::string &path) {
    return *sim::reg::CreateKey(root, path);
}

// COM classes: the bulk of a real HKLM\Software\Classes.
void AddClasses(Key &root, Random &random) {
    Key &classes = Sub(root, "Software\\Classes");
    Key &clsids = classes.AddSubkey("CLSID");
    for (unsigned i = 0; i < 3000; ++i) {
        std::string name = Word(random) + Word(random) + " Object " + Number(i, 4);
        std::string progId = Word(random) + "." + Word(random) + Number(i, 4);
        Key &clsid = clsids.AddSubkey(Guid(random));
        clsid.SetValue("", kSz, Sz(name));
        Key &server = clsid.AddSubkey(i % 3 ? "InprocServer32" : "LocalServer32");
        server.SetValue("", kSz, Sz(Dll(random, i)));
        server.SetValue("ThreadingModel", kSz, Sz(i % 2 ? "Apartment" : "Both"));
        clsid.AddSubkey("ProgID").SetValue("", kSz, Sz(progId + ".1"));
        if (i % 4 == 0)
            clsid.AddSubkey("VersionIndependentProgID").SetValue("", kSz, Sz(progId));
        if (i % 5 == 0)
            clsid.AddSubkey("Implemented Categories").AddSubkey(Guid(random));
        Key &prog = classes.AddSubkey(progId + ".1");
        prog.SetValue("", kSz, Sz(name));
        prog.AddSubkey("CLSID").SetValue("", kSz, Sz(Guid(random)));
    }
    Key &interfaces = classes.AddSubkey("Interface");
    for (unsigned i = 0; i < 2500; ++i) {
        Key &item = interfaces.AddSubkey(Guid(random));
        item.SetValue("", kSz, Sz(std::string("I") + Word(random) + Word(random) + Number(i, 4)));
        item.AddSubkey("ProxyStubClsid32").SetValue("", kSz, Sz(Guid(random)));
        item.AddSubkey("NumMethods").SetValue("", kSz, Sz(std::to_string(3 + random.Below(40))));
    }
    for (unsigned i = 0; i < 1000; ++i) {
        std::string type = Word(random) + Number(i, 4) + "file";
        Key &ext = classes.AddSubkey(std::string(".") + Number(i, 3) + Word(random).substr(0, 2));
        ext.SetValue("", kSz, Sz(type));
        ext.SetValue("Content Type", kSz, Sz("application/x-" + type));
        Key &file = classes.AddSubkey(type);
        file.SetValue("", kSz, Sz(Word(random) + " File"));
        file.SetValue("EditFlags", kBinary, Bytes(random, 4));
        file.AddSubkey("DefaultIcon").SetValue("", kSz, Sz(Dll(random, i) + ",1"));
        Key &open = file.AddSubkey("shell").AddSubkey("open");
        open.AddSubkey("command").SetValue(
            "", kSz, Sz("C:\\PROGRA~1\\" + Word(random) + "\\APP.EXE \"%1\""));
    }
}

// Device instances under Enum and their driver keys under Services\Class.
void AddDevices(Key &root, Random &random) {
    const char *const buses[] = {"PCI", "ISAPNP", "Root", "BIOS", "USB", "MONITOR", "SCSI"};
    const char *const classNames[] = {"System", "Net", "Display", "MEDIA", "Ports", "hdc", "USB"};
    for (unsigned i = 0; i < 2200; ++i) {
        const char *cls = classNames[i % 7];
        std::string driver = std::string(cls) + "\\" + Number(i, 4);
        std::string hardware = std::string(buses[i % 7]) + "\\VEN_" + Number(1000 + i, 4) +
                               "&DEV_" + Number(random.Below(10000), 4);
        Key &device = Sub(root, "Enum\\" + std::string(buses[i % 7]) + "\\" +
                                    hardware.substr(hardware.find('\\') + 1) + "\\BUS_00&DEV_" +
                                    Number(i % 32, 2) + "&FUNC_00");
        device.SetValue("DeviceDesc", kSz, Sz(Word(random) + " " + Word(random) + " Device"));
        device.SetValue("Class", kSz, Sz(cls));
        device.SetValue("HardwareID", kSz, Sz(hardware + "," + hardware.substr(0, 16)));
        device.SetValue("Mfg", kSz, Sz(Word(random) + " Corporation"));
        device.SetValue("Driver", kSz, Sz(driver));
        device.SetValue("ConfigFlags", kBinary, Bytes(random, 4));
        device.SetValue("Capabilities", kDword, Dword(random.Below(64)));
        device.SetValue("HWRevision", kSz, Sz(Number(random.Below(100), 3)));
        device.AddSubkey("LogConfig").SetValue("0000", kBinary, Bytes(random, 80));

        Key &drv = Sub(root, "System\\CurrentControlSet\\Services\\Class\\" + driver);
        drv.SetValue("DriverDesc", kSz, Sz(Word(random) + " " + Word(random) + " Driver"));
        drv.SetValue("ProviderName", kSz, Sz(Word(random) + " Corporation"));
        drv.SetValue("DriverDate", kSz, Sz(" 4-23-1999"));
        drv.SetValue("DevLoader", kSz, Sz("*CONFIGMG"));
        drv.SetValue("InfPath", kSz, Sz("OEM" + Number(i, 4) + ".INF"));
        drv.SetValue("InfSection", kSz, Sz(Word(random) + ".Install"));
        drv.SetValue("MatchingDeviceId", kSz, Sz(hardware));
        drv.SetValue("DriverDateData", kBinary, Bytes(random, 8));
        drv.SetValue("Ver", kSz, Sz("4.0"));
        drv.SetValue("EnumPropPages", kSz, Sz(Dll(random, i) + ",EnumPropPages"));
        if (i % 2 == 0) {
            Key &defaults = drv.AddSubkey("Default");
            for (unsigned j = 0; j < 6; ++j)
                defaults.SetValue(Word(random) + Number(j, 2), kSz, Sz(std::to_string(j)));
        }
    }
    for (unsigned i = 0; i < 400; ++i) {
        Key &vxd =
            Sub(root, "System\\CurrentControlSet\\Services\\VxD\\" + Word(random) + Number(i, 3));
        vxd.SetValue("StaticVxD", kSz, Sz(Word(random) + Number(i, 3) + ".vxd"));
        vxd.SetValue("Start", kBinary, Bytes(random, 1));
        vxd.SetValue("DisplayName", kSz, Sz(Word(random) + " support"));
    }
}

// Installed programs: settings trees of a few levels, uninstall entries and
// the shared DLL counts (one key of thousands of values).
void AddSoftware(Key &root, Random &random) {
    for (unsigned i = 0; i < 400; ++i) {
        Key &product = Sub(root, "Software\\" + Word(random) + " Soft " + Number(i, 3) + "\\" +
                                     Word(random) + "\\" + Number(1 + i % 9, 1) + ".0");
        product.SetValue("InstallDir", kSz, Sz("C:\\PROGRA~1\\" + Word(random) + Number(i, 3)));
        for (unsigned section = 0; section < 12; ++section) {
            Key &settings = product.AddSubkey(Word(random) + " Settings " + Number(section, 2));
            for (unsigned j = 0; j < 24; ++j) {
                std::string name = Word(random) + Number(j, 2);
                if (j % 3 == 0)
                    settings.SetValue(name, kDword, Dword(random.Below(100000)));
                else if (j % 7 == 0)
                    settings.SetValue(name, kBinary, Bytes(random, 4 + random.Below(40)));
                else
                    settings.SetValue(name, kSz, Sz(Word(random) + " " + Word(random)));
            }
            Key &recent = settings.AddSubkey("Recent");
            recent.SetValue("File1", kSz, Sz("C:\\MY DOCUMENTS\\" + Word(random) + ".DOC"));
        }
    }
    Key &uninstall = Sub(root, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall");
    for (unsigned i = 0; i < 300; ++i) {
        Key &entry = uninstall.AddSubkey(Word(random) + Number(i, 3));
        entry.SetValue("DisplayName", kSz, Sz(Word(random) + " " + Word(random) + " 98"));
        entry.SetValue("UninstallString", kSz,
                       Sz("C:\\WINDOWS\\UNINST.EXE -f\"C:\\PROGRA~1\\" + Word(random) + "\""));
    }
    Key &shared = Sub(root, "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs");
    for (unsigned i = 0; i < 5000; ++i)
        shared.SetValue(Dll(random, i), kDword, Dword(1 + random.Below(5)));
}

void Count(const Key &key, TreeCounts &counts) {
    ++counts.keys;
    counts.values += key.values.Size();
    for (std::size_t i = 0; i < key.subkeys.Size(); ++i)
        Count(key.subkeys.At(i), counts);
}

} // namespace

void AddFullRegistry(Key &root) {
    Random random;
    AddClasses(root, random);
    AddDevices(root, random);
    AddSoftware(root, random);
}

TreeCounts CountTree(const Key &root) {
    TreeCounts counts;
    Count(root, counts);
    --counts.keys; // the root itself is no key of the file
    return counts;
}

} // namespace bench
