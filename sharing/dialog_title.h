// The sharing dialog's window title: the vendor name from the card's driver
// INF file followed by " File and Printer Sharing Selection", built when the
// dialog opens.
#pragma once

#include <cstddef>

constexpr std::size_t kTitleBufferSize = 120;
extern char g_titleBuffer[kTitleBufferSize];

// Builds the title into g_titleBuffer, cut to the buffer when too long.
void BuildDialogTitle();
