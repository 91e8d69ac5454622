#include "platform/user32/script_driver.h"

namespace ui {

namespace {

using script::Action;

std::string Showing(const Window &window) {
    return script::DialogShowing(window.TemplateId(), window.title);
}

} // namespace

int ScriptDriver::ShowMessageBox(const MessageBoxRequest &request) {
    const std::string showing = script::MessageBoxShowing(request.caption);
    return answers_.ButtonFor(answers_.Next(showing), request.style, showing);
}

Input ScriptDriver::NextInput(const Window &active, std::optional<Duration>) {
    const std::string showing = Showing(active);
    const Action &action = answers_.Next(showing);
    answers_.CheckForDialog(action, showing);
    switch (action.verb) {
    case Action::Verb::Click:
        return Input::Click(action.id);
    case Action::Verb::Select:
        return Input::Select(action.id, action.index);
    case Action::Verb::DoubleClick:
        return Input::DoubleClick(action.id, action.index);
    case Action::Verb::SysMenu:
        return Input::SysCommand(action.command);
    case Action::Verb::Wait:
    case Action::Verb::Answer:
        break;
    }
    return Input::TimePassed(action.wait);
}

// The window manager found that the last action does not fit.
void ScriptDriver::InputRejected(const Window &active, const Input &, const std::string &reason) {
    if (const Action *last = answers_.Last())
        answers_.DoesNotFit(*last, reason, Showing(active));
}

} // namespace ui
