#include "platform/regedit4/reader.h"

#include "platform/digit_value.h"
#include "platform/registry_names.h"
#include "platform/trimmed.h"

namespace vp {

namespace {

constexpr std::string_view kRoot = "HKEY_LOCAL_MACHINE";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

void SkipBlanks(std::string_view &s) {
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    s.remove_prefix(i);
}

// Takes 1 to maxDigits hex digits from s; false when there are none or more.
bool TakeHex(std::string_view &s, std::size_t maxDigits, std::uint32_t *value) {
    std::size_t n = 0;
    std::uint32_t v = 0;
    while (n < s.size() && DigitValue(s[n]) >= 0) {
        v = v << 4 | static_cast<std::uint32_t>(DigitValue(s[n]));
        ++n;
    }
    if (n == 0 || n > maxDigits)
        return false;
    s.remove_prefix(n);
    *value = v;
    return true;
}

bool TakePrefix(std::string_view &s, std::string_view prefix) {
    if (s.size() < prefix.size() || !SameRegName(s.substr(0, prefix.size()), prefix))
        return false;
    s.remove_prefix(prefix.size());
    return true;
}

// Only blanks or a ';' comment may end a line.
bool EndsLine(std::string_view s) {
    SkipBlanks(s);
    return s.empty() || s.front() == ';';
}

// No empty key name: no leading or trailing '\', no two together.
bool NamesAKey(std::string_view path) {
    return !path.empty() && path.front() != '\\' && path.back() != '\\' &&
           path.find("\\\\") == std::string_view::npos;
}

class Reader {
  public:
    Reader(std::string_view text, Regedit4Sink &sink) : m_text(text), m_sink(sink) {}

    bool Run(Regedit4Error *error) {
        bool ok = ReadAll();
        if (!ok && error)
            *error = {m_line, std::move(m_what)};
        return ok;
    }

  private:
    bool ReadAll() {
        std::string_view line;
        if (!NextLine(&line))
            return Fail("missing REGEDIT4 header");
        SkipBlanks(line);
        bool header = TakePrefix(line, "REGEDIT4");
        SkipBlanks(line);
        if (!header || !line.empty())
            return Fail(MissingHeader(line));
        while (NextLine(&line)) {
            SkipBlanks(line);
            if (line.empty())
                continue;
            if (line.front() == ';') {
                m_sink.CommentLine(Trimmed(line.substr(1), IsBlank));
                continue;
            }
            bool ok = line.front() == '['                            ? KeyLine(line)
                      : (line.front() == '"' || line.front() == '@') ? ValueLine(line)
                                                                     : Fail("unexpected text");
            if (!ok)
                return false;
        }
        return true;
    }

    // Lines end with LF, CRLF or CR; the last one may have no end.
    bool NextLine(std::string_view *line) {
        if (m_pos >= m_text.size() && !(m_pos == 0 && m_line == 0))
            return false;
        std::size_t end = m_pos;
        while (end < m_text.size() && m_text[end] != '\n' && m_text[end] != '\r')
            ++end;
        *line = m_text.substr(m_pos, end - m_pos);
        if (end < m_text.size() && m_text[end] == '\r' && end + 1 < m_text.size() &&
            m_text[end + 1] == '\n')
            ++end;
        m_pos = end + 1;
        ++m_line;
        return true;
    }

    // Later regedits export in UTF-16 under a header of their own: named,
    // so that a person knows to export again as REGEDIT4.
    static const char *MissingHeader(std::string_view line) {
        if (line.starts_with("\xff\xfe") || line.starts_with("\xfe\xff"))
            return "missing REGEDIT4 header: UTF-16 text (a \"Windows Registry Editor Version "
                   "5.00\" export?); only REGEDIT4 in ANSI is read";
        if (line.starts_with("Windows Registry Editor Version 5.00"))
            return "missing REGEDIT4 header: \"Windows Registry Editor Version 5.00\" is a later "
                   "format; only REGEDIT4 is read";
        return "missing REGEDIT4 header";
    }

    bool Fail(std::string_view what) {
        m_what = what;
        return false;
    }

    bool KeyLine(std::string_view line) {
        std::size_t close = line.rfind(']');
        if (close == line.npos)
            return Fail("missing ']'");
        if (!EndsLine(line.substr(close + 1)))
            return Fail("unexpected text after ']'");
        std::string_view path = line.substr(1, close - 1);
        bool remove = !path.empty() && path.front() == '-';
        if (remove)
            path.remove_prefix(1);
        std::size_t cut = path.find('\\');
        if (!SameRegName(path.substr(0, cut), kRoot))
            return Fail("key not under HKEY_LOCAL_MACHINE");
        path = cut == path.npos ? std::string_view() : path.substr(cut + 1);
        if (cut != std::string_view::npos && !NamesAKey(path))
            return Fail("invalid key name");
        if (remove && path.empty())
            return Fail("HKEY_LOCAL_MACHINE cannot be deleted");
        m_inKey = false;
        if (std::string_view fault = m_sink.KeyLine(path, remove); !fault.empty())
            return Fail(fault);
        m_inKey = !remove;
        return true;
    }

    bool ValueLine(std::string_view line) {
        if (!m_inKey)
            return Fail("value outside a key");
        m_name.clear(); // "" for @, the default value
        bool named = line.front() == '"';
        line.remove_prefix(1);
        if (named && !TakeQuoted(line, &m_name))
            return false;
        SkipBlanks(line);
        if (line.empty() || line.front() != '=')
            return Fail("'=' expected after the value name");
        line.remove_prefix(1);
        SkipBlanks(line);
        return ValueData(line);
    }

    bool ValueData(std::string_view data) {
        std::string &bytes = m_bytes;
        bytes.clear();
        std::uint32_t type = 0;
        if (data.empty() || data.front() == ';')
            return Fail("value data missing");
        if (data.front() == '-') {
            if (!EndsLine(data.substr(1)))
                return Fail("unexpected text after '-'");
            return Taken(m_sink.ValueLine(m_name, true, 0, {}));
        }
        if (data.front() == '"') {
            data.remove_prefix(1);
            if (!TakeQuoted(data, &bytes))
                return false;
            if (!EndsLine(data))
                return Fail("unexpected text after the closing quote");
            bytes.push_back('\0');
            type = 1; // REG_SZ
        } else if (TakePrefix(data, "dword:")) {
            std::uint32_t number = 0;
            if (!TakeHex(data, 8, &number) || !EndsLine(data))
                return Fail("dword: takes 1 to 8 hex digits");
            for (int i = 0; i < 4; ++i)
                bytes.push_back(static_cast<char>(number >> (8 * i) & 0xff));
            type = 4; // REG_DWORD
        } else if (TakePrefix(data, "hex:")) {
            type = 3; // REG_BINARY
            if (!HexBytes(data, &bytes))
                return false;
        } else if (TakePrefix(data, "hex(")) {
            if (!TakeHex(data, 8, &type) || !TakePrefix(data, "):"))
                return Fail("hex(N): takes a type of 1 to 8 hex digits");
            if (!HexBytes(data, &bytes))
                return false;
        } else {
            return Fail("unknown value type");
        }
        return Taken(m_sink.ValueLine(m_name, false, type, bytes));
    }

    bool Taken(std::string_view fault) { return fault.empty() || Fail(fault); }

    // s starts after the opening quote; leaves s after the closing one.
    bool TakeQuoted(std::string_view &s, std::string *out) {
        for (;;) {
            std::size_t i = 0;
            while (i < s.size() && s[i] != '"' && s[i] != '\\')
                ++i;
            out->append(s.substr(0, i));
            if (i == s.size())
                return Fail("missing closing quote");
            if (s[i] == '"') {
                s.remove_prefix(i + 1);
                return true;
            }
            if (i + 1 == s.size())
                return Fail("missing closing quote");
            switch (s[i + 1]) {
            case '\\':
            case '"':
                out->push_back(s[i + 1]);
                break;
            case 'n':
                out->push_back('\n');
                break;
            case 'r':
                out->push_back('\r');
                break;
            default:
                Fail("unknown escape \\");
                m_what += s[i + 1];
                return false;
            }
            s.remove_prefix(i + 2);
        }
    }

    // Comma-separated bytes; ",\" at the end of a line continues the list on
    // the next one.
    bool HexBytes(std::string_view s, std::string *out) {
        SkipBlanks(s);
        if (EndsLine(s))
            return true; // no bytes
        for (;;) {
            std::uint32_t byte = 0;
            if (!TakeHex(s, 2, &byte))
                return Fail("hex byte expected");
            out->push_back(static_cast<char>(byte));
            SkipBlanks(s);
            if (EndsLine(s))
                return true;
            if (s.front() == '\\')
                return Fail("'\\' without ',' before it");
            if (s.front() != ',')
                return Fail("',' expected between hex bytes");
            s.remove_prefix(1);
            SkipBlanks(s);
            if (!s.empty() && s.front() == '\\') {
                s.remove_prefix(1);
                if (!EndsLine(s))
                    return Fail("unexpected text after '\\'");
                if (!NextLine(&s))
                    return Fail("hex data cut off at the end of the file");
                SkipBlanks(s);
            }
        }
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::size_t m_line = 0;
    Regedit4Sink &m_sink;
    bool m_inKey = false; // false before the first key and after a [-KEY]
    // A value's name and data as read, kept to spare an allocation a value.
    std::string m_name, m_bytes;
    std::string m_what;
};

} // namespace

bool ReadRegedit4(std::string_view text, Regedit4Sink &sink, Regedit4Error *error) {
    return Reader(text, sink).Run(error);
}

} // namespace vp
