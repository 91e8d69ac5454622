// Tokens of the resource language, as the reader in this folder sees them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace res {

enum class TokenKind {
    End,       // no more text
    Error,     // text holds the whole message, "<name>:<line>: <what>"
    Name,      // keyword or symbol
    Number,    // number holds the value
    String,    // text holds the decoded characters
    Punct,     // one of , | ( ) { } -
    Directive, // a '#' line: text holds what follows the '#', comments removed
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;
    std::int64_t number = 0;
    std::string_view file; // name of the text it came from, for messages
    int line = 0;

    bool Is(TokenKind k, std::string_view t) const { return kind == k && text == t; }
    std::string Where() const;
    std::string Describe() const; // for "expected X but found Y"
};

inline bool IsNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
inline bool IsNameChar(char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9');
}
inline bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}
std::string_view TrimBlanks(std::string_view s);

// An error token at t's place.
Token ErrorAt(const Token &t, const std::string &what);

class Lexer {
  public:
    // file names the text in messages; firstLine numbers its first line.
    // Without directives a '#' is an error, as in the value of a #define.
    Lexer(std::string_view file, std::string_view text, int firstLine = 1, bool directives = true);

    Token Next();
    // Passes over the text up to the next line that starts with '#': the
    // text a false conditional leaves out is not read at all.
    void SkipToDirective();

  private:
    void SkipBlanksAndComments(Token *error);
    Token Make(TokenKind kind, std::string text = {}) const;
    Token LexDirective();
    Token LexNumber();
    Token LexString();
    bool Escape(std::string *out, Token *error);

    std::string_view m_file, m_text;
    std::size_t m_pos = 0;
    int m_line;
    bool m_directives;
    bool m_atLineStart = true;
};

} // namespace res
