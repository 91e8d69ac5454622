// An off-screen grid of character cells that the dialog views draw into. The
// terminal shows a window of it; tests read it back as text. Box lines are
// kept as line masks so that lines meeting in a cell join (two group boxes
// sharing a row give tees, not a corner drawn over a line).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tui {

// What a cell shows, by role; the terminal maps roles to colours (or to plain
// attributes on a terminal without colours).
enum class Paint : std::uint8_t {
    Desktop,
    Face,        // dialog face and its texts
    Grey,        // disabled text on the face
    Caption,     // active caption bar
    CaptionIdle, // caption bar of a window below the active one
    Button,
    Focus, // the focused button's label, the focused radio's label
    List,
    ListSelected,
    Menu,
    MenuSelected,
    MenuGrey,
    MenuGreySelected,
    IconHand,
    Icon,
    Hint,
    KeyLine, // the terminal's own colours
};

enum Line : std::uint8_t { kUp = 1, kDown = 2, kLeft = 4, kRight = 8 };

// Attribute bits of a cell.
enum Attr : std::uint8_t { kUnderline = 1, kBold = 2 };

struct Cell {
    char32_t ch = U' ';
    std::uint8_t lines = 0; // Line bits; when set they decide the glyph
    std::uint8_t attrs = 0;
    Paint paint = Paint::Desktop;
};

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    int Right() const { return x + w; } // exclusive
    int Bottom() const { return y + h; }
    bool Contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

// The smallest rectangle holding both.
Rect Union(const Rect &a, const Rect &b);
inline Rect Offset(Rect r, int dx, int dy) {
    return {r.x + dx, r.y + dy, r.w, r.h};
}

// Glyphs the views use besides lines; the terminal has ASCII stand-ins.
inline constexpr char32_t kBullet = U'\u2022';
inline constexpr char32_t kArrowUp = U'\u25B2';
inline constexpr char32_t kArrowDown = U'\u25BC';
inline constexpr char32_t kShade = U'\u2591';
inline constexpr char32_t kBlock = U'\u2588';
inline constexpr char32_t kTimes = U'\u00D7';
inline constexpr char32_t kEllipsis = U'\u2026';
inline constexpr char32_t kSquare = U'\u25A3';

// A character of the program's ANSI code page (Windows-1252) as Unicode.
char32_t FromAnsi(unsigned char c);
// The box-drawing character of a line mask.
char32_t LineGlyph(std::uint8_t lines);

class Canvas {
  public:
    Canvas(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    const Cell &At(int x, int y) const { return m_cells[Index(x, y)]; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    // Drawing outside the clip rectangle is dropped (a window's contents
    // stay inside its client area).
    void SetClip(const Rect &clip) { m_clip = clip; }
    void ClearClip() { m_clip = {0, 0, m_width, m_height}; }

    void Put(int x, int y, char32_t ch, Paint paint, std::uint8_t attrs = 0);
    void Set(int x, int y, const Cell &cell);
    void Fill(const Rect &r, Paint paint);
    // Draws ANSI text from (x, y), at most maxWidth cells; returns cells used.
    int Text(int x, int y, std::string_view text, Paint paint, int maxWidth,
             std::uint8_t attrs = 0);
    // Adds line bits to a cell (joining lines already there).
    void AddLines(int x, int y, std::uint8_t lines, Paint paint);
    void HLine(int x, int y, int length, Paint paint);
    void VLine(int x, int y, int length, Paint paint);
    void Box(const Rect &r, Paint paint);
    // Sets attribute bits on the cell (underline of a mnemonic).
    void AddAttrs(int x, int y, std::uint8_t attrs);

    // The rows as UTF-8 text, trailing blanks kept; for tests and dumps.
    std::vector<std::string> Rows() const;

  private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
               static_cast<std::size_t>(x);
    }
    void LineRun(int x, int y, int length, bool horizontal, Paint paint);
    bool Drawable(int x, int y) const { return Inside(x, y) && m_clip.Contains(x, y); }
    int m_width;
    int m_height;
    std::vector<Cell> m_cells;
    Rect m_clip;
};

// Appends the UTF-8 form of a character.
void AppendUtf8(std::string *out, char32_t ch);

} // namespace tui
