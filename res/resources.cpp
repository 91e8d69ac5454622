// The program's own resources: the script built into it, read on first use.
#include "res/embedded.h"
#include "res/rc_preprocessor.h"
#include "res/templates.h"

#include <cstdio>
#include <cstdlib>

namespace res {
namespace {

std::string_view EmbeddedText(std::string_view name) {
    const EmbeddedFile *file = FindEmbeddedFile(name);
    if (!file)
        return {};
    return {reinterpret_cast<const char *>(file->data), file->size};
}

// The script is part of the program: if it does not read, the build is
// wrong, and no renderer can go on without its templates.
[[noreturn]] void BuiltInScriptBroken(const std::string &why) {
    std::fprintf(stderr, "veltrin: the built-in resource script is broken: %s\n", why.c_str());
    std::abort();
}

ResourceScript ReadBuiltInScript() {
    ResourceScript script;
    std::string error;
    if (!ParseResourceScript(EmbeddedText(kScriptName), EmbeddedText(kHeaderName), &script, &error))
        BuiltInScriptBroken(error);
    for (const auto &[id, file] : script.icons)
        if (!FindEmbeddedFile(file))
            BuiltInScriptBroken("icon " + std::to_string(id) + " names \"" + file +
                                "\", which is not built in");
    return script;
}

} // namespace

const EmbeddedFile *FindEmbeddedFile(std::string_view name) {
    for (std::size_t i = 0; i < kEmbeddedFileCount; ++i)
        if (name == kEmbeddedFiles[i].name)
            return &kEmbeddedFiles[i];
    return nullptr;
}

const ResourceScript &Resources() {
    static const ResourceScript script = ReadBuiltInScript();
    return script;
}

const DialogTemplate *FindDialog(int id) {
    const auto &dialogs = Resources().dialogs;
    const auto it = dialogs.find(id);
    return it == dialogs.end() ? nullptr : &it->second;
}

const std::string *FindString(int id) {
    const auto &strings = Resources().strings;
    const auto it = strings.find(id);
    return it == strings.end() ? nullptr : &it->second;
}

std::span<const unsigned char> IconBytes(int id) {
    const auto &icons = Resources().icons;
    const auto it = icons.find(id);
    if (it == icons.end())
        return {};
    const EmbeddedFile *file = FindEmbeddedFile(it->second);
    return {file->data, file->size};
}

} // namespace res
