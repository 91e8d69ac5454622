// Field-by-field comparison of two dialog templates, naming the control
// that differs.
#pragma once

#include "res/templates.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

inline void ExpectSameDialog(const res::DialogTemplate &got, const res::DialogTemplate &want) {
    SCOPED_TRACE("dialog " + std::to_string(want.id));
    EXPECT_EQ(got.id, want.id);
    EXPECT_EQ(got.style, want.style) << std::hex << got.style << " != " << want.style;
    EXPECT_EQ((std::vector{got.x, got.y, got.cx, got.cy}),
              (std::vector{want.x, want.y, want.cx, want.cy}));
    EXPECT_EQ(got.caption, want.caption);
    EXPECT_EQ(got.fontName, want.fontName);
    EXPECT_EQ(got.fontPoints, want.fontPoints);
    ASSERT_EQ(got.controls.size(), want.controls.size());
    for (std::size_t i = 0; i < want.controls.size(); ++i) {
        SCOPED_TRACE("control #" + std::to_string(i + 1));
        const res::ControlTemplate &g = got.controls[i];
        const res::ControlTemplate &w = want.controls[i];
        EXPECT_EQ(g.id, w.id);
        EXPECT_EQ(g.cls, w.cls);
        EXPECT_EQ(g.style, w.style) << std::hex << g.style << " != " << w.style;
        EXPECT_EQ((std::vector{g.x, g.y, g.cx, g.cy}), (std::vector{w.x, w.y, w.cx, w.cy}));
        EXPECT_EQ(g.text, w.text);
    }
}
