// Windows made straight from the program's templates, as the window manager
// makes them, for drawing and key tests without a terminal.
#pragma once

#include "platform/tui/canvas.h"
#include "platform/user/window.h"
#include "res/resource.h"
#include "res/templates.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tuitest {

inline ui::Window WindowFrom(int templateId) {
    ui::Window window;
    const res::DialogTemplate *tmpl = res::FindDialog(templateId);
    EXPECT_NE(tmpl, nullptr) << "no template " << templateId;
    if (!tmpl)
        return window;
    window.tmpl = *tmpl;
    window.title = tmpl->caption;
    window.hasSystemMenu = (tmpl->style & WS_SYSMENU) != 0;
    for (const res::ControlTemplate &t : tmpl->controls) {
        ui::Control c;
        c.id = t.id;
        c.cls = t.cls;
        c.style = t.style;
        c.x = t.x;
        c.y = t.y;
        c.cx = t.cx;
        c.cy = t.cy;
        c.text = t.text;
        window.controls.push_back(c);
    }
    return window;
}

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
