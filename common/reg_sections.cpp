#include "common/reg_sections.h"

#include "platform/regedit4_lines.h"

namespace {

constexpr std::string_view kRoot = "HKEY_LOCAL_MACHINE";

char Fold(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool TakePrefix(std::string_view &s, std::string_view prefix) {
    if (s.size() < prefix.size() || !SameRegName(s.substr(0, prefix.size()), prefix))
        return false;
    s.remove_prefix(prefix.size());
    return true;
}

int HexDigit(char c) {
    c = Fold(c);
    return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// 1 to maxDigits hex digits.
bool TakeHex(std::string_view &s, std::size_t maxDigits, DWORD *value) {
    std::size_t n = 0;
    DWORD v = 0;
    for (; n < s.size() && HexDigit(s[n]) >= 0; ++n)
        v = v << 4 | static_cast<DWORD>(HexDigit(s[n]));
    if (n == 0 || n > maxDigits)
        return false;
    s.remove_prefix(n);
    *value = v;
    return true;
}

// A quoted text with \\ \" \n \r escapes; s starts at the opening quote.
bool TakeQuoted(std::string_view &s, std::string *text) {
    text->clear();
    for (std::size_t i = 1; i < s.size(); ++i) {
        if (s[i] == '"') {
            s.remove_prefix(i + 1);
            return true;
        }
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char next = s[++i];
            *text += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
        } else {
            *text += s[i];
        }
    }
    return false;
}

// Only blanks or a comment may follow a value or a key name.
bool EndsLine(std::string_view s) {
    s = Trimmed(s);
    return s.empty() || s.front() == ';';
}

class Parser {
  public:
    Parser(std::string_view text, RegText *out) : m_text(text), m_out(out) {}

    bool Run(RegTextError *error) {
        const bool ok = ReadAll();
        if (!ok && error)
            *error = {m_line, m_what};
        return ok;
    }

  private:
    bool ReadAll() {
        std::string_view line;
        bool header = NextLine(&line);
        line = Trimmed(line);
        if (!header || !TakePrefix(line, "REGEDIT4") || !line.empty())
            return Fail("missing REGEDIT4 header");
        while (NextLine(&line)) {
            line = Trimmed(line);
            bool ok = true;
            if (line.empty())
                continue;
            if (line.front() == ';')
                m_out->notes.emplace_back(Trimmed(line.substr(1)));
            else if (line.front() == '[')
                ok = KeyLine(line);
            else if (line.front() == '"' || line.front() == '@')
                ok = ValueLine(line);
            else
                ok = Fail("unexpected text");
            if (!ok)
                return false;
        }
        return true;
    }

    // Lines end with LF, CRLF or CR.
    bool NextLine(std::string_view *line) {
        if (m_pos >= m_text.size())
            return false;
        std::size_t end = m_text.find_first_of("\r\n", m_pos);
        if (end == std::string_view::npos)
            end = m_text.size();
        *line = m_text.substr(m_pos, end - m_pos);
        m_pos = end + (m_text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        ++m_line;
        return true;
    }

    bool Fail(std::string what) {
        m_what = std::move(what);
        return false;
    }

    bool KeyLine(std::string_view line) {
        const std::size_t close = line.rfind(']');
        if (close == std::string_view::npos || !EndsLine(line.substr(close + 1)))
            return Fail("a key line must end with ']'");
        std::string_view path = line.substr(1, close - 1);
        RegSection section;
        section.removeKey = !path.empty() && path.front() == '-';
        if (section.removeKey)
            path.remove_prefix(1);
        if (!TakePrefix(path, kRoot) || (!path.empty() && path.front() != '\\'))
            return Fail("only keys of HKEY_LOCAL_MACHINE can be restored");
        while (!path.empty() && path.front() == '\\')
            path.remove_prefix(1);
        section.path = path;
        m_out->sections.push_back(std::move(section));
        return true;
    }

    bool ValueLine(std::string_view line) {
        if (m_out->sections.empty() || m_out->sections.back().removeKey)
            return Fail("a value outside a key");
        RegValueLine value;
        if (line.front() == '@')
            line.remove_prefix(1);
        else if (!TakeQuoted(line, &value.name))
            return Fail("a value name without its closing quote");
        line = Trimmed(line);
        if (line.empty() || line.front() != '=')
            return Fail("'=' expected after the value name");
        line = Trimmed(line.substr(1));
        if (!ValueData(line, &value))
            return false;
        m_out->sections.back().values.push_back(std::move(value));
        return true;
    }

    bool ValueData(std::string_view line, RegValueLine *value) {
        if (!line.empty() && line.front() == '-') {
            value->remove = true;
            return EndsLine(line.substr(1)) || Fail("unexpected text after '-'");
        }
        if (!line.empty() && line.front() == '"') {
            value->type = REG_SZ;
            if (!TakeQuoted(line, &value->data))
                return Fail("a string without its closing quote");
            value->data += '\0';
            return EndsLine(line) || Fail("unexpected text after the string");
        }
        DWORD number = 0;
        if (TakePrefix(line, "dword:")) {
            if (!TakeHex(line, 8, &number) || !EndsLine(line))
                return Fail("dword: takes 1 to 8 hex digits");
            value->type = REG_DWORD;
            for (int i = 0; i < 4; ++i)
                value->data += static_cast<char>(number >> (8 * i) & 0xff);
            return true;
        }
        if (TakePrefix(line, "hex(")) {
            if (!TakeHex(line, 8, &number) || !TakePrefix(line, "):"))
                return Fail("hex(N): expected");
            value->type = number;
        } else if (TakePrefix(line, "hex:")) {
            value->type = REG_BINARY;
        } else {
            return Fail("unknown value data");
        }
        return HexBytes(line, &value->data);
    }

    // "xx,xx,...", a line ending in ",\" going on with the next.
    bool HexBytes(std::string_view line, std::string *data) {
        for (;;) {
            line = Trimmed(line);
            if (line.empty() || line.front() == ';')
                return true;
            DWORD byte = 0;
            if (!TakeHex(line, 2, &byte))
                return Fail("hex bytes expected");
            *data += static_cast<char>(byte);
            line = Trimmed(line);
            if (line.empty() || line.front() == ';')
                return true;
            if (line.front() != ',')
                return Fail("',' expected between hex bytes");
            line = Trimmed(line.substr(1));
            if (line == "\\" && !NextLine(&line))
                return Fail("a hex line continued past the end");
        }
    }

    std::string_view m_text;
    RegText *m_out;
    std::size_t m_pos = 0;
    std::size_t m_line = 0;
    std::string m_what;
};

} // namespace

bool SameRegName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Fold(a[i]) != Fold(b[i]))
            return false;
    return true;
}

std::string FoldedRegName(std::string_view name) {
    std::string out(name);
    for (char &c : out)
        c = Fold(c);
    return out;
}

std::string FormatRegText(const RegText &text) {
    std::string out = "REGEDIT4\r\n";
    for (const std::string &note : text.notes)
        out += "; " + note + "\r\n";
    return out + "\r\n" + FormatRegSections(text.sections);
}

std::string FormatRegSections(const std::vector<RegSection> &sections) {
    std::string out;
    for (const RegSection &section : sections) {
        vp::AppendRegedit4KeyLine(out, section.path, section.removeKey);
        for (const RegValueLine &value : section.values) {
            if (value.remove) {
                vp::AppendRegedit4Name(out, value.name);
                out += "=-\r\n";
            } else {
                vp::AppendRegedit4Value(out, value.name, value.type, value.data);
            }
        }
        out += "\r\n";
    }
    return out;
}

bool ParseRegText(std::string_view text, RegText *out, RegTextError *error) {
    *out = {};
    return Parser(text, out).Run(error);
}
