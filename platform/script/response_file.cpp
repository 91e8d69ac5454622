#include "platform/script/response_file.h"

#include "platform/decimal_text.h"
#include "platform/digit_value.h"
#include "platform/framework/message_box_buttons.h"

#include <optional>

namespace script {

namespace {

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (true) {
        at = line.find_first_not_of(" \t", at);
        if (at == std::string_view::npos)
            return words;
        std::size_t end = line.find_first_of(" \t", at);
        if (end == std::string_view::npos)
            end = line.size();
        words.push_back(line.substr(at, end - at));
        at = end;
    }
}

// A whole word as a number in [0, max], decimal or 0x hex.
std::optional<long long> Number(std::string_view word, long long max) {
    int base = 10;
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
        word.remove_prefix(2);
        base = 16;
    }
    if (word.empty())
        return std::nullopt;
    long long value = 0;
    for (const char c : word) {
        const int digit = vp::DigitValue(c);
        if (digit < 0 || digit >= base)
            return std::nullopt;
        value = value * base + digit;
        if (value > max) // before it could grow past what a long long holds
            return std::nullopt;
    }
    return value;
}

int ButtonOfWord(std::string_view word) {
    for (int button : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO})
        if (word == ui::AnswerWord(button))
            return button;
    return 0;
}

struct Grammar {
    std::string_view verb;
    Action::Verb kind;
    std::size_t arguments;
};

constexpr Grammar kGrammar[] = {
    {"answer", Action::Verb::Answer, 1},   {"click", Action::Verb::Click, 1},
    {"select", Action::Verb::Select, 2},   {"dblclick", Action::Verb::DoubleClick, 2},
    {"sysmenu", Action::Verb::SysMenu, 1}, {"wait", Action::Verb::Wait, 1},
};

constexpr long long kMaxId = 0xFFFF;
constexpr long long kMaxIndex = 0x7FFFFFFF;
constexpr long long kMaxWait = 24LL * 60 * 60 * 1000; // a day of virtual time

// Fills the action's arguments; returns what is wrong, or empty.
std::string ReadArguments(const std::vector<std::string_view> &words, Action *action) {
    const std::string_view first = words[1];
    switch (action->verb) {
    case Action::Verb::Answer:
        action->button = ButtonOfWord(first);
        return action->button ? "" : "answer takes ok, cancel, yes or no";
    case Action::Verb::Click: {
        auto id = Number(first, kMaxId);
        action->id = static_cast<int>(id.value_or(0));
        return id ? "" : "click takes a control id";
    }
    case Action::Verb::Select:
    case Action::Verb::DoubleClick: {
        auto id = Number(first, kMaxId);
        auto index = Number(words[2], kMaxIndex);
        action->id = static_cast<int>(id.value_or(0));
        action->index = static_cast<int>(index.value_or(0));
        return id && index ? ""
                           : std::string(words[0]) + " takes a list box id and an entry number";
    }
    case Action::Verb::SysMenu: {
        auto command = Number(first, kMaxId);
        action->command = static_cast<unsigned>(command.value_or(0));
        return command ? "" : "sysmenu takes a command number";
    }
    case Action::Verb::Wait: {
        auto ms = Number(first, kMaxWait);
        action->wait = std::chrono::milliseconds(ms.value_or(0));
        return ms ? "" : "wait takes milliseconds (at most a day)";
    }
    }
    return "";
}

std::string ParseAction(std::string_view line, Action *action) {
    const auto words = Words(line);
    for (const Grammar &grammar : kGrammar) {
        if (words[0] != grammar.verb)
            continue;
        action->verb = grammar.kind;
        if (words.size() != grammar.arguments + 1)
            return std::string(grammar.verb) + " takes " + vp::DecimalText(grammar.arguments) +
                   (grammar.arguments == 1 ? " argument" : " arguments");
        return ReadArguments(words, action);
    }
    return "unknown action \"" + std::string(words[0]) + "\"";
}

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

} // namespace

bool ParseResponseFile(std::string_view text, const std::string &path, ResponseFile *out,
                       std::string *error) {
    out->path = path;
    out->actions.clear();
    out->lineCount = 0;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        ++out->lineCount;
        if (line.empty() || line.front() == '#')
            continue;
        Action action;
        action.line = out->lineCount;
        action.text = std::string(line);
        const std::string wrong = ParseAction(line, &action);
        if (!wrong.empty()) {
            *error = path + ":" + vp::DecimalText(action.line) + ": " + wrong;
            return false;
        }
        out->actions.push_back(std::move(action));
    }
    return true;
}

} // namespace script
