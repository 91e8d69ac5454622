#include "platform/user32/linux_recording.h"

#include "platform/script/recording.h"

#include <cerrno>

namespace ui::recording {

namespace {

script::ShownControl::Kind KindOf(const Control &control) {
    using Kind = script::ShownControl::Kind;
    if (control.Kind() == ControlKind::ListBox)
        return Kind::ListBox;
    if (control.Kind() == ControlKind::PushButton || control.HasCheck())
        return Kind::Button;
    return Kind::Other;
}

script::ShownDialog Shown(const Window &window) {
    script::ShownDialog shown;
    shown.templateId = window.TemplateId();
    shown.title = window.title;
    for (const Control &control : window.controls)
        shown.controls.push_back({control.id, KindOf(control), control.text, control.items});
    for (const MenuItem &item : window.systemMenu)
        if (item.flags == MF_STRING)
            shown.systemMenu.push_back({static_cast<unsigned>(item.id), item.text});
    return shown;
}

script::Action ActionOf(const Input &input) {
    script::Action action;
    switch (input.kind) {
    case Input::Kind::Click:
        action.verb = script::Action::Verb::Click;
        break;
    case Input::Kind::Select:
        action.verb = script::Action::Verb::Select;
        break;
    case Input::Kind::DoubleClick:
        action.verb = script::Action::Verb::DoubleClick;
        break;
    case Input::Kind::SysCommand:
        action.verb = script::Action::Verb::SysMenu;
        break;
    case Input::Kind::TimePassed:
        action.verb = script::Action::Verb::Wait;
        break;
    }
    action.id = input.id;
    action.index = input.index;
    action.command = input.command;
    return action;
}

} // namespace

void Start() {
    script::recording::Start(program_invocation_short_name);
}

void TimePassed(Duration elapsed) {
    script::recording::TimePassed(elapsed);
}

void DialogInput(const Window &window, const Input &input) {
    if (script::recording::Active())
        script::recording::Acted(Shown(window), ActionOf(input));
}

void Answered(const MessageBoxRequest &request, int button) {
    script::recording::Answered({request.caption}, button);
}

void DialogEnded(const Window &window) {
    if (script::recording::Active())
        script::recording::DialogEnded(Shown(window));
}

} // namespace ui::recording
