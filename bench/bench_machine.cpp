#include "bench/bench_machine.h"

#include "bench/big_registry.h"
#include "bench/reg_data.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/network/machine_keys.h"
#include "platform/sim/registry/apply_regedit4.h"
#include "platform/sim/registry/writer.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace bench {

namespace {

namespace fs = std::filesystem;
using sim::reg::Key;

constexpr char kCardKey[] = "Enum\\PCI\\VEN_1022&DEV_2001&SUBSYS_20011022&REV_01";

[[noreturn]] void Die(const std::string &what) {
    std::fprintf(stderr, "veltrin-bench: %s\n", what.c_str());
    std::exit(1);
}

std::string ReadFileOrDie(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        Die("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Numbered(const char *format, unsigned n) {
    char text[64];
    std::snprintf(text, sizeof text, format, n);
    return text;
}

void AddShare(Key &shares, const std::string &name, std::uint32_t type, std::uint32_t flags,
              const std::string &path) {
    Key &share = shares.AddSubkey(name);
    share.SetValue("Flags", kDword, Dword(flags));
    share.SetValue("Path", kSz, Sz(path));
    share.SetValue("Remark", kSz, Sz(""));
    share.SetValue("Type", kDword, Dword(type));
    share.SetValue("Parm1enc", kBinary, "");
    share.SetValue("Parm2enc", kBinary, "");
}

// Printer "P0001 Laser" on LPT1:, shared as P0001 when odd.
void AddPrinters(Key &root, unsigned count) {
    Key &printers = *sim::reg::CreateKey(root, sim::kPrintersKey);
    Key &shares = *sim::reg::CreateKey(root, kShareKeyPath);
    for (unsigned i = 1; i <= count; ++i) {
        std::string shareName = Numbered("P%04u", i);
        std::string name = shareName + " Laser";
        Key &printer = printers.AddSubkey(name);
        printer.SetValue("Name", kSz, Sz(name));
        printer.SetValue("Port", kSz, Sz(Numbered("LPT%u:", 1 + i % 3)));
        printer.SetValue("Attributes", kDword, Dword(i % 2 ? 0x48 : 0x40));
        if (i % 2) {
            printer.SetValue("Share Name", kSz, Sz(shareName));
            AddShare(shares, shareName, 1, 0x182, name);
        }
        printer.SetValue("Printer Driver", kSz, Sz("Generic / Text Only"));
    }
}

// Instance 0 is the default machine's; each further one has its own
// TCP/IP binding, protocol key and driver key.
void AddCardInstances(Key &root, unsigned count) {
    Key &card = *sim::reg::CreateKey(root, kCardKey);
    for (unsigned i = 1; i < count; ++i) {
        std::string number = Numbered("%04u", i);
        Key &instance = card.AddSubkey(Numbered("BUS_01&DEV_%02u&FUNC_00", i));
        instance.SetValue("Class", kSz, Sz("Net"));
        instance.SetValue("Driver", kSz, Sz("Net\\" + Numbered("%04u", 100 + i)));
        Key &bindings = instance.AddSubkey("Bindings");
        bindings.SetValue("MSTCP\\" + number, kSz, Sz(""));
        bindings.SetValue("VREDIR\\" + number, kSz, Sz(""));
        Key &protocol = *sim::reg::CreateKey(root, "Enum\\Network\\MSTCP\\" + number);
        protocol.SetValue("Class", kSz, Sz("NetTrans"));
        protocol.SetValue("Driver", kSz, Sz("NetTrans\\" + number));
        Key &driver = *sim::reg::CreateKey(
            root, "System\\CurrentControlSet\\Services\\Class\\NetTrans\\" + number);
        driver.SetValue("DriverDesc", kSz, Sz("TCP/IP"));
        driver.SetValue("IPAddress", kSz, Sz("0.0.0.0"));
        driver.SetValue("IPMask", kSz, Sz("0.0.0.0"));
    }
}

std::string DefaultRegistryText() {
    fs::path temp = fs::temp_directory_path() / "veltrin-bench-default";
    fs::remove_all(temp);
    std::string error;
    if (!sim::CopyDefaultMachine(temp.string(), &error))
        Die(error);
    std::string text = ReadFileOrDie((temp / "registry.reg").string());
    fs::remove_all(temp);
    return text;
}

} // namespace

void WriteFileOrDie(const std::string &path, const std::string &content, bool executable) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!(out << content) || !out.flush())
        Die("cannot write " + path);
    out.close();
    if (executable)
        fs::permissions(path, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
}

std::string MachineRegistryText(const MachineShape &shape) {
    Key root;
    if (shape.fullRegistry)
        AddFullRegistry(root);
    vp::Regedit4Error error;
    if (!sim::reg::ApplyRegedit4(DefaultRegistryText(), root, &error))
        Die("default registry, line " + std::to_string(error.line) + ": " + error.what);
    Key &shares = *sim::reg::CreateKey(root, kShareKeyPath);
    for (unsigned i = 1; i <= shape.diskShares; ++i)
        AddShare(shares, Numbered("S%05u", i), 0, 0x191, Numbered("C:\\SHARED\\F%05u", i));
    AddPrinters(root, shape.printers);
    AddCardInstances(root, shape.cardInstances);
    return sim::reg::WriteRegedit4(root, "");
}

BenchMachine::BenchMachine(const MachineShape &shape, const std::string &base)
    : m_registry(MachineRegistryText(shape)) {
    std::string pattern =
        (base.empty() ? fs::temp_directory_path() : fs::path(base)) / "veltrin-bench-XXXXXX";
    if (!mkdtemp(pattern.data()))
        Die("cannot make a folder in " + pattern);
    m_dir = pattern + "/machine";
    std::string error;
    if (!sim::CopyDefaultMachine(m_dir, &error))
        Die(error);
    ResetRegistry();
}

BenchMachine::~BenchMachine() {
    std::error_code ec;
    fs::remove_all(fs::path(m_dir).parent_path(), ec);
}

void BenchMachine::ResetRegistry() const {
    WriteFileOrDie(RegistryPath(), m_registry);
}

} // namespace bench
