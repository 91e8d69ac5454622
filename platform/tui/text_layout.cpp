#include "platform/tui/text_layout.h"

#include "platform/mnemonic_text.h"

#include <algorithm>
#include <cctype>

namespace tui {

char LowerCase(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

Label ParseMnemonic(std::string_view text, bool prefix) {
    Label label;
    if (!prefix) {
        label.text = std::string(text);
        return label;
    }
    vp::MnemonicText parsed = vp::ParseMnemonicText(text);
    label.text = std::move(parsed.shown);
    label.underline = parsed.underline;
    if (label.underline >= 0)
        label.key = LowerCase(label.text[label.underline]);
    return label;
}

namespace {

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

void WrapParagraph(std::string_view text, std::size_t width, std::vector<std::string> *lines) {
    std::size_t pos = 0;
    bool first = true;
    while (first || pos < text.size()) {
        if (!first)
            while (pos < text.size() && text[pos] == ' ')
                ++pos;
        if (!first && pos == text.size())
            break;
        first = false;
        const std::string_view rest = text.substr(pos);
        if (TrimRight(rest).size() <= width) {
            lines->emplace_back(TrimRight(rest));
            break;
        }
        // The last blank that leaves at most width cells before it.
        const std::size_t blank = rest.substr(0, width + 1).find_last_of(' ');
        const std::string_view head =
            blank != std::string_view::npos ? TrimRight(rest.substr(0, blank)) : std::string_view();
        if (!head.empty()) {
            lines->emplace_back(head);
            pos += blank;
        } else {
            lines->emplace_back(rest.substr(0, width));
            pos += width;
        }
    }
}

} // namespace

std::vector<std::string> WrapText(std::string_view text, int width) {
    std::vector<std::string> lines;
    const auto w = static_cast<std::size_t>(std::max(width, 1));
    std::string paragraph;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n') {
            WrapParagraph(paragraph, w, &lines);
            paragraph.clear();
        } else if (text[i] != '\r') {
            paragraph.push_back(text[i]);
        }
    }
    return lines;
}

std::string FitBlanks(std::string_view text, int width) {
    const auto limit = static_cast<std::size_t>(std::max(width, 0));
    if (text.size() <= limit)
        return std::string(text);
    const auto blanks = static_cast<long>(std::count(text.begin(), text.end(), ' '));
    const long room = static_cast<long>(limit) - (static_cast<long>(text.size()) - blanks);
    std::string out;
    long seen = 0, placed = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != ' ') {
            out.push_back(text[i++]);
            continue;
        }
        const std::size_t start = i;
        while (i < text.size() && text[i] == ' ')
            ++i;
        seen += static_cast<long>(i - start);
        // Rounded share of the room for the blanks seen so far.
        long target = room > 0 ? (2 * seen * room + blanks) / (2 * blanks) : 0;
        const bool interior = start > 0 && i < text.size();
        if (interior && target == placed)
            ++target; // words never run together
        out.append(static_cast<std::size_t>(std::max(target - placed, 0L)), ' ');
        placed = std::max(target, placed);
    }
    if (out.size() > limit)
        out.resize(limit);
    return out;
}

} // namespace tui
