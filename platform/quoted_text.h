// Texts written into the logs that keep one event a line (the machine's
// journal, the transcript) or onto a terminal: control characters can never
// start a line of their own.
#pragma once

#include "platform/digit_value.h"

#include <string>
#include <string_view>

namespace vp {

inline bool IsControlByte(unsigned char c) {
    return c < 0x20 || c == 0x7f;
}

inline void AppendByteEscape(std::string &out, unsigned char c) {
    out += "\\x";
    out += kHexDigits[c >> 4];
    out += kHexDigits[c & 0xf];
}

// The text in double quotes with \\, \", \n, \r, \t and \xNN escapes.
inline std::string QuotedText(std::string_view text) {
    std::string out = "\"";
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (ch == '\\' || ch == '"') {
            out += '\\';
            out += ch;
        } else if (ch == '\n') {
            out += "\\n";
        } else if (ch == '\r') {
            out += "\\r";
        } else if (ch == '\t') {
            out += "\\t";
        } else if (IsControlByte(c)) {
            AppendByteEscape(out, c);
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

// The text as it is, but for control characters, which show as \xNN: a text
// from the registry printed on a terminal cannot move its cursor or end
// its line.
inline std::string VisibleText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        if (IsControlByte(static_cast<unsigned char>(ch)))
            AppendByteEscape(out, static_cast<unsigned char>(ch));
        else
            out += ch;
    }
    return out;
}

} // namespace vp
