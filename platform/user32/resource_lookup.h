// The templates, strings and icons the window manager serves: the program's
// own resource script, or one a test gives.
#pragma once

#include "res/templates.h"

namespace ui {

// Null goes back to the program's own resources (res::Resources()). The
// script must outlive its use.
void UseResources(const res::ResourceScript *script);
const res::ResourceScript &CurrentResources();
const res::DialogTemplate *FindTemplate(int id);

} // namespace ui
