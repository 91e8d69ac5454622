#include "platform/user32/script_driver.h"

namespace ui {

namespace {

using script::Action;

std::string Showing(const Window &window) {
    return script::DialogShowing(window.TemplateId(), window.title);
}

} // namespace

// The entry of the list the action names. Any other target keeps the
// action's number, and the window refuses it with its own reason.
int ScriptDriver::EntryIndex(const Window &window, const Action &action) const {
    const Control *list = window.FindControl(action.id);
    if (!list || list->Kind() != ControlKind::ListBox)
        return action.index;
    return m_answers.EntryFor(action, list->items, Showing(window));
}

int ScriptDriver::ShowMessageBox(const MessageBoxRequest &request) {
    const std::string showing = script::MessageBoxShowing(request.caption);
    return m_answers.ButtonFor(m_answers.Next(showing), request.style, showing);
}

Input ScriptDriver::NextInput(const Window &active, std::optional<Duration>) {
    const std::string showing = Showing(active);
    const Action &action = m_answers.Next(showing);
    m_answers.CheckForDialog(action, showing);
    switch (action.verb) {
    case Action::Verb::Click:
        return Input::Click(action.id);
    case Action::Verb::Select:
        return Input::Select(action.id, EntryIndex(active, action));
    case Action::Verb::DoubleClick:
        return Input::DoubleClick(action.id, EntryIndex(active, action));
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
    if (const Action *last = m_answers.Last())
        m_answers.DoesNotFit(*last, reason, Showing(active));
}

} // namespace ui
