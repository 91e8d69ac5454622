#include "fuzz/fuzz_machine.h"

#include "platform/sim/machine/machine.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace fuzz {

namespace {

void RemoveMachine() {
    std::error_code ec;
    fs::remove_all(Machine(), ec);
}

std::string MakeMachine() {
    std::string dir = (fs::temp_directory_path() / "vpfuzz.XXXXXX").string();
    if (!mkdtemp(dir.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    fs::create_directories(dir + "/drives/C/WINDOWS");
    std::ofstream(dir + "/machine.ini")
        << "[Drives]\nC=fixed\n[System]\nWindowsDirectory=C:\\WINDOWS\n";
    sim::UseMachine(dir);
    return dir;
}

} // namespace

const std::string &Machine() {
    // Never destroyed: the folder is removed at exit, after static objects go.
    static const std::string *dir = [] {
        auto *made = new std::string(MakeMachine());
        std::atexit(RemoveMachine);
        return made;
    }();
    return *dir;
}

void ReplaceFile(const std::string &relative, std::string_view text) {
    const std::string path = Machine() + "/" + relative;
    const std::string tmp = path + ".new";
    std::ofstream(tmp, std::ios::binary | std::ios::trunc)
        .write(text.data(), static_cast<long>(text.size()));
    fs::rename(tmp, path);
}

} // namespace fuzz
