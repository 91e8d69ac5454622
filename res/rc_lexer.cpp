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
    : file_(file), text_(text), line_(firstLine), directives_(directives) {}

Token Lexer::Make(TokenKind kind, std::string text) const {
    Token t;
    t.kind = kind;
    t.text = std::move(text);
    t.file = file_;
    t.line = line_;
    return t;
}

void Lexer::SkipBlanksAndComments(Token *error) {
    while (pos_ < text_.size()) {
        const char c = text_[pos_];
        if (c == '\n') {
            ++line_;
            ++pos_;
            atLineStart_ = true;
        } else if (IsBlank(c)) {
            ++pos_;
        } else if (text_.compare(pos_, 2, "//") == 0) {
            pos_ = std::min(text_.find('\n', pos_), text_.size());
        } else if (text_.compare(pos_, 2, "/*") == 0) {
            const Token start = Make(TokenKind::End);
            const std::size_t end = text_.find("*/", pos_ + 2);
            if (end == std::string_view::npos) {
                *error = ErrorAt(start, "unterminated comment");
                pos_ = text_.size();
                return;
            }
            for (; pos_ < end; ++pos_)
                line_ += text_[pos_] == '\n';
            pos_ = end + 2;
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
    if (pos_ >= text_.size())
        return Make(TokenKind::End);
    const char c = text_[pos_];
    const bool lineStart = atLineStart_;
    atLineStart_ = false;
    if (c == '#' && lineStart && directives_)
        return LexDirective();
    if (IsDigit(c))
        return LexNumber();
    if (c == '"')
        return LexString();
    if (IsNameStart(c)) {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && IsNameChar(text_[pos_]))
            ++pos_;
        return Make(TokenKind::Name, std::string(text_.substr(start, pos_ - start)));
    }
    if (std::strchr(",|(){}-", c) != nullptr) {
        ++pos_;
        return Make(TokenKind::Punct, std::string(1, c));
    }
    return ErrorAt(Make(TokenKind::End), "unexpected character '" + Shown(c) + "'");
}

void Lexer::SkipToDirective() {
    while (pos_ < text_.size()) {
        if (atLineStart_) {
            while (pos_ < text_.size() && IsBlank(text_[pos_]))
                ++pos_;
            if (pos_ < text_.size() && text_[pos_] == '#')
                return;
        }
        const std::size_t newline = text_.find('\n', pos_);
        if (newline == std::string_view::npos) {
            pos_ = text_.size();
            return;
        }
        pos_ = newline + 1;
        ++line_;
        atLineStart_ = true;
    }
}

// The directive runs to the end of its line; a comment on the line is left
// for SkipBlanksAndComments, which also counts the lines a block comment spans.
Token Lexer::LexDirective() {
    const std::size_t start = ++pos_;
    bool quoted = false;
    for (; pos_ < text_.size() && text_[pos_] != '\n'; ++pos_) {
        if (text_[pos_] == '"')
            quoted = !quoted;
        if (!quoted && (text_.compare(pos_, 2, "//") == 0 || text_.compare(pos_, 2, "/*") == 0))
            break;
    }
    return Make(TokenKind::Directive, std::string(TrimBlanks(text_.substr(start, pos_ - start))));
}

// Decimal or 0x hexadecimal, with the C suffixes L and U; a leading 0 is
// refused because C would read the number as octal and rc as decimal.
Token Lexer::LexNumber() {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && IsNameChar(text_[pos_]))
        ++pos_;
    const std::string_view spelled = text_.substr(start, pos_ - start);
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
    ++pos_;
    for (;;) {
        if (pos_ >= text_.size() || text_[pos_] == '\n')
            return ErrorAt(t, "unterminated string");
        const char c = text_[pos_];
        if (c == '"') {
            ++pos_;
            if (pos_ >= text_.size() || text_[pos_] != '"')
                return t;
            t.text += '"';
            ++pos_;
        } else if (c == '\\') {
            Token error;
            if (!Escape(&t.text, &error))
                return error;
        } else {
            t.text += c;
            ++pos_;
        }
    }
}

bool Lexer::Escape(std::string *out, Token *error) {
    static constexpr std::string_view kSimple = "b\bf\fn\nr\rt\tv\v\\\\";
    const std::size_t start = pos_++;
    const char e = pos_ < text_.size() ? text_[pos_] : '\n';
    const std::size_t simple = kSimple.find(e);
    if (simple != std::string_view::npos && simple % 2 == 0) {
        *out += kSimple[simple + 1];
        ++pos_;
        return true;
    }
    const bool hex = e == 'x';
    const int base = hex ? 16 : 8;
    const int maxDigits = hex ? 2 : 3;
    if (hex)
        ++pos_;
    int value = 0;
    int count = 0;
    for (; count < maxDigits && pos_ < text_.size() && DigitValue(text_[pos_]) < base; ++count)
        value = value * base + DigitValue(text_[pos_++]);
    if (count > 0 && value <= 0xFF) {
        *out += static_cast<char>(value);
        return true;
    }
    const std::string spelled(text_.substr(start, std::max<std::size_t>(pos_ - start, 2)));
    *error = ErrorAt(Make(TokenKind::End), e == '"' ? "use \"\" to put \" in a string"
                                                    : "unsupported escape '" + spelled + "'");
    return false;
}

} // namespace res
