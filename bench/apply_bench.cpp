// The non-interactive work of the setup on machines of growing size: the
// inventories the sharing dialog reads, the share application its OK runs,
// and the static address walk. Every share call and every address value is
// one registry write with two fsyncs, so the application figures are run
// twice: with the store on the disk (/tmp), as a user has it, and on tmpfs
// (/dev/shm), where the syncs cost nothing and the growth of the work
// itself shows.
#include "bench/bench_machine.h"
#include "netsetup/host_number.h"
#include "netsetup/static_address.h"
#include "platform/sim/machine/machine.h"
#include "sharing/sharing_dlg.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>

namespace bench {

namespace {

constexpr char kDisk[] = "";
constexpr char kTmpfs[] = "/dev/shm";

// The machine of that shape under base, made once and used by every
// benchmark that asks for it.
const BenchMachine &Machine(const MachineShape &shape, const char *base) {
    using Id = std::tuple<unsigned, unsigned, unsigned, std::string>;
    static std::map<Id, std::unique_ptr<BenchMachine>> machines;
    auto &machine = machines[{shape.diskShares, shape.printers, shape.cardInstances, base}];
    if (!machine)
        machine = std::make_unique<BenchMachine>(shape, base);
    sim::UseMachine(machine->Dir());
    return *machine;
}

void CountItems(benchmark::State &state, unsigned items) {
    state.counters["items"] = items;
    state.SetItemsProcessed(state.iterations() * items);
}

// A dialog that never gets a window: its printer block is given back here.
struct Dialog : CSharingDlg {
    ~Dialog() override {
        if (m_printers)
            LocalFree(LocalHandle(m_printers));
    }
};

// What the sharing dialog reads when it opens: read-only registry calls.
void DriveInventory(benchmark::State &state) {
    auto shares = static_cast<unsigned>(state.range(0));
    Machine({.diskShares = shares}, kDisk);
    for (auto _ : state)
        Dialog().ReadDriveInventory();
    CountItems(state, shares);
}

void PrinterInventory(benchmark::State &state) {
    auto printers = static_cast<unsigned>(state.range(0));
    Machine({.printers = printers}, kDisk);
    for (auto _ : state)
        Dialog().ReadPrinterInventory();
    CountItems(state, printers);
}

// Times apply on a dialog that prepare has readied, each time on the
// registry as the machine was made.
template <class Prepare, class Apply>
void TimeApply(benchmark::State &state, const BenchMachine &machine, Prepare prepare, Apply apply) {
    for (auto _ : state) {
        state.PauseTiming();
        machine.ResetRegistry();
        Dialog dialog;
        prepare(dialog);
        state.ResumeTiming();
        apply(dialog);
    }
}

// OK with the drives as they were: every disk share goes, C: is shared again.
void DriveSharesApply(benchmark::State &state, const char *base) {
    auto shares = static_cast<unsigned>(state.range(0));
    TimeApply(
        state, Machine({.diskShares = shares}, base),
        [](Dialog &dialog) { dialog.ReadDriveInventory(); },
        [](Dialog &dialog) {
            ShareFailures failures;
            dialog.ApplyDriveShares(failures);
        });
    CountItems(state, shares);
}

// OK with every printer moved to the other list: half are shared, half lose
// their share.
void PrinterSharesApply(benchmark::State &state, const char *base) {
    auto printers = static_cast<unsigned>(state.range(0));
    TimeApply(
        state, Machine({.printers = printers}, base),
        [](Dialog &dialog) {
            dialog.ReadPrinterInventory();
            for (DWORD i = 0; i < dialog.m_printerCount; ++i)
                dialog.m_printers[i].Attributes ^= PRINTER_ATTRIBUTE_SHARED;
        },
        [](Dialog &dialog) {
            ShareFailures failures;
            dialog.ApplyPrinterShares(failures);
        });
    CountItems(state, printers);
}

// A gateway's address on every instance of the card: two values each.
void StaticAddressWalk(benchmark::State &state, const char *base) {
    auto instances = static_cast<unsigned>(state.range(0));
    FillGatewayAddress(1998);
    TimeApply(
        state, Machine({.cardInstances = instances}, base), [](Dialog &) {},
        [](Dialog &) { AssignStaticAddress(nullptr); });
    CountItems(state, instances);
}

} // namespace

BENCHMARK(DriveInventory)
    ->ArgName("shares")
    ->Arg(10)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(PrinterInventory)
    ->ArgName("printers")
    ->Arg(1)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMicrosecond);

namespace {

using Apply = void (*)(benchmark::State &, const char *);

// Each size on the disk and on tmpfs; small machines run several times so
// that every figure stands on about the same number of writes.
void RegisterApply(const std::string &name, Apply apply, const char *argName,
                   std::initializer_list<int> sizes) {
    for (auto [store, base, items] : {std::tuple{"disk", kDisk, 200}, {"tmpfs", kTmpfs, 2000}})
        for (int size : sizes)
            benchmark::RegisterBenchmark((name + "/" + store).c_str(), apply, base)
                ->ArgName(argName)
                ->Arg(size)
                ->Iterations(std::max(1, items / size))
                ->UseRealTime()
                ->Unit(benchmark::kMillisecond);
}

const bool registered = [] {
    RegisterApply("DriveSharesApply", DriveSharesApply, "shares", {10, 1000, 10000});
    RegisterApply("PrinterSharesApply", PrinterSharesApply, "printers", {1, 10, 100, 1000});
    RegisterApply("StaticAddressWalk", StaticAddressWalk, "instances", {1, 10, 100});
    return true;
}();

} // namespace

} // namespace bench
