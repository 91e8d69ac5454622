#include "platform/user32/recording.h"

#include "platform/script/recorder.h"
#include "platform/user32/run_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string_view>

namespace ui::recording {

namespace {

constexpr const char *kRecordVariable = "VELTRIN_RECORD";
constexpr const char *kRunVariable = "VELTRIN_RECORDING";

RunFile &File() {
    static RunFile file{"recording"};
    return file;
}

script::Recorder &TheRecorder() {
    static script::Recorder recorder;
    return recorder;
}

// The recording's path, or null when the run is not recorded.
const char *Path() {
    const char *path = std::getenv(kRecordVariable);
    return path && *path ? path : nullptr;
}

void Write(const std::string &lines) {
    if (!lines.empty())
        WriteToRunFile(File(), Path(), lines);
}

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

script::LocalTime Now() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

// Recording into the response file being replayed would empty it under the
// programs still to read it.
bool IsTheResponseFile(const char *path) {
    const char *ui = std::getenv("VELTRIN_UI");
    constexpr std::string_view kScript = "script:";
    if (!ui || !std::string_view(ui).starts_with(kScript))
        return false;
    std::error_code error;
    return std::filesystem::equivalent(path, ui + kScript.size(), error);
}

} // namespace

void Start() {
    const char *path = Path();
    if (!path)
        return;
    const char *run = std::getenv(kRunVariable);
    if (run && std::string_view(run) == path)
        return; // a program of the run: it adds to the recording
    if (IsTheResponseFile(path)) {
        std::fprintf(stderr,
                     "veltrin: the recording %s is the response file being replayed: "
                     "the run is not recorded\n",
                     path);
        unsetenv(kRecordVariable);
        return;
    }
    setenv(kRunVariable, path, 1);
    WriteToRunFile(File(), path, script::RecordingHeader(program_invocation_short_name, Now()),
                   true);
}

void TimePassed(Duration elapsed) {
    if (Path())
        TheRecorder().TimePassed(elapsed);
}

void DialogInput(const Window &window, const Input &input) {
    if (Path())
        Write(TheRecorder().Acted(Shown(window), ActionOf(input)));
}

void Answered(const MessageBoxRequest &request, int button) {
    if (Path())
        Write(TheRecorder().Answered({request.caption}, button));
}

void DialogEnded(const Window &window) {
    if (Path())
        Write(TheRecorder().DialogEnded(Shown(window)));
}

} // namespace ui::recording
