#include "platform/script/list_entry.h"

#include "platform/framework/decimal_text.h"
#include "platform/quoted_text.h"

#include <algorithm>

namespace script {

int FindEntry(const std::vector<std::string> &entries, std::string_view text) {
    const auto found = std::find(entries.begin(), entries.end(), text);
    return found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
}

std::string NoSuchEntry(int list, std::string_view text) {
    return "list " + vp::DecimalText(list) + " has no entry " + vp::QuotedText(text);
}

} // namespace script
