#include "platform/tui/canvas.h"

#include <algorithm>

namespace tui {

char32_t FromAnsi(unsigned char c) {
    // 0x80..0x9F of Windows-1252; the five unassigned codes show as '?'.
    static const char32_t kHigh[32] = {
        U'\u20AC', U'?',      U'\u201A', U'\u0192', U'\u201E', U'\u2026', U'\u2020', U'\u2021',
        U'\u02C6', U'\u2030', U'\u0160', U'\u2039', U'\u0152', U'?',      U'\u017D', U'?',
        U'?',      U'\u2018', U'\u2019', U'\u201C', U'\u201D', U'\u2022', U'\u2013', U'\u2014',
        U'\u02DC', U'\u2122', U'\u0161', U'\u203A', U'\u0153', U'?',      U'\u017E', U'\u0178',
    };
    if (c < 0x20 || c == 0x7F)
        return U' '; // control characters take a cell but show nothing
    if (c >= 0x80 && c < 0xA0)
        return kHigh[c - 0x80];
    return c;
}

char32_t LineGlyph(std::uint8_t lines) {
    const bool up = lines & kUp, down = lines & kDown, left = lines & kLeft, right = lines & kRight;
    const bool vertical = up || down, horizontal = left || right;
    if (!horizontal)
        return U'\u2502';
    if (!vertical)
        return U'\u2500';
    if (up && down)
        return left && right ? U'\u253C' : left ? U'\u2524' : U'\u251C';
    if (left && right)
        return down ? U'\u252C' : U'\u2534';
    if (down)
        return right ? U'\u250C' : U'\u2510';
    return right ? U'\u2514' : U'\u2518';
}

Rect Union(const Rect &a, const Rect &b) {
    const int x = std::min(a.x, b.x), y = std::min(a.y, b.y);
    return {x, y, std::max(a.Right(), b.Right()) - x, std::max(a.Bottom(), b.Bottom()) - y};
}

Canvas::Canvas(int width, int height)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)),
      m_cells(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height)),
      m_clip{0, 0, m_width, m_height} {}

void Canvas::Put(int x, int y, char32_t ch, Paint paint, std::uint8_t attrs) {
    if (!Drawable(x, y))
        return;
    m_cells[Index(x, y)] = Cell{ch, 0, attrs, paint};
}

void Canvas::Set(int x, int y, const Cell &cell) {
    if (Drawable(x, y))
        m_cells[Index(x, y)] = cell;
}

void Canvas::Fill(const Rect &r, Paint paint) {
    for (int y = r.y; y < r.Bottom(); ++y)
        for (int x = r.x; x < r.Right(); ++x)
            Put(x, y, U' ', paint);
}

int Canvas::Text(int x, int y, std::string_view text, Paint paint, int maxWidth,
                 std::uint8_t attrs) {
    const int n = std::min(static_cast<int>(text.size()), std::max(maxWidth, 0));
    for (int i = 0; i < n; ++i)
        Put(x + i, y, FromAnsi(static_cast<unsigned char>(text[static_cast<std::size_t>(i)])),
            paint, attrs);
    return n;
}

void Canvas::AddLines(int x, int y, std::uint8_t lines, Paint paint) {
    if (!Drawable(x, y))
        return;
    Cell &cell = m_cells[Index(x, y)];
    cell.lines = static_cast<std::uint8_t>(cell.lines | lines);
    cell.ch = LineGlyph(cell.lines);
    cell.attrs = 0;
    cell.paint = paint;
}

// A straight line of cells; its inner ends join what lies next to them.
void Canvas::LineRun(int x, int y, int length, bool horizontal, Paint paint) {
    const std::uint8_t back = horizontal ? kLeft : kUp, ahead = horizontal ? kRight : kDown;
    for (int i = 0; i < length; ++i) {
        std::uint8_t bits = 0;
        if (i > 0)
            bits |= back;
        if (i + 1 < length)
            bits |= ahead;
        AddLines(horizontal ? x + i : x, horizontal ? y : y + i,
                 bits ? bits : static_cast<std::uint8_t>(back | ahead), paint);
    }
}

void Canvas::HLine(int x, int y, int length, Paint paint) {
    LineRun(x, y, length, true, paint);
}
void Canvas::VLine(int x, int y, int length, Paint paint) {
    LineRun(x, y, length, false, paint);
}

void Canvas::Box(const Rect &r, Paint paint) {
    if (r.w < 2 || r.h < 2)
        return;
    HLine(r.x, r.y, r.w, paint);
    HLine(r.x, r.Bottom() - 1, r.w, paint);
    VLine(r.x, r.y, r.h, paint);
    VLine(r.Right() - 1, r.y, r.h, paint);
}

void Canvas::AddAttrs(int x, int y, std::uint8_t attrs) {
    if (Drawable(x, y))
        m_cells[Index(x, y)].attrs = static_cast<std::uint8_t>(m_cells[Index(x, y)].attrs | attrs);
}

std::vector<std::string> Canvas::Rows() const {
    std::vector<std::string> rows;
    for (int y = 0; y < m_height; ++y) {
        std::string row;
        for (int x = 0; x < m_width; ++x)
            AppendUtf8(&row, At(x, y).ch);
        rows.push_back(std::move(row));
    }
    return rows;
}

void AppendUtf8(std::string *out, char32_t ch) {
    const auto c = static_cast<std::uint32_t>(ch);
    if (c < 0x80) {
        out->push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (c >> 6)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | (c >> 12)));
        out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | (c >> 18)));
        out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

} // namespace tui
