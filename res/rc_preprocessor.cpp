#include "res/rc_preprocessor.h"

#include <algorithm>
#include <string>

namespace res {

Preprocessor::Preprocessor(std::string_view script, std::string_view header) : m_header(header) {
    m_sources.push_back({Lexer(kScriptName, script), {}});
    m_defines.emplace(std::string(kReaderMacro), Define{"1", "<built-in>", 0});
}

bool Preprocessor::Active() const {
    const auto &conditionals = m_sources.back().conditionals;
    return conditionals.empty() || conditionals.back().active;
}

Token Preprocessor::Next() {
    for (;;) {
        if (!m_pending.empty()) {
            Pending p = std::move(m_pending.front());
            m_pending.pop_front();
            const bool macro =
                p.token.kind == TokenKind::Name && m_defines.contains(p.token.text) &&
                std::find(p.from.begin(), p.from.end(), p.token.text) == p.from.end();
            if (!macro)
                return p.token;
            Token error = Expand(p);
            if (error.kind == TokenKind::Error)
                return error;
            continue;
        }
        Source &source = m_sources.back();
        if (!Active())
            source.lexer.SkipToDirective();
        Token t = source.lexer.Next();
        if (t.kind == TokenKind::End) {
            if (!source.conditionals.empty())
                return ErrorAt(source.conditionals.back().where,
                               "'#" + source.conditionals.back().where.text + "' has no #endif");
            if (m_sources.size() == 1)
                return t;
            m_sources.pop_back();
        } else if (t.kind == TokenKind::Directive) {
            Token error = Directive(t);
            if (error.kind == TokenKind::Error)
                return error;
        } else if (t.kind == TokenKind::Name) {
            m_pending.push_back({std::move(t), {}});
        } else {
            return t;
        }
    }
}

Token Preprocessor::Directive(const Token &t) {
    const std::string_view body = t.text;
    std::size_t n = 0;
    while (n < body.size() && IsNameChar(body[n]))
        ++n;
    const std::string_view name = body.substr(0, n);
    const std::string_view rest = TrimBlanks(body.substr(n));
    auto &conditionals = m_sources.back().conditionals;

    if (name == "ifdef" || name == "ifndef") {
        const bool parentActive = Active();
        bool active = false;
        if (parentActive) {
            const bool oneName = !rest.empty() && IsNameStart(rest[0]) &&
                                 std::all_of(rest.begin(), rest.end(), IsNameChar);
            if (!oneName)
                return ErrorAt(t, "'#" + t.text + "' needs one name");
            active = m_defines.contains(rest) == (name == "ifdef");
        }
        conditionals.push_back({t, active, parentActive});
        return {};
    }
    if (name == "else") {
        if (conditionals.empty() || conditionals.back().sawElse)
            return ErrorAt(t, "#else without #ifdef");
        conditionals.back().active =
            conditionals.back().parentActive && !conditionals.back().active;
        conditionals.back().sawElse = true;
        return {};
    }
    if (name == "endif") {
        if (conditionals.empty())
            return ErrorAt(t, "#endif without #ifdef");
        conditionals.pop_back();
        return {};
    }
    if (!Active())
        return {};
    if (name == "include")
        return Include(t, rest);
    if (name == "define")
        return DefineMacro(t, rest);
    return ErrorAt(t, "unsupported directive '#" + t.text + "'");
}

Token Preprocessor::Include(const Token &t, std::string_view what) {
    const std::string quoted = "\"" + std::string(kHeaderName) + "\"";
    if (what == quoted) {
        // Only the script includes; the header including itself would not end.
        if (m_sources.size() > 1)
            return ErrorAt(t, "#include inside " + quoted);
        m_sources.push_back({Lexer(kHeaderName, m_header), {}});
        return {};
    }
    if (what.starts_with("<"))
        return ErrorAt(t, "cannot read " + std::string(what) + "; leave it out with #ifndef " +
                              std::string(kReaderMacro));
    return ErrorAt(t, "cannot include " + std::string(what) + "; only " + quoted + " is known");
}

Token Preprocessor::DefineMacro(const Token &t, std::string_view what) {
    std::size_t n = 0;
    while (n < what.size() && IsNameChar(what[n]))
        ++n;
    if (n == 0 || !IsNameStart(what[0]))
        return ErrorAt(t, "#define needs a name");
    if (n < what.size() && what[n] == '(')
        return ErrorAt(t, "macros with arguments are not supported");
    const std::string name(what.substr(0, n));
    const std::string value(TrimBlanks(what.substr(n)));
    const auto [it, added] = m_defines.try_emplace(name, Define{value, t.file, t.line});
    if (!added && it->second.value != value)
        return ErrorAt(t, name + " is defined again with another value");
    return {};
}

// Replaces a macro's name by the tokens of its value, read where the
// #define stands so that a fault in it names that line. Macros whose values
// name others twice over grow as powers of two: the tokens a script's
// macros may give in all are bounded, so that such a script fails at once.
Token Preprocessor::Expand(const Pending &name) {
    const Define &define = m_defines.find(name.token.text)->second;
    std::vector<std::string> from = name.from;
    from.push_back(name.token.text);
    Lexer lexer(define.file, define.value, define.line, false);
    std::vector<Pending> tokens;
    for (Token t = lexer.Next(); t.kind != TokenKind::End; t = lexer.Next()) {
        if (t.kind == TokenKind::Error)
            return t;
        tokens.push_back({std::move(t), from});
    }
    m_expanded += tokens.size();
    if (m_expanded > kMaxExpandedTokens)
        return ErrorAt(name.token, "macros give more than " + std::to_string(kMaxExpandedTokens) +
                                       " tokens (does a macro name another twice over?)");
    m_pending.insert(m_pending.begin(), tokens.begin(), tokens.end());
    return {};
}

} // namespace res
