// The lines of the transcript (VELTRIN_TRANSCRIPT), one event a line; every
// build writes them, from its own windows:
//
//   msgbox "<caption>" "<text>" <style> owner=<template id>|none
//   answer <ok|cancel|yes|no>
//   dialog <template id> open "<window title>"
//   list <id> "<entry>" ...        every list box, each time the dialog waits
//   check <id> <0|1>               every radio and check button, likewise
//   dialog <template id> end <result>
#pragma once

#include "platform/api.h"
#include "platform/quoted_text.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui::transcript {

// A text in double quotes, escaped so that one event stays one line.
inline std::string Quote(std::string_view text) {
    return vp::QuotedText(text);
}

std::string MessageBoxLine(std::string_view caption, std::string_view text, UINT style,
                           std::optional<int> ownerTemplateId);
std::string AnswerLine(int button);
std::string DialogOpenLine(int templateId, std::string_view title);
std::string ListLine(int id, const std::vector<std::string> &entries);
// Adds one entry to a list line, for a list read an entry at a time.
void AppendListEntry(std::string &line, std::string_view entry);
std::string CheckLine(int id, bool checked);
std::string DialogEndLine(int templateId, int result);

} // namespace ui::transcript
