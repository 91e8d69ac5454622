// Resource lookups: templates for the modal run, LoadStringA, LoadIconA.
#include "platform/user32/resource_lookup.h"

#include "platform/api.h"
#include "platform/user32/text_copy.h"

namespace ui {

namespace {

const res::ResourceScript *chosen = nullptr;

// The program's module handle, where a Windows program is loaded.
HINSTANCE const kProgramModule = reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(0x400000));

bool IsProgramModule(HINSTANCE instance) {
    return !instance || instance == kProgramModule;
}

// A resource name given as MAKEINTRESOURCEA(id): an id, not a text.
bool IsIntResource(LPCSTR name, int *id) {
    const auto value = reinterpret_cast<std::uintptr_t>(name);
    if (value > 0xFFFF)
        return false;
    *id = static_cast<int>(value);
    return true;
}

} // namespace

void UseResources(const res::ResourceScript *script) {
    chosen = script;
}

const res::ResourceScript &CurrentResources() {
    return chosen ? *chosen : res::Resources();
}

const res::DialogTemplate *FindTemplate(int id) {
    const auto &dialogs = CurrentResources().dialogs;
    auto found = dialogs.find(id);
    return found == dialogs.end() ? nullptr : &found->second;
}

} // namespace ui

HINSTANCE GetModuleHandleA(LPCSTR moduleName) {
    // Only the program itself is loaded.
    return moduleName ? nullptr : ui::kProgramModule;
}

int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax) {
    const auto &strings = ui::CurrentResources().strings;
    auto found = strings.find(static_cast<int>(id));
    if (!ui::IsProgramModule(instance) || found == strings.end()) {
        ui::CopyText("", buffer, bufferMax); // never leave the caller a stale text
        return 0;
    }
    return ui::CopyText(found->second, buffer, bufferMax);
}

HICON LoadIconA(HINSTANCE instance, LPCSTR iconName) {
    // A null instance names the system's own icons, which are not kept here.
    int id = 0;
    if (instance != ui::kProgramModule || !ui::IsIntResource(iconName, &id) ||
        !ui::CurrentResources().icons.contains(id))
        return nullptr;
    // Stable for the process: loading the same icon again gives the same handle.
    return reinterpret_cast<HICON>(static_cast<std::uintptr_t>(0xA0000 + id));
}
