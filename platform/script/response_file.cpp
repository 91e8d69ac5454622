#include "platform/script/response_file.h"

#include "platform/digit_value.h"
#include "platform/framework/decimal_text.h"
#include "platform/framework/message_box_buttons.h"
#include "platform/quoted_text.h"

#include <iterator>

namespace script {

namespace {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

struct Word {
    std::string_view written;          // as in the file, quotes and all
    std::optional<std::string> quoted; // the text of a word in quotes
};

// The first words of a line, how many it has in all (no action takes more
// than two arguments) and the action without its comment.
struct Words {
    Word word[3];
    std::size_t count = 0;
    std::string_view action;
};

// Splits a trimmed line into words: a word in quotes runs to its closing
// quote, blanks and all; a '#' that starts a word starts the comment.
// Returns what is wrong with a text in quotes, or nullptr.
const char *SplitWords(std::string_view line, Words *words) {
    words->action = line;
    std::size_t at = 0;
    while ((at = line.find_first_not_of(" \t", at)) != std::string_view::npos) {
        if (line[at] == '#') {
            words->action = Trim(line.substr(0, at));
            break;
        }
        Word word;
        std::string_view rest = line.substr(at);
        if (rest.front() == '"') {
            std::string text;
            if (!vp::ReadQuotedText(&rest, &text))
                return "a text in quotes needs its closing quote and takes only the escapes "
                       "\\\\, \\\", \\n, \\r, \\t and \\xNN";
            if (!rest.empty() && rest.front() != ' ' && rest.front() != '\t')
                return "after a text in quotes comes a blank or the end of the line";
            word.quoted = std::move(text);
            word.written = line.substr(at, line.size() - at - rest.size());
        } else {
            word.written = rest.substr(0, rest.find_first_of(" \t"));
        }
        at += word.written.size();
        if (words->count < std::size(words->word))
            words->word[words->count] = std::move(word);
        ++words->count;
    }
    return nullptr;
}

constexpr long long kNotANumber = -1;

// A whole word as a number in [0, max], decimal or 0x hex; kNotANumber
// otherwise.
long long Number(std::string_view word, long long max) {
    int base = 10;
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
        word.remove_prefix(2);
        base = 16;
    }
    if (word.empty())
        return kNotANumber;
    long long value = 0;
    for (const char c : word) {
        const int digit = vp::DigitValue(c);
        if (digit < 0 || digit >= base)
            return kNotANumber;
        value = value * base + digit;
        if (value > max) // before it could grow past what a long long holds
            return kNotANumber;
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

// Fills the action's arguments; returns what is wrong, or nullptr.
const char *ReadArguments(const Words &words, Action *action) {
    // Every verb but answer takes a number first.
    const long long first =
        Number(words.word[1].written, action->verb == Action::Verb::Wait ? kMaxWait : kMaxId);
    switch (action->verb) {
    case Action::Verb::Answer:
        action->button = ButtonOfWord(words.word[1].written);
        return action->button ? nullptr : "answer takes ok, cancel, yes or no";
    case Action::Verb::Click:
        action->id = static_cast<int>(first);
        return first != kNotANumber ? nullptr : "click takes a control id";
    case Action::Verb::Select:
    case Action::Verb::DoubleClick: {
        const Word &entry = words.word[2];
        const long long index = entry.quoted ? 0 : Number(entry.written, kMaxIndex);
        action->id = static_cast<int>(first);
        action->index = static_cast<int>(index);
        action->entry = entry.quoted;
        if (first != kNotANumber && index != kNotANumber)
            return nullptr;
        return action->verb == Action::Verb::Select
                   ? "select takes a list box id and an entry's number or its text in quotes"
                   : "dblclick takes a list box id and an entry's number or its text in quotes";
    }
    case Action::Verb::SysMenu:
        action->command = static_cast<unsigned>(first);
        return first != kNotANumber ? nullptr : "sysmenu takes a command number";
    case Action::Verb::Wait:
        action->wait = std::chrono::milliseconds(first);
        return first != kNotANumber ? nullptr : "wait takes milliseconds (at most a day)";
    }
    return nullptr;
}

// Reads one action; false with *problem set when the line is not one.
bool ParseAction(std::string_view line, Action *action, std::string *problem) {
    Words words;
    if (const char *wrong = SplitWords(line, &words)) {
        *problem = wrong;
        return false;
    }
    action->text = words.action;
    for (const Grammar &grammar : kGrammar) {
        if (words.word[0].written != grammar.verb)
            continue;
        action->verb = grammar.kind;
        if (words.count != grammar.arguments + 1) {
            *problem = grammar.verb;
            *problem += " takes ";
            *problem += static_cast<char>('0' + grammar.arguments); // one digit: 1 or 2
            *problem += grammar.arguments == 1 ? " argument" : " arguments";
            return false;
        }
        const char *wrong = ReadArguments(words, action);
        if (wrong)
            *problem = wrong;
        return !wrong;
    }
    // Quoted as the transcript quotes: a control byte of the file never
    // reaches the terminal as it is.
    *problem = "unknown action " + vp::QuotedText(words.word[0].written);
    return false;
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
        std::string problem;
        if (!ParseAction(line, &action, &problem)) {
            *error = path;
            *error += ':';
            *error += vp::DecimalText(action.line);
            *error += ": ";
            *error += problem;
            return false;
        }
        out->actions.push_back(std::move(action));
    }
    return true;
}

} // namespace script
