#include "platform/script/recording.h"

#include "platform/api.h"
#include "platform/framework/run_settings.h"
#include "platform/script/host.h"
#include "platform/script/run_file.h"

#include <string>

namespace script::recording {

namespace {

constexpr const char *kRunVariable = "VELTRIN_RECORDING";

RunFile &File() {
    static RunFile file{"recording"};
    return file;
}

Recorder &TheRecorder() {
    static Recorder recorder;
    return recorder;
}

// The recording's path; empty when the run is not recorded.
std::string Path() {
    return host::Variable(vp::kRecordVariable);
}

void Write(const std::string &lines) {
    if (!lines.empty())
        WriteToRunFile(File(), Path(), lines);
}

LocalTime Now() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

// Recording into the response file being replayed would empty it under the
// programs still to read it.
bool IsTheResponseFile(const std::string &path) {
    const std::string ui = host::Variable(vp::kUiVariable);
    return vp::NamesResponseFile(ui) && host::SameFile(path, ui.substr(vp::kScriptPrefix.size()));
}

} // namespace

void Start(std::string_view program) {
    const std::string path = Path();
    if (path.empty() || host::Variable(kRunVariable) == path)
        return; // not recorded, or a program of the run: it adds to the recording
    if (IsTheResponseFile(path)) {
        host::Warn("the recording " + path +
                   " is the response file being replayed: the run is not recorded");
        host::SetVariable(vp::kRecordVariable, "");
        return;
    }
    host::SetVariable(kRunVariable, path);
    WriteToRunFile(File(), path, RecordingHeader(program, Now()), true);
}

bool Active() {
    return !Path().empty();
}

void TimePassed(std::chrono::nanoseconds elapsed) {
    if (Active())
        TheRecorder().TimePassed(elapsed);
}

void Acted(const ShownDialog &dialog, const Action &action) {
    if (Active())
        Write(TheRecorder().Acted(dialog, action));
}

void Answered(const ShownMessageBox &box, int button) {
    if (Active())
        Write(TheRecorder().Answered(box, button));
}

void DialogEnded(const ShownDialog &dialog) {
    if (Active())
        Write(TheRecorder().DialogEnded(dialog));
}

} // namespace script::recording
