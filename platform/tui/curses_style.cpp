#include "platform/tui/curses_style.h"

#include <iterator>

namespace tui {

namespace {

// Colours of one paint: foreground and background on a 16-colour terminal,
// on an 8-colour one, and the attributes standing in for colour without any.
struct Look {
    short fg16, bg16;
    short fg8, bg8;
    attr_t extra8; // bold where it makes a bright colour on 8 colours
    attr_t mono;
};

constexpr short kGreyDark = 8, kWhiteBright = 15;
// The terminal's own foreground or background (curses' default colour).
constexpr short kTerminal = -1;

// Windows 95 colours: teal desktop, grey face, navy caption and selection,
// white list boxes. Indexed by Paint.
const Look kLooks[] = {
    {COLOR_BLACK, COLOR_CYAN, COLOR_BLACK, COLOR_CYAN, 0, A_NORMAL},                 // Desktop
    {COLOR_BLACK, COLOR_WHITE, COLOR_BLACK, COLOR_WHITE, 0, A_NORMAL},               // Face
    {kGreyDark, COLOR_WHITE, COLOR_BLACK, COLOR_WHITE, A_BOLD, A_DIM},               // Grey
    {kWhiteBright, COLOR_BLUE, COLOR_WHITE, COLOR_BLUE, A_BOLD, A_REVERSE | A_BOLD}, // Caption
    {COLOR_WHITE, kGreyDark, COLOR_WHITE, COLOR_BLACK, 0, A_REVERSE},                // CaptionIdle
    {COLOR_BLACK, COLOR_WHITE, COLOR_BLACK, COLOR_WHITE, 0, A_NORMAL},               // Button
    {kWhiteBright, COLOR_BLUE, COLOR_WHITE, COLOR_BLUE, A_BOLD, A_REVERSE},          // Focus
    {COLOR_BLACK, kWhiteBright, COLOR_BLACK, COLOR_WHITE, 0, A_NORMAL},              // List
    {kWhiteBright, COLOR_BLUE, COLOR_WHITE, COLOR_BLUE, A_BOLD, A_REVERSE},          // ListSelected
    {COLOR_BLACK, COLOR_WHITE, COLOR_BLACK, COLOR_WHITE, 0, A_NORMAL},               // Menu
    {kWhiteBright, COLOR_BLUE, COLOR_WHITE, COLOR_BLUE, A_BOLD, A_REVERSE},          // MenuSelected
    {kGreyDark, COLOR_WHITE, COLOR_BLACK, COLOR_WHITE, A_BOLD, A_DIM},               // MenuGrey
    {COLOR_WHITE, COLOR_BLUE, COLOR_WHITE, COLOR_BLUE, 0, A_REVERSE | A_DIM}, // MenuGreySelected
    {kWhiteBright, COLOR_RED, COLOR_WHITE, COLOR_RED, A_BOLD, A_REVERSE | A_BOLD}, // IconHand
    {COLOR_YELLOW, COLOR_BLUE, COLOR_YELLOW, COLOR_BLUE, A_BOLD, A_BOLD},          // Icon
    {COLOR_BLACK, COLOR_YELLOW, COLOR_BLACK, COLOR_YELLOW, 0, A_REVERSE},          // Hint
    {kTerminal, kTerminal, kTerminal, kTerminal, 0, A_NORMAL},                     // KeyLine
};
static_assert(std::size(kLooks) == static_cast<std::size_t>(Paint::KeyLine) + 1);

bool g_colour = false;
bool g_sixteen = false;

const Look &LookOf(Paint paint) {
    return kLooks[static_cast<std::size_t>(paint)];
}

} // namespace

void InitPalette() {
    g_colour =
        has_colors() && start_color() == OK && COLOR_PAIRS > static_cast<int>(std::size(kLooks));
    if (!g_colour)
        return;
    g_sixteen = COLORS >= 16;
    // Without the terminal's own colours, white on black stands in for them.
    const bool terminalColours = use_default_colors() == OK;
    auto colour = [terminalColours](short c, short standIn) {
        return c == kTerminal && !terminalColours ? standIn : c;
    };
    for (std::size_t i = 0; i < std::size(kLooks); ++i) {
        const Look &look = kLooks[i];
        init_pair(static_cast<short>(i + 1), colour(g_sixteen ? look.fg16 : look.fg8, COLOR_WHITE),
                  colour(g_sixteen ? look.bg16 : look.bg8, COLOR_BLACK));
    }
}

attr_t CellAttributes(const Cell &cell) {
    const Look &look = LookOf(cell.paint);
    attr_t attrs = 0;
    if (g_colour) {
        attrs = static_cast<attr_t>(COLOR_PAIR(static_cast<int>(cell.paint) + 1));
        if (!g_sixteen)
            attrs |= look.extra8;
        // Bold black reads as grey on many terminals: keep black text plain.
        const short fg = g_sixteen ? look.fg16 : look.fg8;
        if ((cell.attrs & kBold) && fg != COLOR_BLACK)
            attrs |= A_BOLD;
    } else {
        attrs = look.mono;
        if (cell.attrs & kBold)
            attrs |= A_BOLD;
    }
    if (cell.attrs & kUnderline)
        attrs |= A_UNDERLINE;
    return attrs;
}

chtype NarrowGlyph(const Cell &cell) {
    if (cell.lines) {
        switch (cell.lines) {
        case kLeft | kRight:
        case kLeft:
        case kRight:
            return ACS_HLINE;
        case kUp | kDown:
        case kUp:
        case kDown:
            return ACS_VLINE;
        case kDown | kRight:
            return ACS_ULCORNER;
        case kDown | kLeft:
            return ACS_URCORNER;
        case kUp | kRight:
            return ACS_LLCORNER;
        case kUp | kLeft:
            return ACS_LRCORNER;
        case kUp | kDown | kRight:
            return ACS_LTEE;
        case kUp | kDown | kLeft:
            return ACS_RTEE;
        case kDown | kLeft | kRight:
            return ACS_TTEE;
        case kUp | kLeft | kRight:
            return ACS_BTEE;
        default:
            return ACS_PLUS;
        }
    }
    switch (cell.ch) {
    case kBullet:
        return '*';
    case kArrowUp:
        return ACS_UARROW;
    case kArrowDown:
        return ACS_DARROW;
    case kShade:
        return ACS_CKBOARD;
    case kBlock:
        return ACS_BLOCK;
    case kTimes:
        return 'x';
    case kEllipsis:
        return '~';
    case kSquare:
        return '#';
    default:
        return cell.ch < 0x80 ? static_cast<chtype>(cell.ch) : '?';
    }
}

} // namespace tui
