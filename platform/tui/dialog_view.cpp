#include "platform/tui/dialog_view.h"

#include "platform/tui/button_view.h"
#include "platform/tui/dialog_nav.h"
#include "platform/tui/frame_view.h"
#include "platform/tui/text_layout.h"

#include <algorithm>

namespace tui {

namespace {

using Kind = ui::ControlKind;

Label LabelOf(const ui::Control &c) {
    const bool prefix = c.Kind() != Kind::Text || (c.style & SS_NOPREFIX) == 0;
    return ParseMnemonic(c.text, prefix);
}

int Len(const std::string &s) {
    return static_cast<int>(s.size());
}

// A push button shows "[label]" at least; a narrower rectangle is widened
// about its middle.
Rect PushSpan(const ui::Control &c, int labelLength) {
    const Rect r = ControlCells(c);
    const int need = labelLength + 2;
    const int row = ControlTextRow(c);
    if (r.w >= need)
        return {r.x, row, r.w, 1};
    return {r.x - (need - r.w) / 2, row, need, 1};
}

int ListTop(const DialogState &state, int index) {
    const auto it = state.listTop.find(index);
    return it == state.listTop.end() ? 0 : it->second;
}

int Caret(const DialogState &state, int index) {
    const auto it = state.caret.find(index);
    return it == state.caret.end() ? 0 : it->second;
}

// The vertical scroll bar of a bordered list box sits on its right border,
// shown only when the entries do not fit.
struct ScrollBar {
    bool shown = false;
    int x = 0, first = 0, last = 0; // arrow rows, client-relative
    int thumb = 0;
};

ScrollBar ScrollBarOf(const ui::Control &c, int top) {
    const Rect r = ControlCells(c);
    const Rect e = ListEntries(c);
    const int count = static_cast<int>(c.items.size());
    ScrollBar bar;
    bar.shown = (c.style & WS_VSCROLL) && (c.style & WS_BORDER) && e.h >= 2 && count > e.h;
    if (!bar.shown)
        return bar;
    bar.x = r.Right() - 1;
    bar.first = e.y;
    bar.last = e.Bottom() - 1;
    const int track = e.h - 2;
    bar.thumb = track > 0 ? e.y + 1 + (track - 1) * top / std::max(count - e.h, 1) : -1;
    return bar;
}

void DrawPushButton(Canvas &canvas, const ui::Control &c, int ox, int oy, bool focused,
                    bool isDefault) {
    const Label label = LabelOf(c);
    const Paint paint = !c.Enabled() ? Paint::Grey : focused ? Paint::Focus : Paint::Button;
    DrawButton(canvas, Offset(PushSpan(c, Len(label.text)), ox, oy), label, paint, isDefault);
}

void DrawCheckOrRadio(Canvas &canvas, const ui::Control &c, int ox, int oy, bool focused) {
    const bool radio = c.Kind() == Kind::RadioButton;
    const Rect r = ControlCells(c);
    const int x = ox + r.x, y = oy + ControlTextRow(c);
    const bool checked = c.check == BST_CHECKED;
    const Paint face = c.Enabled() ? Paint::Face : Paint::Grey;
    canvas.Put(x, y, radio ? U'(' : U'[', face);
    canvas.Put(x + 1, y, checked ? (radio ? kBullet : U'X') : U' ', face, kBold);
    canvas.Put(x + 2, y, radio ? U')' : U']', face);
    const Label label = LabelOf(c);
    const Paint paint = focused ? Paint::Focus : face;
    canvas.Text(x + 4, y, label.text, paint, Len(label.text));
    if (label.underline >= 0)
        canvas.AddAttrs(x + 4 + label.underline, y, kUnderline);
}

void DrawGroupBox(Canvas &canvas, const ui::Control &c, int ox, int oy) {
    const Rect r = Offset(ControlCells(c), ox, oy);
    canvas.Box(r, Paint::Face);
    Label label = LabelOf(c);
    if (label.text.empty())
        return;
    if (label.text.front() != ' ') { // a blank either side parts it from the line
        label.text = " " + label.text + " ";
        ++label.underline;
    }
    const std::string shown = FitBlanks(label.text, r.w - 2);
    canvas.Text(r.x + 1, r.y, shown, c.Enabled() ? Paint::Face : Paint::Grey, r.w - 2);
    if (label.underline > 0 && shown == label.text)
        canvas.AddAttrs(r.x + 1 + label.underline, r.y, kUnderline);
}

void DrawText(Canvas &canvas, const ui::Control &c, const ControlBox &box, int ox, int oy) {
    for (std::size_t i = 0; i < box.lines.size(); ++i)
        canvas.Text(ox + box.area.x, oy + box.area.y + static_cast<int>(i), box.lines[i],
                    c.Enabled() ? Paint::Face : Paint::Grey, box.area.w);
}

// A small picture of the application icon: a wall jack, its line, a computer.
void DrawIcon(Canvas &canvas, const ui::Control &c, int ox, int oy) {
    const Rect r = ControlCells(c);
    const int y = oy + r.y + (r.h - 1) / 2;
    const char32_t picture[] = {U'[', U'o', U']', U'\u2500', kSquare};
    int x = ox + r.x;
    for (char32_t ch : picture)
        canvas.Put(x++, y, ch, Paint::Icon);
}

void DrawListBox(Canvas &canvas, const ui::Control &c, int index, int ox, int oy,
                 const DialogState &state, bool focused) {
    const Rect r = Offset(ControlCells(c), ox, oy);
    const Rect e = Offset(ListEntries(c), ox, oy);
    canvas.Fill(r, Paint::List);
    if (c.style & WS_BORDER)
        canvas.Box(r, Paint::List);
    const int count = static_cast<int>(c.items.size());
    const int top = ListTop(state, index);
    const int caret = Caret(state, index);
    for (int k = 0; k < e.h; ++k) {
        const int entry = top + k;
        const bool caretRow = focused && (entry == caret || (count == 0 && k == 0));
        if (entry < count) {
            const std::string &text = c.items[static_cast<std::size_t>(entry)];
            const Paint paint = !c.Enabled()           ? Paint::Grey
                                : entry == c.selection ? Paint::ListSelected
                                                       : Paint::List;
            canvas.Fill({e.x, e.y + k, e.w, 1}, paint);
            const bool cut = Len(text) > e.w;
            const int used = canvas.Text(e.x, e.y + k, text, paint, cut ? e.w - 1 : e.w);
            if (cut)
                canvas.Put(e.x + used, e.y + k, kEllipsis, paint);
        }
        if (caretRow)
            for (int x = e.x; x < e.Right(); ++x)
                canvas.AddAttrs(x, e.y + k, kUnderline);
    }
    const ScrollBar bar = ScrollBarOf(c, top);
    if (!bar.shown)
        return;
    for (int y = bar.first + 1; y < bar.last; ++y)
        canvas.Put(ox + bar.x, oy + y, y == bar.thumb ? kBlock : kShade, Paint::List);
    canvas.Put(ox + bar.x, oy + bar.first, kArrowUp, Paint::List);
    canvas.Put(ox + bar.x, oy + bar.last, kArrowDown, Paint::List);
}

} // namespace

std::vector<ControlBox> LayoutDialog(const ui::Window &window) {
    std::vector<ControlBox> boxes;
    std::vector<std::size_t> texts;
    for (const ui::Control &c : window.controls) {
        const Rect r = ControlCells(c);
        ControlBox box{r, ControlTextRow(c), {}};
        switch (c.Kind()) {
        case Kind::PushButton:
            box.area = Union(r, PushSpan(c, Len(LabelOf(c).text)));
            break;
        case Kind::CheckBox:
        case Kind::RadioButton:
            box.area = Union(r, {r.x, box.row, 4 + Len(LabelOf(c).text), 1});
            break;
        case Kind::Text:
            box.lines = WrapText(LabelOf(c).text, r.w);
            if (c.Visible())
                texts.push_back(boxes.size());
            break;
        default:
            break;
        }
        boxes.push_back(std::move(box));
    }
    // Top to bottom, keeping for each column the first row below the texts
    // placed so far.
    std::stable_sort(texts.begin(), texts.end(), [&](std::size_t a, std::size_t b) {
        return boxes[a].area.y < boxes[b].area.y;
    });
    const int width = ClientCells(window.tmpl).w;
    std::vector<int> freeRow(static_cast<std::size_t>(std::max(width, 1)), 0);
    for (std::size_t i : texts) {
        ControlBox &box = boxes[i];
        const int first = std::clamp(box.area.x, 0, width - 1);
        const int end = std::clamp(box.area.Right(), first + 1, width);
        int top = box.area.y;
        for (int x = first; x < end; ++x)
            top = std::max(top, freeRow[static_cast<std::size_t>(x)]);
        const int lines = static_cast<int>(box.lines.size());
        for (int x = first; x < end; ++x)
            freeRow[static_cast<std::size_t>(x)] = top + lines;
        box.area.h = std::max(box.area.Bottom() - top, lines);
        box.area.y = top;
    }
    return boxes;
}

Rect ListEntries(const ui::Control &c) {
    const Rect r = ControlCells(c);
    if (!(c.style & WS_BORDER))
        return r;
    return {r.x + 1, r.y + 1, std::max(r.w - 2, 0), std::max(r.h - 2, 0)};
}

void SettleListTops(const ui::Window &window, DialogState &state) {
    for (std::size_t i = 0; i < window.controls.size(); ++i) {
        const ui::Control &c = window.controls[i];
        if (c.Kind() != Kind::ListBox)
            continue;
        const int index = static_cast<int>(i);
        const int rows = std::max(ListEntries(c).h, 1);
        const int count = static_cast<int>(c.items.size());
        int &top = state.listTop[index];
        const auto shown = state.lastShown.find(index);
        const bool changed = shown == state.lastShown.end() || shown->second != c.selection;
        if (c.selection != LB_ERR && changed) {
            top = std::min(top, c.selection);
            top = std::max(top, c.selection - rows + 1);
        }
        state.lastShown[index] = c.selection;
        top = std::clamp(top, 0, std::max(count - rows, 0));
        int &caret = state.caret[index];
        caret = c.selection != LB_ERR ? c.selection : std::clamp(caret, 0, std::max(count - 1, 0));
    }
}

void DrawDialog(Canvas &canvas, const ui::Window &window, const WindowFrame &frame,
                const DialogState &state, bool active) {
    DrawFrame(canvas, frame, window.title, {active, window.hasSystemMenu, true});
    if (window.iconic)
        return;
    canvas.SetClip(frame.client);
    const int ox = frame.client.x, oy = frame.client.y;
    const int focus = active ? state.focus : -1;
    const int defaultButton = DefaultButton(window, state.focus);
    const std::vector<ControlBox> boxes = LayoutDialog(window);
    // Group boxes first: they frame the controls drawn over them.
    for (const ui::Control &c : window.controls)
        if (c.Visible() && c.Kind() == Kind::GroupBox)
            DrawGroupBox(canvas, c, ox, oy);
    for (std::size_t i = 0; i < window.controls.size(); ++i) {
        const ui::Control &c = window.controls[i];
        const int index = static_cast<int>(i);
        if (!c.Visible())
            continue;
        switch (c.Kind()) {
        case Kind::PushButton:
            DrawPushButton(canvas, c, ox, oy, index == focus, index == defaultButton);
            break;
        case Kind::CheckBox:
        case Kind::RadioButton:
            DrawCheckOrRadio(canvas, c, ox, oy, index == focus);
            break;
        case Kind::ListBox:
            DrawListBox(canvas, c, index, ox, oy, state, index == focus);
            break;
        case Kind::Text:
            DrawText(canvas, c, boxes[i], ox, oy);
            break;
        case Kind::Icon:
            DrawIcon(canvas, c, ox, oy);
            break;
        case Kind::GroupBox:
        case Kind::Other:
            break;
        }
    }
    canvas.ClearClip();
}

DialogHit HitDialog(const ui::Window &window, const WindowFrame &frame, const DialogState &state,
                    int x, int y) {
    using Part = DialogHit::Part;
    if (window.hasSystemMenu && frame.MenuBox().Contains(x, y))
        return {Part::MenuBox};
    if (window.hasSystemMenu && frame.CloseBox().Contains(x, y))
        return {Part::CloseBox};
    if (!frame.client.Contains(x, y))
        return {};
    const int cx = x - frame.client.x, cy = y - frame.client.y;
    const std::vector<ControlBox> boxes = LayoutDialog(window);
    for (int i = static_cast<int>(window.controls.size()) - 1; i >= 0; --i) {
        const ui::Control &c = window.controls[static_cast<std::size_t>(i)];
        if (!CanFocus(c))
            continue;
        if (c.Kind() != Kind::ListBox) {
            if (boxes[static_cast<std::size_t>(i)].area.Contains(cx, cy))
                return {Part::Control, i};
            continue;
        }
        if (!ControlCells(c).Contains(cx, cy))
            continue;
        const int top = ListTop(state, i);
        const ScrollBar bar = ScrollBarOf(c, top);
        if (bar.shown && cx == bar.x && cy >= bar.first && cy <= bar.last) {
            const Part part = cy == bar.first  ? Part::ListUp
                              : cy == bar.last ? Part::ListDown
                              : cy < bar.thumb ? Part::ListPageUp
                              : cy > bar.thumb ? Part::ListPageDown
                                               : Part::Control;
            return {part, i};
        }
        const Rect e = ListEntries(c);
        const int entry = top + (cy - e.y);
        if (e.Contains(cx, cy) && entry < static_cast<int>(c.items.size()))
            return {Part::ListEntry, i, entry};
        return {Part::Control, i};
    }
    return {};
}

} // namespace tui
