// The way back's end-to-end runs: a copy of the default machine, the keys
// the setup changes read back through the machine tool, the undo file and
// the setup log in its Windows folder.
#pragma once

#include "tests/e2e/suite_run.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Drive E goes to the shared list, OK, gateway, OK; the restart notice ends
// itself.
inline constexpr char kGateway[] =
    "select 1011 1\nclick 1002\nclick 1\nclick 1030\nclick 1\nwait 6000\n";
// The lists as they are, OK, client, OK.
inline constexpr char kClient[] = "click 1\nclick 1031\nclick 1\nwait 6000\n";
inline constexpr char kUndoYes[] = "answer yes\nwait 6000\n";

class UndoRun : public SuiteRun {
  protected:
    std::string WindowsFile(const std::string &name) const {
        return machine + "/drives/C/WINDOWS/" + name;
    }
    std::string UndoFile() const { return WindowsFile("veltrin-undo.reg"); }

    // The keys the setup changes as the machine tool exports them, each
    // key's lines sorted: the order of values within a key does not count.
    std::vector<std::string> Snapshot();

    // The words of the log's lines, the time stamps left out.
    std::vector<std::string> LogWords() const;

    std::string Seen() const { return testkit::ReadFile(transcript); }
    std::string Journal() const { return testkit::ReadFile(machine + "/journal.log"); }

    // Imports REGEDIT4 sections into the machine's registry.
    void Import(const std::string &body);
};

bool Has(const std::vector<std::string> &words, const std::string &word);
