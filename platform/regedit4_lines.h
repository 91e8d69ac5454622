// Value lines of REGEDIT4 text, as regedit writes them: shared by every
// writer of .reg files in both builds (the simulated registry's file, the
// setup's undo file).
#pragma once

#include "platform/digit_value.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vp {

namespace regedit4_detail {

// Hex lines are wrapped so that none is longer than this, '\' included.
constexpr std::size_t kLineWidth = 77;

// Runs of plain characters go in whole: most names and texts have no
// character to escape.
inline void AppendEscaped(std::string &out, std::string_view text) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char *escape = nullptr;
        switch (text[i]) {
        case '\\':
            escape = "\\\\";
            break;
        case '"':
            escape = "\\\"";
            break;
        case '\r':
            escape = "\\r";
            break;
        case '\n':
            escape = "\\n";
            break;
        default:
            continue;
        }
        out.append(text.substr(start, i - start));
        out.append(escape, 2);
        start = i + 1;
    }
    out.append(text.substr(start));
}

// A REG_SZ is written as a quoted string only when reading that string back
// gives the same bytes and regedit reads it the same way: one NUL, at the end,
// and no control characters but tab.
inline bool IsPlainString(std::string_view data) {
    if (data.empty() || data.back() != '\0')
        return false;
    for (std::size_t i = 0; i + 1 < data.size(); ++i) {
        auto c = static_cast<unsigned char>(data[i]);
        if (c < 0x20 && c != '\t')
            return false;
    }
    return true;
}

// "xx,xx,..." written in place: the line breaks go where a line would pass
// kLineWidth.
inline void AppendHexBytes(std::string &out, std::string_view data, std::size_t lineStart) {
    if (data.empty())
        return;
    std::size_t column = out.size() - lineStart;
    std::size_t at = out.size();
    // Three characters a byte, and at most five more a line of at least 24.
    out.resize(at + data.size() * 3 + (data.size() / 24 + 1) * 5);
    char *p = out.data() + at;
    for (std::size_t i = 0; i < data.size(); ++i) {
        auto byte = static_cast<unsigned char>(data[i]);
        *p++ = kHexDigits[byte >> 4];
        *p++ = kHexDigits[byte & 15];
        if (i + 1 == data.size())
            break;
        *p++ = ',';
        column += 3;
        if (column + 4 > kLineWidth) { // room for "xx,\" no more
            for (char c : {'\\', '\r', '\n', ' ', ' '})
                *p++ = c;
            column = 2;
        }
    }
    out.resize(static_cast<std::size_t>(p - out.data()));
}

inline void AppendHex32(std::string &out, std::uint32_t number, bool padded) {
    bool started = padded;
    for (int shift = 28; shift >= 0; shift -= 4) {
        unsigned digit = number >> shift & 15;
        started = started || digit != 0 || shift == 0;
        if (started)
            out.push_back(kHexDigits[digit]);
    }
}

} // namespace regedit4_detail

// A value's name as REGEDIT4 writes it: @ for the default value, else in
// quotes with \\, \", \r and \n escaped.
inline void AppendRegedit4Name(std::string &out, std::string_view name) {
    if (name.empty()) {
        out.push_back('@');
        return;
    }
    out.push_back('"');
    regedit4_detail::AppendEscaped(out, name);
    out.push_back('"');
}

// One value line, "name"=data and CRLF: a plain REG_SZ as a quoted string,
// a four-byte REG_DWORD as dword:, anything else as hex: (REG_BINARY) or
// hex(N): bytes, wrapped with ",\" where a line would grow too long.
inline void AppendRegedit4Value(std::string &out, std::string_view name, std::uint32_t type,
                                std::string_view data) {
    std::size_t lineStart = out.size();
    AppendRegedit4Name(out, name);
    out.push_back('=');
    if (type == 1 && regedit4_detail::IsPlainString(data)) {
        out.push_back('"');
        regedit4_detail::AppendEscaped(out, std::string_view(data).substr(0, data.size() - 1));
        out.push_back('"');
    } else if (type == 4 && data.size() == 4) {
        std::uint32_t number = 0;
        for (int i = 3; i >= 0; --i)
            number = number << 8 | static_cast<unsigned char>(data[static_cast<std::size_t>(i)]);
        out += "dword:";
        regedit4_detail::AppendHex32(out, number, true);
    } else {
        if (type == 3) {
            out += "hex:";
        } else {
            out += "hex(";
            regedit4_detail::AppendHex32(out, type, false);
            out += "):";
        }
        regedit4_detail::AppendHexBytes(out, data, lineStart);
    }
    out += "\r\n";
}

// "[HKEY_LOCAL_MACHINE\path]" or "[-HKEY_LOCAL_MACHINE\path]" and its line end.
inline void AppendRegedit4KeyLine(std::string &out, std::string_view path, bool remove) {
    out += remove ? "[-HKEY_LOCAL_MACHINE" : "[HKEY_LOCAL_MACHINE";
    if (!path.empty()) {
        out.push_back('\\');
        out += path;
    }
    out += "]\r\n";
}

} // namespace vp
