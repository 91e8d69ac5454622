#include "platform/sim/registry/writer.h"

#include <cstdint>

namespace sim::reg {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";
// Hex lines are wrapped so that none is longer than this, '\' included.
constexpr std::size_t kLineWidth = 77;

// Runs of plain characters go in whole: most names and texts have no
// character to escape.
void AppendEscaped(std::string &out, std::string_view text) {
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
bool IsPlainString(std::string_view data) {
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
void AppendHexBytes(std::string &out, std::string_view data, std::size_t lineStart) {
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

void AppendHex32(std::string &out, std::uint32_t number, bool padded) {
    bool started = padded;
    for (int shift = 28; shift >= 0; shift -= 4) {
        unsigned digit = number >> shift & 15;
        started = started || digit != 0 || shift == 0;
        if (started)
            out.push_back(kHexDigits[digit]);
    }
}

void AppendValue(std::string &out, const Value &value) {
    std::size_t lineStart = out.size();
    if (value.name.empty()) {
        out.push_back('@');
    } else {
        out.push_back('"');
        AppendEscaped(out, value.name);
        out.push_back('"');
    }
    out.push_back('=');
    std::string_view data = value.data;
    if (value.type == 1 && IsPlainString(data)) {
        out.push_back('"');
        AppendEscaped(out, std::string_view(data).substr(0, data.size() - 1));
        out.push_back('"');
    } else if (value.type == 4 && data.size() == 4) {
        std::uint32_t number = 0;
        for (int i = 3; i >= 0; --i)
            number = number << 8 | static_cast<unsigned char>(data[static_cast<std::size_t>(i)]);
        out += "dword:";
        AppendHex32(out, number, true);
    } else {
        if (value.type == 3) {
            out += "hex:";
        } else {
            out += "hex(";
            AppendHex32(out, value.type, false);
            out += "):";
        }
        AppendHexBytes(out, data, lineStart);
    }
    out += "\r\n";
}

// "[HKEY_LOCAL_MACHINE\path]" or "[-HKEY_LOCAL_MACHINE\path]" and its line end.
void AppendKeyLine(std::string &out, std::string_view path, bool remove) {
    out += remove ? "[-HKEY_LOCAL_MACHINE" : "[HKEY_LOCAL_MACHINE";
    if (!path.empty()) {
        out.push_back('\\');
        out += path;
    }
    out += "]\r\n";
}

void AppendKey(std::string &out, const Key &key, std::string &path, bool header) {
    if (header || key.values.Size() > 0) {
        AppendKeyLine(out, path, false);
        for (std::size_t i = 0; i < key.values.Size(); ++i)
            AppendValue(out, key.values.At(i));
        out += "\r\n";
    }
    for (std::size_t i = 0; i < key.subkeys.Size(); ++i) {
        const Key &sub = key.subkeys.At(i);
        std::size_t length = path.size();
        if (length)
            path.push_back('\\');
        path += sub.name;
        AppendKey(out, sub, path, true);
        path.resize(length);
    }
}

} // namespace

void WriteRegedit4(const Key &key, std::string_view path, std::string *out) {
    out->clear();
    out->append("REGEDIT4\r\n\r\n");
    std::string keyPath(path);
    AppendKey(*out, key, keyPath, !keyPath.empty());
}

void ChangeText::DeleteKey(std::string_view path) {
    AppendKeyLine(text_, path, true);
    text_ += "\r\n";
}

void ChangeText::SetValues(std::string_view path, const Key &key) {
    AppendKeyLine(text_, path, false);
    for (std::size_t i = 0; i < key.values.Size(); ++i)
        AppendValue(text_, key.values.At(i));
    text_ += "\r\n";
}

void ChangeText::DeleteValue(std::string_view path, std::string_view name) {
    AppendKeyLine(text_, path, false);
    if (name.empty()) {
        text_.push_back('@');
    } else {
        text_.push_back('"');
        AppendEscaped(text_, name);
        text_.push_back('"');
    }
    text_ += "=-\r\n\r\n";
}

std::string WriteRegedit4(const Key &key, std::string_view path) {
    std::string out;
    WriteRegedit4(key, path, &out);
    return out;
}

} // namespace sim::reg
