// The settings of a run, kept in environment variables so that the programs
// it starts inherit them: who answers the dialogs, and the files the run
// writes. The command switches set them (command_switches.h).
#pragma once

#include <string_view>

namespace vp {

inline constexpr char kUiVariable[] = "VELTRIN_UI";
inline constexpr char kTranscriptVariable[] = "VELTRIN_TRANSCRIPT";
inline constexpr char kRecordVariable[] = "VELTRIN_RECORD";
inline constexpr char kUndoVariable[] = "VELTRIN_UNDO";

// VELTRIN_UI=script:<file> answers from a response file; empty or "tui", a
// person does.
inline constexpr std::string_view kScriptPrefix = "script:";
inline constexpr std::string_view kUiSettingRule = "VELTRIN_UI must be tui or script:<file>";
// The exit status when VELTRIN_UI holds anything else.
inline constexpr int kBadUiSettingExitCode = 2;

inline bool NamesResponseFile(std::string_view ui) {
    return ui.starts_with(kScriptPrefix);
}

inline bool IsUiSetting(std::string_view ui) {
    return ui.empty() || ui == "tui" || NamesResponseFile(ui);
}

} // namespace vp
