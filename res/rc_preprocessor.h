// The part of the C preprocessor the resource script needs: #include of its
// one header, object-like #define, #ifdef / #ifndef / #else / #endif.
#pragma once

#include "res/rc_lexer.h"

#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace res {

// The names under which the script and its header appear in messages; the
// script includes the header by this name.
inline constexpr std::string_view kScriptName = "app.rc";
inline constexpr std::string_view kHeaderName = "resource.h";

// Defined while the reader reads the script, so that the script can leave
// out what only the resource compiler reads (<windows.h>).
inline constexpr std::string_view kReaderMacro = "VP_RES_READER";

class Preprocessor {
  public:
    Preprocessor(std::string_view script, std::string_view header);

    // The next token of the text that is in effect, macros replaced; End at
    // the end of the script, Error on the first fault.
    Token Next();

  private:
    struct Conditional {
        Token where;
        bool active;
        bool parentActive;
        bool sawElse = false;
    };
    struct Source {
        Lexer lexer;
        std::vector<Conditional> conditionals;
    };
    struct Define {
        std::string value;
        std::string_view file;
        int line;
    };
    // A token waiting to be handed out, with the macros it came from: a
    // macro is not replaced again inside its own replacement.
    struct Pending {
        Token token;
        std::vector<std::string> from;
    };

    bool Active() const;
    Token Directive(const Token &t); // an Error token, or End when all went well
    Token Include(const Token &t, std::string_view what);
    Token DefineMacro(const Token &t, std::string_view what);
    Token Expand(const Pending &name);

    std::string_view m_header;
    std::vector<Source> m_sources; // the script, and the header above it while it is read
    std::map<std::string, Define, std::less<>> m_defines;
    std::deque<Pending> m_pending;
    // Tokens given by macros so far; the script uses a few hundred.
    static constexpr std::size_t kMaxExpandedTokens = 1 << 14;
    std::size_t m_expanded = 0;
};

} // namespace res
