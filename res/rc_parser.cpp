// The statements of the resource language that the script uses: LANGUAGE,
// DIALOG with STYLE / CAPTION / FONT and CONTROL, STRINGTABLE and ICON.
// Styles come out as windres makes them, so that the renderers show what
// the Windows build compiles.
#include "res/rc_names.h"
#include "res/rc_preprocessor.h"
#include "res/templates.h"

#include "platform/api.h"

#include <algorithm>
#include <array>

namespace res {
namespace {

constexpr auto kChild = static_cast<std::uint32_t>(WS_CHILD);
constexpr auto kVisible = static_cast<std::uint32_t>(WS_VISIBLE);
constexpr auto kCaption = static_cast<std::uint32_t>(WS_CAPTION);
constexpr auto kSetFont = static_cast<std::uint32_t>(DS_SETFONT);
// A dialog without STYLE gets these; a STYLE statement replaces them.
constexpr auto kDefaultDialogStyle = static_cast<std::uint32_t>(WS_POPUP | WS_BORDER | WS_SYSMENU);

// The classes the resource compiler stores as predefined atoms.
constexpr std::array<std::string_view, 6> kClasses = {"BUTTON",  "EDIT",      "STATIC",
                                                      "LISTBOX", "SCROLLBAR", "COMBOBOX"};

constexpr int kMaxNesting = 64;

class Parser {
  public:
    Parser(std::string_view script, std::string_view header) : m_pp(script, header) { Advance(); }

    bool Script(ResourceScript *out);
    const std::string &Error() const { return m_error; }

  private:
    void Advance() { m_tok = m_pp.Next(); }
    // A fault at the current token; a lexer or preprocessor fault there wins.
    bool Fail(const std::string &what) {
        m_error = m_tok.kind == TokenKind::Error ? m_tok.text : ErrorAt(m_tok, what).text;
        return false;
    }
    bool FailAt(const Token &t, const std::string &what) {
        m_error = ErrorAt(t, what).text;
        return false;
    }
    bool Expected(const std::string &what) {
        return Fail("expected " + what + " but found " + m_tok.Describe());
    }
    bool Punct(char c) {
        if (!m_tok.Is(TokenKind::Punct, std::string(1, c)))
            return false;
        Advance();
        return true;
    }
    bool Expect(char c) { return Punct(c) || Expected(std::string("'") + c + "'"); }
    bool Keyword(std::string_view k) {
        if (!m_tok.Is(TokenKind::Name, k))
            return false;
        Advance();
        return true;
    }
    bool BlockOpen() { return Keyword("BEGIN") || Punct('{') || Expected("BEGIN"); }
    bool BlockClose() { return Keyword("END") || Punct('}'); }

    bool Term(std::int64_t *value);
    bool Expr(std::int64_t *value);
    bool Style(std::uint32_t *style);
    bool Ranged(std::int64_t low, std::int64_t high, const std::string &what, int *out);
    bool Word(const std::string &what, int *out);
    bool Rect(int *x, int *y, int *cx, int *cy);
    bool Text(std::string *out);

    bool Language();
    bool StringTable(ResourceScript *out);
    bool Dialog(const Token &start, int id, ResourceScript *out);
    bool Control(DialogTemplate *dialog);
    bool Icon(const Token &start, int id, ResourceScript *out);

    Preprocessor m_pp;
    Token m_tok;
    std::string m_error;
    int m_nesting = 0;
};

bool Parser::Script(ResourceScript *out) {
    while (m_tok.kind != TokenKind::End) {
        if (Keyword("LANGUAGE")) {
            if (!Language())
                return false;
        } else if (Keyword("STRINGTABLE")) {
            if (!StringTable(out))
                return false;
        } else {
            const Token start = m_tok;
            int id = 0;
            if (!Word("resource id", &id))
                return false;
            if (Keyword("DIALOG")) {
                if (!Dialog(start, id, out))
                    return false;
            } else if (Keyword("ICON")) {
                if (!Icon(start, id, out))
                    return false;
            } else {
                return Expected("DIALOG or ICON");
            }
        }
    }
    return true;
}

bool Parser::Term(std::int64_t *value) {
    if (m_nesting > kMaxNesting)
        return Fail("expression nested too deeply");
    ++m_nesting;
    bool ok = false;
    if (Punct('-')) {
        ok = Term(value);
        *value = -*value;
    } else if (Punct('(')) {
        ok = Expr(value) && Expect(')');
    } else if (m_tok.kind == TokenKind::Number) {
        *value = m_tok.number;
        Advance();
        ok = true;
    } else if (m_tok.kind == TokenKind::Name) {
        // Macros are replaced already: what is left must be a Windows name.
        const auto known = WindowsName(m_tok.text);
        if (known) {
            *value = *known;
            Advance();
            ok = true;
        } else {
            Fail("unknown name '" + m_tok.text + "'");
        }
    } else {
        Expected("a number");
    }
    --m_nesting;
    return ok;
}

bool Parser::Expr(std::int64_t *value) {
    if (!Term(value))
        return false;
    while (Punct('|')) {
        std::int64_t more = 0;
        if (!Term(&more))
            return false;
        *value |= more;
    }
    return true;
}

// Terms joined by '|' set bits, "NOT term" clears them, from *style on.
bool Parser::Style(std::uint32_t *style) {
    do {
        const bool clear = Keyword("NOT");
        std::int64_t value = 0;
        if (!Term(&value))
            return false;
        const auto bits = static_cast<std::uint32_t>(value);
        *style = clear ? *style & ~bits : *style | bits;
    } while (Punct('|'));
    return true;
}

bool Parser::Ranged(std::int64_t low, std::int64_t high, const std::string &what, int *out) {
    const Token start = m_tok;
    std::int64_t value = 0;
    if (!Expr(&value))
        return false;
    if (value < low || value > high)
        return FailAt(start, what + " " + std::to_string(value) + " is out of range");
    *out = static_cast<int>(value);
    return true;
}

// A 16-bit value as the compiler stores it: -1 becomes 65535.
bool Parser::Word(const std::string &what, int *out) {
    if (!Ranged(-32768, 65535, what, out))
        return false;
    *out &= 0xFFFF;
    return true;
}

bool Parser::Rect(int *x, int *y, int *cx, int *cy) {
    const std::string what = "coordinate";
    return Ranged(-32768, 32767, what, x) && Expect(',') && Ranged(-32768, 32767, what, y) &&
           Expect(',') && Ranged(-32768, 32767, what, cx) && Expect(',') &&
           Ranged(-32768, 32767, what, cy);
}

bool Parser::Text(std::string *out) {
    if (m_tok.kind != TokenKind::String)
        return Expected("a string");
    *out = std::move(m_tok.text);
    Advance();
    return true;
}

// The language applies to the Windows build only: every resource here is
// English (United States). It is read so that a fault in it shows.
bool Parser::Language() {
    int language = 0;
    int sublanguage = 0;
    return Ranged(0, 0x3FF, "language", &language) && Expect(',') &&
           Ranged(0, 0x3F, "sublanguage", &sublanguage);
}

bool Parser::StringTable(ResourceScript *out) {
    if (!BlockOpen())
        return false;
    while (!BlockClose()) {
        const Token start = m_tok;
        int id = 0;
        std::string text;
        if (!Word("string id", &id))
            return false;
        Punct(','); // rc takes the comma or leaves it out
        if (!Text(&text))
            return false;
        if (!out->strings.emplace(id, std::move(text)).second)
            return FailAt(start, "string " + std::to_string(id) + " is defined twice");
    }
    return true;
}

bool Parser::Dialog(const Token &start, int id, ResourceScript *out) {
    DialogTemplate dialog;
    dialog.id = id;
    if (!Rect(&dialog.x, &dialog.y, &dialog.cx, &dialog.cy))
        return false;
    // As windres does: CAPTION and FONT add their bits also to a STYLE that
    // follows them; STYLE replaces the default style.
    dialog.style = kDefaultDialogStyle;
    std::uint32_t stated = 0;
    for (;;) {
        if (Keyword("STYLE")) {
            if (!Style(&stated))
                return false;
            dialog.style = stated;
        } else if (Keyword("CAPTION")) {
            if (!Text(&dialog.caption))
                return false;
            dialog.style |= kCaption;
            stated |= kCaption;
        } else if (Keyword("FONT")) {
            if (!Word("font size", &dialog.fontPoints) || !Expect(',') || !Text(&dialog.fontName))
                return false;
            dialog.style |= kSetFont;
            stated |= kSetFont;
        } else {
            break;
        }
    }
    if (!BlockOpen())
        return false;
    while (!BlockClose()) {
        if (!Keyword("CONTROL"))
            return Expected("CONTROL or END");
        if (!Control(&dialog))
            return false;
    }
    if (!out->dialogs.emplace(id, std::move(dialog)).second)
        return FailAt(start, "dialog " + std::to_string(id) + " is defined twice");
    return true;
}

// CONTROL text, id, class, style, x, y, cx, cy; the text may be a resource
// id (an icon's, for an SS_ICON static).
bool Parser::Control(DialogTemplate *dialog) {
    ControlTemplate control;
    if (m_tok.kind == TokenKind::String) {
        control.text = std::move(m_tok.text);
        Advance();
    } else {
        int ordinal = 0;
        if (!Word("resource id", &ordinal))
            return false;
        control.text = std::to_string(ordinal);
    }
    if (!Expect(',') || !Word("control id", &control.id) || !Expect(','))
        return false;
    const Token classToken = m_tok;
    if (!Text(&control.cls))
        return false;
    std::transform(control.cls.begin(), control.cls.end(), control.cls.begin(), [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    });
    if (std::find(kClasses.begin(), kClasses.end(), control.cls) == kClasses.end())
        return FailAt(classToken, "unknown control class \"" + classToken.text + "\"");
    control.style = kChild | kVisible;
    if (!Expect(',') || !Style(&control.style) || !Expect(',') ||
        !Rect(&control.x, &control.y, &control.cx, &control.cy))
        return false;
    dialog->controls.push_back(std::move(control));
    return true;
}

bool Parser::Icon(const Token &start, int id, ResourceScript *out) {
    std::string file;
    if (!Text(&file))
        return false;
    if (!out->icons.emplace(id, std::move(file)).second)
        return FailAt(start, "icon " + std::to_string(id) + " is defined twice");
    return true;
}

} // namespace

bool ParseResourceScript(std::string_view script, std::string_view header, ResourceScript *out,
                         std::string *error) {
    Parser parser(script, header);
    ResourceScript result;
    if (!parser.Script(&result)) {
        if (error)
            *error = parser.Error();
        return false;
    }
    *out = std::move(result);
    return true;
}

} // namespace res
