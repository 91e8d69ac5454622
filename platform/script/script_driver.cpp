#include "platform/script/script_driver.h"

#include "platform/decimal_text.h"
#include "platform/quoted_text.h"
#include "platform/script/list_entry.h"
#include "platform/sim/host_file.h"
#include "platform/user32/fail.h"
#include "platform/user32/transcript.h"

#include <algorithm>
#include <filesystem>

namespace script {

namespace {

std::string DescribeDialog(const ui::Window &window) {
    return "dialog " + vp::DecimalText(window.TemplateId()) + " " +
           ui::transcript::Quote(window.title);
}

std::string DescribeMessageBox(const ui::MessageBoxRequest &request) {
    return "message box " + ui::transcript::Quote(request.caption);
}

// "<action>" does not fit: <reason>, the action quoted as the transcript
// quotes its texts (an entry's text holds quotes of its own).
std::string Misfit(const Action &action, const std::string &reason) {
    return vp::QuotedText(action.text) + " does not fit: " + reason;
}

std::string ButtonWords(UINT style) {
    std::string words;
    for (int button : ui::MessageBoxButtons(style))
        words += (words.empty() ? "" : ", ") + std::string(ui::AnswerWord(button));
    return words;
}

} // namespace

std::unique_ptr<ui::Driver> OpenScriptDriver(const std::string &path) {
    std::string text, error;
    if (!sim::ReadRegularFile(path, sim::kTextFileLimit, &text, &error))
        ui::Fail("cannot read the response file " + path + ": " + error);
    ResponseFile file;
    if (!ParseResponseFile(text, path, &file, &error))
        ui::Fail(error);
    SharedPosition position;
    if (!position.Open(std::filesystem::absolute(path).lexically_normal().string(), &error))
        ui::Fail(error);
    return std::make_unique<ScriptDriver>(std::move(file), std::move(position));
}

ScriptDriver::ScriptDriver(ResponseFile file, SharedPosition position)
    : file_(std::move(file)), position_(std::move(position)) {}

const Action *ScriptDriver::Take() {
    const std::size_t index = position_.Take();
    last_ = index < file_.actions.size() ? &file_.actions[index] : nullptr;
    return last_;
}

void ScriptDriver::Stop(int line, const std::string &problem, const std::string &showing) const {
    ui::Fail(file_.path + ":" + vp::DecimalText(line) + ": " + problem + " (showing: " + showing +
             ")");
}

void ScriptDriver::StopAtEnd(const std::string &showing) const {
    Stop(std::max(file_.lineCount, 1), "the response file ended", showing);
}

int ScriptDriver::ShowMessageBox(const ui::MessageBoxRequest &request) {
    const std::string showing = DescribeMessageBox(request);
    const Action *action = Take();
    if (!action)
        StopAtEnd(showing);
    if (action->verb != Action::Verb::Answer)
        Stop(action->line, Misfit(*action, "a message box waits for an answer"), showing);
    const auto buttons = ui::MessageBoxButtons(request.style);
    if (std::find(buttons.begin(), buttons.end(), action->button) == buttons.end())
        Stop(action->line, Misfit(*action, "the message box has " + ButtonWords(request.style)),
             showing);
    return action->button;
}

ui::Input ScriptDriver::NextInput(const ui::Window &active, std::optional<ui::Duration>) {
    const Action *action = Take();
    if (!action)
        StopAtEnd(DescribeDialog(active));
    switch (action->verb) {
    case Action::Verb::Click:
        return ui::Input::Click(action->id);
    case Action::Verb::Select:
        return ui::Input::Select(action->id, EntryIndex(active, *action));
    case Action::Verb::DoubleClick:
        return ui::Input::DoubleClick(action->id, EntryIndex(active, *action));
    case Action::Verb::SysMenu:
        return ui::Input::SysCommand(action->command);
    case Action::Verb::Wait:
        return ui::Input::TimePassed(action->wait);
    case Action::Verb::Answer:
        break;
    }
    Stop(action->line, Misfit(*action, "a dialog waits for an action"), DescribeDialog(active));
}

int ScriptDriver::EntryIndex(const ui::Window &active, const Action &action) const {
    const ui::Control *list = active.FindControl(action.id);
    // Any other target is refused by the window, with its own reason.
    if (!action.entry || !list || list->Kind() != ui::ControlKind::ListBox)
        return action.index;
    const int index = FindEntry(list->items, *action.entry);
    if (index < 0)
        Stop(action.line, Misfit(action, NoSuchEntry(action.id, *action.entry)),
             DescribeDialog(active));
    return index;
}

void ScriptDriver::InputRejected(const ui::Window &active, const ui::Input &,
                                 const std::string &reason) {
    Stop(last_ ? last_->line : 0, Misfit(last_ ? *last_ : Action{}, reason),
         DescribeDialog(active));
}

} // namespace script
