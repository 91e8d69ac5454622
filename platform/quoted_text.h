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

// The inverse of QuotedText: reads a text in double quotes from the start of
// *rest and moves *rest past its closing quote. False (and *rest as it was)
// when there is no closing quote or an escape QuotedText does not write.
inline bool ReadQuotedText(std::string_view *rest, std::string *text) {
    std::string_view in = *rest;
    if (in.empty() || in.front() != '"')
        return false;
    in.remove_prefix(1);
    std::string out;
    while (!in.empty() && in.front() != '"') {
        char ch = in.front();
        in.remove_prefix(1);
        if (ch == '\\') {
            if (in.empty())
                return false;
            const char escape = in.front();
            in.remove_prefix(1);
            if (escape == '\\' || escape == '"') {
                ch = escape;
            } else if (escape == 'n') {
                ch = '\n';
            } else if (escape == 'r') {
                ch = '\r';
            } else if (escape == 't') {
                ch = '\t';
            } else if (escape == 'x' && in.size() >= 2 && DigitValue(in[0]) >= 0 &&
                       DigitValue(in[1]) >= 0) {
                ch = static_cast<char>(DigitValue(in[0]) * 16 + DigitValue(in[1]));
                in.remove_prefix(2);
            } else {
                return false;
            }
        }
        out += ch;
    }
    if (in.empty())
        return false; // no closing quote
    *rest = in.substr(1);
    *text = std::move(out);
    return true;
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
