// A list entry named by its text, as a recording names it: the same setup
// then shares the same drive or printer on a PC whose lists are longer or in
// another order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace script {

// The index of the first entry equal to text (byte for byte), or -1. Two
// equal entries are told apart only by their place, so the first is taken.
int FindEntry(const std::vector<std::string> &entries, std::string_view text);

// Why an action does not fit when its list has no such entry:
// list <id> has no entry "<text>".
std::string NoSuchEntry(int list, std::string_view text);

} // namespace script
