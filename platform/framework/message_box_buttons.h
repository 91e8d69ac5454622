// Message box buttons as the response file and the transcript name them;
// the same in every build.
#pragma once

#include "platform/api.h"

#include <vector>

namespace ui {

// The buttons of a message box style, left to right (IDOK, IDCANCEL, IDYES,
// IDNO, ...), and the word a response file and the transcript use for each
// ("ok", "cancel", "yes", "no"; null for buttons without one).
std::vector<int> MessageBoxButtons(UINT style);
const char *AnswerWord(int button);

} // namespace ui
