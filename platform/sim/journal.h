// Journal lines: the machine's record of programs started, shares changed and
// restarts requested (machine.h's AppendJournal writes them).
#pragma once

#include <string>
#include <string_view>

namespace sim {

// The text in double quotes with '\' and '"' escaped and control characters
// written as \n, \r, \t or \xNN, so that it always stays on one line.
std::string JournalQuote(std::string_view text);

} // namespace sim
