#include "platform/framework/command_switches.h"
#include "platform/framework/run_settings.h"
#include "platform/registry_names.h"

#include <initializer_list>

namespace vp {

namespace {

// The suite's switches; the launcher takes all but the last.
constexpr Switch kSwitches[] = {
    {"script", "<file>", kUiVariable, kScriptPrefix,
     "answer the dialogs and message boxes from a response file"},
    {"transcript", "<file>", kTranscriptVariable, "",
     "add what a person would have seen to a file"},
    {"record", "<file>", kRecordVariable, "", "write every choice as a response file"},
    {"undo", "", kUndoVariable, "1", "put back what the setup changed, from its undo file"}};

constexpr std::string_view kHelpNames[] = {"?", "h", "help"};

// The name of a switch without its "/", "-" or "--" (empty for "/" alone,
// which no table holds); nullopt for a word that is no switch.
std::optional<std::string_view> SwitchName(std::string_view argument) {
    if (argument.starts_with("--"))
        return argument.substr(2);
    if (argument.starts_with('/') || argument.starts_with('-'))
        return argument.substr(1);
    return std::nullopt;
}

// A command line not understood, with what is wrong in pieces.
CommandLine Refused(std::initializer_list<std::string_view> error) {
    CommandLine refused;
    refused.outcome = CommandLine::Outcome::Error;
    for (const std::string_view piece : error)
        refused.error += piece;
    return refused;
}

} // namespace

std::span<const Switch> LauncherSwitches() {
    return std::span(kSwitches).first(std::size(kSwitches) - 1);
}

std::span<const Switch> SuiteSwitches() {
    return kSwitches;
}

CommandLine ParseCommandLine(std::span<const char *const> arguments,
                             std::span<const Switch> switches) {
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        const std::optional<std::string_view> name = SwitchName(argument);
        if (!name)
            continue;
        bool help = false;
        for (std::string_view helpName : kHelpNames)
            help = help || SameRegName(*name, helpName);
        if (help) {
            line.outcome = CommandLine::Outcome::Help;
            continue;
        }
        const Switch *known = nullptr;
        for (const Switch &candidate : switches)
            if (SameRegName(*name, candidate.name))
                known = &candidate;
        if (!known)
            return Refused({"unknown switch \"", argument, "\""});
        std::string value(known->value);
        if (!known->argument.empty()) {
            if (i + 1 == arguments.size() || !*arguments[i + 1])
                return Refused({argument, " needs ", known->argument});
            value += arguments[++i];
        }
        line.settings.push_back({known->variable, std::move(value)});
    }
    return line;
}

std::string_view ProgramName(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\:");
    if (slash != std::string_view::npos)
        path.remove_prefix(slash + 1);
    if (path.size() > 4 && SameRegName(path.substr(path.size() - 4), ".exe"))
        path.remove_suffix(4);
    return path.empty() ? "veltrin" : path;
}

std::string UsageText(std::string_view program, std::span<const Switch> switches) {
    const auto written = [](const Switch &each) {
        return 1 + each.name.size() + (each.argument.empty() ? 0 : 1 + each.argument.size());
    };
    const auto write = [](std::string &text, const Switch &each) {
        text += '/';
        text += each.name;
        if (!each.argument.empty()) {
            text += ' ';
            text += each.argument;
        }
    };
    std::string text = "Usage: ";
    text += program;
    std::size_t width = 0;
    for (const Switch &each : switches) {
        text += " [";
        write(text, each);
        text += ']';
        width = written(each) > width ? written(each) : width;
    }
    text += "\n\n";
    for (const Switch &each : switches) {
        text += "  ";
        write(text, each);
        text.append(width - written(each) + 2, ' ');
        text += each.help;
        text += '\n';
    }
    text += "  /?";
    text.append(width > 2 ? width : 2, ' ');
    text += "show this help\n\n"
            "A switch may also start with -, in any case. Switches win over the\n"
            "environment and pass on to the programs this one starts.\n";
    return text;
}

std::optional<int> TakeCommandLine(int argc, char **argv, std::span<const Switch> switches,
                                   const CommandLineOutlet &outlet) {
    const std::string_view program = ProgramName(argc > 0 ? argv[0] : "");
    CommandLine line = ParseCommandLine({argv + (argc > 0 ? 1 : 0), argv + argc}, switches);
    switch (line.outcome) {
    case CommandLine::Outcome::Error:
        line.error += " (";
        line.error += program;
        line.error += " /? lists the switches)";
        outlet.showError(line.error);
        return kUsageExitCode;
    case CommandLine::Outcome::Help:
        outlet.showUsage(UsageText(program, switches));
        return 0;
    case CommandLine::Outcome::Run:
        break;
    }
    for (const Setting &setting : line.settings)
        outlet.setVariable(setting.variable, setting.value);
    return std::nullopt;
}

} // namespace vp
