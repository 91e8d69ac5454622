#include "platform/script/answers.h"

#include "platform/framework/decimal_text.h"
#include "platform/framework/message_box_buttons.h"
#include "platform/quoted_text.h"
#include "platform/script/list_entry.h"

#include <algorithm>

namespace script {

namespace {

std::string ReadResponseFile(const std::string &path) {
    std::string text, error;
    if (!host::ReadTextFile(path, &text, &error))
        host::Stop("cannot read the response file " + path + ": " + error);
    return text;
}

// Why an answer the box does not offer cannot be given.
std::string OfferedButtons(UINT style) {
    std::string words = "the message box has ";
    const char *separator = "";
    for (int button : ui::MessageBoxButtons(style)) {
        words += separator;
        words += ui::AnswerWord(button);
        separator = ", ";
    }
    return words;
}

} // namespace

std::string DialogShowing(int templateId, std::string_view title) {
    return "dialog " + vp::DecimalText(templateId) + " " + vp::QuotedText(title);
}

std::string MessageBoxShowing(std::string_view caption) {
    return "message box " + vp::QuotedText(caption);
}

Answers::Answers(const std::string &path) {
    std::string error;
    if (!ParseResponseFile(ReadResponseFile(path), path, &m_file, &error) ||
        !m_position.Open(host::AbsolutePath(path), &error))
        host::Stop(error);
}

const Action &Answers::Next(std::string_view showing) {
    const std::size_t index = m_position.Take();
    if (index >= m_file.actions.size())
        Stop(std::max(m_file.lineCount, 1), "the response file ended", showing);
    m_last = &m_file.actions[index];
    return *m_last;
}

int Answers::ButtonFor(const Action &action, UINT style, std::string_view showing) const {
    if (action.verb != Action::Verb::Answer)
        DoesNotFit(action, "a message box waits for an answer", showing);
    const auto buttons = ui::MessageBoxButtons(style);
    if (std::find(buttons.begin(), buttons.end(), action.button) == buttons.end())
        DoesNotFit(action, OfferedButtons(style), showing);
    return action.button;
}

int Answers::EntryFor(const Action &action, const std::vector<std::string> &entries,
                      std::string_view showing) const {
    if (!action.entry)
        return action.index;
    const int index = FindEntry(entries, *action.entry);
    if (index < 0)
        DoesNotFit(action, NoSuchEntry(action.id, *action.entry), showing);
    return index;
}

void Answers::CheckForDialog(const Action &action, std::string_view showing) const {
    if (action.verb == Action::Verb::Answer)
        DoesNotFit(action, "a dialog waits for an action", showing);
}

void Answers::DoesNotFit(const Action &action, std::string_view why,
                         std::string_view showing) const {
    // Quoted as the transcript quotes: a control byte in the file never
    // reaches the terminal as it is.
    std::string problem = vp::QuotedText(action.text);
    problem += " does not fit: ";
    problem += why;
    Stop(action.line, problem, showing);
}

void Answers::Stop(int line, std::string_view problem, std::string_view showing) const {
    std::string message = m_file.path;
    message += ':';
    message += vp::DecimalText(line);
    message += ": ";
    message += problem;
    message += " (showing: ";
    message += showing;
    message += ')';
    host::Stop(message);
}

} // namespace script
