#include "platform/tui/screen_view.h"

#include "platform/tui/dialog_view.h"
#include "platform/tui/key_line.h"

#include <algorithm>

namespace tui {

namespace {

// What the view brings into sight: the focused button of the message box or
// control of the active dialog; the dialog's frame (its top first, when it is
// taller than the screen) while it keeps its top in sight or has no focus.
Rect FocusRect(const ScreenRequest &request, const Screen &screen) {
    if (screen.box) {
        const auto &cells = screen.box->buttonCells;
        const auto focus = static_cast<std::size_t>(request.boxFocus);
        return focus < cells.size() ? cells[focus] : screen.box->frame.frame;
    }
    const ScreenRequest::Dialog &top = request.dialogs.back();
    const WindowFrame &frame = screen.dialogFrames.back();
    const int focus = top.state->focus;
    if (top.window->iconic || top.state->showTop || focus < 0 ||
        focus >= static_cast<int>(top.window->controls.size()))
        return frame.frame;
    const Rect area = LayoutDialog(*top.window)[static_cast<std::size_t>(focus)].area;
    return Offset(area, frame.client.x, frame.client.y);
}

// A placed window moved by the person (moveX, moveY), kept on the screen
// when it fits; the cells it moves by are added to *dx and *dy.
void Move(WindowFrame &frame, int moveX, int moveY, int cols, int rows, int *dx, int *dy) {
    *dx = std::clamp(frame.frame.x + moveX, 0, std::max(cols - frame.frame.w, 0)) - frame.frame.x;
    *dy = std::clamp(frame.frame.y + moveY, 0, std::max(rows - frame.frame.h, 0)) - frame.frame.y;
    frame.frame = Offset(frame.frame, *dx, *dy);
    frame.client = Offset(frame.client, *dx, *dy);
}

WindowFrame Moved(WindowFrame frame, const DialogState &state, int cols, int rows) {
    int dx = 0, dy = 0;
    Move(frame, state.moveX, state.moveY, cols, rows, &dx, &dy);
    return frame;
}

void DrawTooSmall(Canvas &canvas) {
    canvas.Fill({0, 0, canvas.Width(), canvas.Height()}, Paint::Desktop);
    canvas.Text(0, 0, "Enlarge the terminal", Paint::Hint, canvas.Width());
}

// The screen cell of the active window's top-left corner, where its system
// menu hangs from.
void CaptionOnScreen(const View &view, int *x, int *y) {
    *x = view.active.x - view.x0;
    *y = view.pinned ? 0 : view.active.y - view.y0;
}

// Lays the windows out on the rows above the key line and returns the size
// of a scene large enough for all of them.
Size PlaceWindows(const ScreenRequest &request, int cols, int rows, Screen &screen) {
    Size scene{cols, rows};
    auto grow = [&scene](const Rect &frame) {
        scene.w = std::max(scene.w, frame.Right());
        scene.h = std::max(scene.h, frame.Bottom());
    };
    int minimized = 0;
    for (const ScreenRequest::Dialog &d : request.dialogs) {
        const WindowFrame frame =
            d.window->iconic
                ? MinimizedFrame(minimized++, cols, rows)
                : Moved(PlaceWindow(ClientCells(d.window->tmpl), cols, rows), *d.state, cols, rows);
        screen.dialogFrames.push_back(frame);
        grow(frame.frame);
    }
    if (request.box) {
        screen.box = LayoutMessageBox(*request.box, cols, rows);
        int dx = 0, dy = 0;
        Move(screen.box->frame, request.boxMoveX, request.boxMoveY, cols, rows, &dx, &dy);
        for (Rect &cell : screen.box->buttonCells)
            cell = Offset(cell, dx, dy);
        grow(screen.box->frame.frame);
    }
    return scene;
}

// The dialogs bottom to top and the message box over them; only the top one
// is drawn active.
Canvas DrawScene(const ScreenRequest &request, const Screen &screen, Size size) {
    Canvas scene(size.w, size.h);
    for (std::size_t i = 0; i < request.dialogs.size(); ++i) {
        const bool active = !request.box && i + 1 == request.dialogs.size();
        DrawDialog(scene, *request.dialogs[i].window, screen.dialogFrames[i],
                   *request.dialogs[i].state, active);
    }
    if (screen.box)
        DrawMessageBox(scene, *screen.box, request.box->caption, request.boxFocus);
    return scene;
}

View ChooseView(const ScreenRequest &request, const Screen &screen, int cols, int rows) {
    const Rect active = screen.box ? screen.box->frame.frame : screen.dialogFrames.back().frame;
    const View view = MakeView(cols, rows, active, request.wantX, request.wantY);
    if (!request.revealFocus)
        return view;
    int wantX = 0, wantY = 0;
    Reveal(view, FocusRect(request, screen), &wantX, &wantY);
    return MakeView(cols, rows, active, wantX, wantY);
}

void ShowView(const Canvas &scene, Screen &screen) {
    const View &view = screen.view;
    for (int sy = 0; sy < view.ContentRows(); ++sy) {
        for (int sx = 0; sx < view.cols; ++sx) {
            const int x = view.SceneX(sx), y = view.SceneY(sy);
            if (scene.Inside(x, y))
                screen.canvas.Set(sx, sy, scene.At(x, y));
        }
    }
}

// The hint line when part of the active window is out of sight, then the
// key line on the bottom row.
void DrawBottomRows(const ScreenRequest &request, Screen &screen) {
    const int cols = screen.view.cols, rows = screen.view.rows;
    if (screen.view.hint) {
        screen.canvas.Fill({0, rows - 1, cols, 1}, Paint::Hint);
        screen.canvas.Text(0, rows - 1, HintText(screen.view), Paint::Hint, cols);
    }
    screen.canvas.Fill({0, rows, cols, 1}, Paint::KeyLine);
    screen.canvas.Text(0, rows, KeyLine(request), Paint::KeyLine, cols);
}

// The open system menu, hanging from the active window's caption.
void DrawOpenMenu(const ScreenRequest &request, Screen &screen) {
    int x = 0, y = 0;
    CaptionOnScreen(screen.view, &x, &y);
    screen.menu = LayoutMenu(*request.menu, x, y + 1, screen.view.cols, screen.view.rows);
    DrawMenu(screen.canvas, screen.menu, *request.menu, request.menuSelected);
}

} // namespace

Screen ComposeScreen(const ScreenRequest &request) {
    Screen screen;
    screen.canvas = Canvas(request.cols, request.rows);
    if (request.cols < kMinCols || request.rows < kMinRows ||
        (request.dialogs.empty() && !request.box)) {
        DrawTooSmall(screen.canvas);
        return screen;
    }
    // The windows live on the rows above the key line.
    const int cols = request.cols, rows = request.rows - 1;
    const Size size = PlaceWindows(request, cols, rows, screen);
    const Canvas scene = DrawScene(request, screen, size);
    screen.view = ChooseView(request, screen, cols, rows);
    ShowView(scene, screen);
    DrawBottomRows(request, screen);
    if (request.menu)
        DrawOpenMenu(request, screen);
    return screen;
}

} // namespace tui
