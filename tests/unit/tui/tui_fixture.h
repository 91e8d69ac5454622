// Windows of the program's templates, for drawing and key tests without a
// terminal.
#pragma once

#include "platform/framework.h"
#include "platform/tui/canvas.h"
#include "platform/user32/window_manager.h"
#include "res/resource.h"
#include "res/templates.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tuitest {

// A dialog window made from one of the program's templates by the window
// manager itself, gone again with the object.
struct TemplateWindow {
    explicit TemplateWindow(int templateId)
        : dialog(static_cast<UINT>(templateId)),
          window(ui::CreateDialogWindow(*res::FindDialog(templateId), dialog, nullptr)) {}
    ~TemplateWindow() { ui::DestroyDialogWindow(window); }
    TemplateWindow(const TemplateWindow &) = delete;
    TemplateWindow &operator=(const TemplateWindow &) = delete;

    CDialog dialog;
    ui::Window &window;
};

inline ui::Control &Control(ui::Window &window, int id) {
    ui::Control *c = window.FindControl(id);
    EXPECT_NE(c, nullptr) << "no control " << id;
    return *c;
}

inline int IndexOf(const ui::Window &window, int id) {
    for (std::size_t i = 0; i < window.controls.size(); ++i)
        if (window.controls[i].id == id)
            return static_cast<int>(i);
    ADD_FAILURE() << "no control " << id;
    return -1;
}

// n cells of a canvas row from x, as UTF-8.
inline std::string Cells(const tui::Canvas &canvas, int x, int y, int n) {
    std::string out;
    for (int i = 0; i < n; ++i)
        tui::AppendUtf8(&out, canvas.At(x + i, y).ch);
    return out;
}

// The canvas as one string, rows joined by newlines.
inline std::string Text(const tui::Canvas &canvas) {
    std::string all;
    for (const std::string &row : canvas.Rows())
        all += row + "\n";
    return all;
}

} // namespace tuitest
