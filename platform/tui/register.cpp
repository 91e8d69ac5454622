// Offers the terminal driver to the window manager, which does not link
// against the terminal library itself.
#include "platform/tui/tui_driver.h"

namespace {

const bool registered = (ui::SetTerminalDriverFactory(&tui::MakeTerminalDriver), true);

} // namespace
