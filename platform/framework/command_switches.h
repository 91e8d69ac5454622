// The switches the programs take on their command line, for unattended runs
// on machines where setting environment variables is awkward. Each switch
// sets an environment variable: the programs read their settings there, and
// pass them on to the programs they start.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vp {

// One row of a switch table. A switch is written "/name" or "-name" (also
// "--name"), in any case.
struct Switch {
    std::string_view name;
    std::string_view argument; // what follows it, as the usage names it; empty: nothing
    const char *variable;      // the environment variable it sets
    std::string_view value;    // the variable's value, before the argument if there is one
    std::string_view help;     // its line in the usage
};

// The switches each program takes, whatever its file is called (a copy, or
// the short name a DOS prompt gives): the launcher's are the settings of an
// unattended run, the dialog suite's those and /undo.
std::span<const Switch> LauncherSwitches();
std::span<const Switch> SuiteSwitches();

struct Setting {
    const char *variable; // the switch's own
    std::string value;
};

struct CommandLine {
    enum class Outcome { Run, Help, Error };
    Outcome outcome = Outcome::Run;
    std::vector<Setting> settings; // in the order given: a later one wins
    std::string error;             // what is wrong, for Outcome::Error
};

// Reads the arguments after the program's name. "/?", "-h" and "--help" ask
// for the usage; a word that starts with neither "/" nor "-" is ignored (the
// tail of a path with a blank that was not quoted, say); a switch not in the
// table is an error.
CommandLine ParseCommandLine(std::span<const char *const> arguments,
                             std::span<const Switch> switches);

// The program's name from argv[0]: no folder, no ".exe"; a part of path,
// or "veltrin" when that is empty.
std::string_view ProgramName(std::string_view path);

std::string UsageText(std::string_view program, std::span<const Switch> switches);

// Exit status of a command line that is not understood.
constexpr int kUsageExitCode = 2;

// Where a build shows the usage and an error, and how it sets a variable of
// the environment.
struct CommandLineOutlet {
    void (*showUsage)(const std::string &usage);
    void (*showError)(const std::string &error);
    void (*setVariable)(const char *name, const std::string &value);
};

// Reads argv against the program's switches: shows the usage or the error
// through outlet and gives the exit status when the program is to end
// without a run; otherwise sets the switches' variables.
std::optional<int> TakeCommandLine(int argc, char **argv, std::span<const Switch> switches,
                                   const CommandLineOutlet &outlet);

// Each build's own part: TakeCommandLine with that build's outlet.
std::optional<int> TakeCommandLine(int argc, char **argv, std::span<const Switch> switches);

} // namespace vp
