#include "tests/e2e/undo_run.h"

#include <algorithm>

namespace {

const char *const kKeys[] = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Network\\LanMan",
    "System\\CurrentControlSet\\control\\Print\\Printers",
    "System\\CurrentControlSet\\Services\\Class",
    "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
};

} // namespace

std::vector<std::string> UndoRun::Snapshot() {
    std::vector<std::string> all;
    for (const char *key : kKeys) {
        const auto exported =
            testkit::Run({Program("veltrin-machine"), "reg", machine, "export", key}, {});
        std::vector<std::string> lines = testkit::Lines(exported.output);
        std::sort(lines.begin(), lines.end());
        all.insert(all.end(), lines.begin(), lines.end());
    }
    return all;
}

std::vector<std::string> UndoRun::LogWords() const {
    std::vector<std::string> words;
    for (const std::string &line : testkit::Lines(testkit::ReadFile(WindowsFile("veltrin.log")))) {
        EXPECT_GE(line.size(), 21u) << line;
        words.push_back(line.substr(20, line.find(' ', 20) - 20));
    }
    return words;
}

void UndoRun::Import(const std::string &body) {
    const std::string file = dir.Path() + "/import.reg";
    testkit::WriteFile(file, "REGEDIT4\r\n\r\n" + body);
    const auto imported =
        testkit::Run({Program("veltrin-machine"), "reg", machine, "import", file}, {});
    ASSERT_EQ(imported.exitCode, 0) << imported.output;
}

bool Has(const std::vector<std::string> &words, const std::string &word) {
    return std::find(words.begin(), words.end(), word) != words.end();
}
