#include "platform/sim/registry/store.h"

#include "platform/sim/machine/machine.h"
#include "platform/sim/registry/apply_regedit4.h"
#include "platform/sim/registry/writer.h"

#include <memory>

namespace sim::reg {

namespace {

// What a change that gave up returns through RegistryFile::EditTree: Windows'
// ERROR_CANCELLED, a code no file operation produces.
constexpr LONG kGaveUp = 1223;

bool Report(LONG result, const std::string &message, std::string *error, LONG *code) {
    if (result == ERROR_SUCCESS)
        return true;
    if (error)
        *error = message;
    if (code)
        *code = result;
    return false;
}

} // namespace

RegistryFile &MachineRegistry() {
    // Keyed by the machine folder, which costs no copy to compare: this runs
    // on every registry call.
    static std::unique_ptr<RegistryFile> file;
    static std::string dir;
    if (!file || sim::MachineDir() != dir) {
        dir = sim::MachineDir();
        file = std::make_unique<RegistryFile>(sim::RegistryPath());
    }
    return *file;
}

bool ExportText(const std::string &keyPath, std::string *out, std::string *error) {
    RegistryFile &file = MachineRegistry();
    const Key *root = nullptr;
    if (!Report(file.Read(&root), file.LastError(), error, nullptr))
        return false;
    // The path may name the root too, as the file's own key lines do.
    std::string_view path = keyPath;
    std::string_view rootName = "HKEY_LOCAL_MACHINE";
    if (path.size() >= rootName.size() &&
        vp::SameRegName(path.substr(0, rootName.size()), rootName) &&
        (path.size() == rootName.size() || path[rootName.size()] == '\\'))
        path.remove_prefix(rootName.size());
    std::string stored;
    if (!StoredPath(*root, path, &stored)) {
        if (error)
            *error = "no key HKEY_LOCAL_MACHINE\\" + keyPath;
        return false;
    }
    *out = WriteRegedit4(*FindKey(*root, stored), stored);
    return true;
}

bool ImportText(std::string_view regText, std::string *error) {
    vp::Regedit4Error parse;
    RegistryFile &file = MachineRegistry();
    LONG result = file.EditTree(
        [&](Key &root) { return ApplyRegedit4(regText, root, &parse) ? ERROR_SUCCESS : kGaveUp; });
    if (result == kGaveUp)
        return Report(result, "line " + std::to_string(parse.line) + ": " + parse.what, error,
                      nullptr);
    return Report(result, file.LastError(), error, nullptr);
}

bool ApplyChange(const std::function<bool(const Key &root, ChangeText *change)> &describe,
                 std::string *error, LONG *code) {
    RegistryFile &file = MachineRegistry();
    LONG result = file.AppendChange([&](const Key &root, ChangeText *change) {
        return describe(root, change) ? ERROR_SUCCESS : kGaveUp;
    });
    return result == kGaveUp ? false : Report(result, file.LastError(), error, code);
}

} // namespace sim::reg
