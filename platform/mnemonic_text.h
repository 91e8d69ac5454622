// A control's or menu item's text as Windows shows it: "&&" stands for '&',
// "&x" shows x underlined (the first such x is the mnemonic), and a lone '&'
// at the end shows nothing.
#pragma once

#include <string>
#include <string_view>

namespace vp {

struct MnemonicText {
    std::string shown;  // the text without the '&' marks
    int underline = -1; // index in shown of the mnemonic character, or -1
};

inline MnemonicText ParseMnemonicText(std::string_view text) {
    MnemonicText out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out.shown.push_back(text[i]);
            continue;
        }
        if (++i == text.size())
            break;
        if (text[i] != '&' && out.underline < 0)
            out.underline = static_cast<int>(out.shown.size());
        out.shown.push_back(text[i]);
    }
    return out;
}

} // namespace vp
