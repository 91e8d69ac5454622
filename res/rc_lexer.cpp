#include "res/rc_lexer.h"

#include "platform/trimmed.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace res {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int DigitValue(char c) {
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

std::string Shown(char c) {
    if (c >= ' ' && c <= '~')
        return std::string(1, c);
    static const char hex[] = "0123456789abcdef";
    const auto u = static_cast<unsigned char>(c);
    return std::string("\\x") + hex[u >> 4] + hex[u & 15];
}

} // namespace

std::string_view TrimBlanks(std::string_view s) {
    return vp::Trimmed(s, IsBlank);
}

std::string Token::Where() const {
    return std::string(file) + ":" + std::to_string(line);
}

std::string Token::Describe() const {
    switch (kind) {
    case TokenKind::End:
        return "end of file";
    case TokenKind::String:
        return "a string";
    case TokenKind::Directive:
        return "'#" + text + "'";
    default:
        return "'" + text + "'";
    }
}

Token ErrorAt(const Token &t, const std::string &what) {
    Token e = t;
    e.kind = TokenKind::Error;
    e.text = t.Where() + ": " + what;
    return e;
}

Lexer::Lexer(std::string_view file, std::string_view text, int firstLine, bool directives)
    : m_file(file), m_text(text), m_line(firstLine), m_directives(directives) {}

Token Lexer::Make(TokenKind kind, std::string text) const {
    Token t;
    t.kind = kind;
    t.text = std::move(text);
    t.file = m_file;
    t.line = m_line;
    return t;
}

void Lexer::SkipBlanksAndComments(Token *error) {
    while (m_pos < m_text.size()) {
        const char c = m_text[m_pos];
        if (c == '\n') {
            ++m_line;
            ++m_pos;
            m_atLineStart = true;
        } else if (IsBlank(c)) {
            ++m_pos;
        } else if (m_text.compare(m_pos, 2, "//") == 0) {
            m_pos = std::min(m_text.find('\n', m_pos), m_text.size());
        } else if (m_text.compare(m_pos, 2, "/*") == 0) {
            const Token start = Make(TokenKind::End);
            const std::size_t end = m_text.find("*/", m_pos + 2);
            if (end == std::string_view::npos) {
                *error = ErrorAt(start, "unterminated comment");
                m_pos = m_text.size();
                return;
            }
            for (; m_pos < end; ++m_pos)
                m_line += m_text[m_pos] == '\n';
            m_pos = end + 2;
        } else {
            return;
        }
    }
}

Token Lexer::Next() {
    Token error;
    SkipBlanksAndComments(&error);
    if (error.kind == TokenKind::Error)
        return error;
    if (m_pos >= m_text.size())
        return Make(TokenKind::End);
    const char c = m_text[m_pos];
    const bool lineStart = m_atLineStart;
    m_atLineStart = false;
    if (c == '#' && lineStart && m_directives)
        return LexDirective();
    if (IsDigit(c))
        return LexNumber();
    if (c == '"')
        return LexString();
    if (IsNameStart(c)) {
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && IsNameChar(m_text[m_pos]))
            ++m_pos;
        return Make(TokenKind::Name, std::string(m_text.substr(start, m_pos - start)));
    }
    if (std::strchr(",|(){}-", c) != nullptr) {
        ++m_pos;
        return Make(TokenKind::Punct, std::string(1, c));
    }
    return ErrorAt(Make(TokenKind::End), "unexpected character '" + Shown(c) + "'");
}

void Lexer::SkipToDirective() {
    while (m_pos < m_text.size()) {
        if (m_atLineStart) {
            while (m_pos < m_text.size() && IsBlank(m_text[m_pos]))
                ++m_pos;
            if (m_pos < m_text.size() && m_text[m_pos] == '#')
                return;
        }
        const std::size_t newline = m_text.find('\n', m_pos);
        if (newline == std::string_view::npos) {
            m_pos = m_text.size();
            return;
        }
        m_pos = newline + 1;
        ++m_line;
        m_atLineStart = true;
    }
}

// The directive runs to the end of its line; a comment on the line is left
// for SkipBlanksAndComments, which also counts the lines a block comment spans.
Token Lexer::LexDirective() {
    const std::size_t start = ++m_pos;
    bool quoted = false;
    for (; m_pos < m_text.size() && m_text[m_pos] != '\n'; ++m_pos) {
        if (m_text[m_pos] == '"')
            quoted = !quoted;
        if (!quoted && (m_text.compare(m_pos, 2, "//") == 0 || m_text.compare(m_pos, 2, "/*") == 0))
            break;
    }
    return Make(TokenKind::Directive, std::string(TrimBlanks(m_text.substr(start, m_pos - start))));
}

// Decimal or 0x hexadecimal, with the C suffixes L and U; a leading 0 is
// refused because C would read the number as octal and rc as decimal.
Token Lexer::LexNumber() {
    const std::size_t start = m_pos;
    while (m_pos < m_text.size() && IsNameChar(m_text[m_pos]))
        ++m_pos;
    const std::string_view spelled = m_text.substr(start, m_pos - start);
    Token t = Make(TokenKind::Number, std::string(spelled));
    std::string_view digits = spelled;
    for (int i = 0; i < 2 && !digits.empty() && std::strchr("LlUu", digits.back()); ++i)
        digits.remove_suffix(1);
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.remove_prefix(2);
        base = 16;
    }
    std::uint64_t value = 0;
    const char *end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, value, base);
    const bool octalLooking = base == 10 && digits.size() > 1 && digits[0] == '0';
    if (ec != std::errc() || ptr != end || octalLooking || value > 0xFFFFFFFFu)
        return ErrorAt(t, "bad number '" + t.text + "'");
    t.number = static_cast<std::int64_t>(value);
    return t;
}

// rc's string rules: "" stands for one quote; the escapes below are read as
// windres reads them. Escapes windres only warns about are refused.
Token Lexer::LexString() {
    Token t = Make(TokenKind::String);
    ++m_pos;
    for (;;) {
        if (m_pos >= m_text.size() || m_text[m_pos] == '\n')
            return ErrorAt(t, "unterminated string");
        const char c = m_text[m_pos];
        if (c == '"') {
            ++m_pos;
            if (m_pos >= m_text.size() || m_text[m_pos] != '"')
                return t;
            t.text += '"';
            ++m_pos;
        } else if (c == '\\') {
            Token error;
            if (!Escape(&t.text, &error))
                return error;
        } else {
            t.text += c;
            ++m_pos;
        }
    }
}

bool Lexer::Escape(std::string *out, Token *error) {
    static constexpr std::string_view kSimple = "b\bf\fn\nr\rt\tv\v\\\\";
    const std::size_t start = m_pos++;
    const char e = m_pos < m_text.size() ? m_text[m_pos] : '\n';
    const std::size_t simple = kSimple.find(e);
    if (simple != std::string_view::npos && simple % 2 == 0) {
        *out += kSimple[simple + 1];
        ++m_pos;
        return true;
    }
    const bool hex = e == 'x';
    const int base = hex ? 16 : 8;
    const int maxDigits = hex ? 2 : 3;
    if (hex)
        ++m_pos;
    int value = 0;
    int count = 0;
    for (; count < maxDigits && m_pos < m_text.size() && DigitValue(m_text[m_pos]) < base; ++count)
        value = value * base + DigitValue(m_text[m_pos++]);
    if (count > 0 && value <= 0xFF) {
        *out += static_cast<char>(value);
        return true;
    }
    const std::string spelled(m_text.substr(start, std::max<std::size_t>(m_pos - start, 2)));
    *error = ErrorAt(Make(TokenKind::End), e == '"' ? "use \"\" to put \" in a string"
                                                    : "unsupported escape '" + spelled + "'");
    return false;
}

} // namespace res
