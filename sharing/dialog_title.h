// The sharing dialog's window title: the vendor name from the card's driver
// INF file followed by " File and Printer Sharing Selection". The apply
// sequence reads it again after the dialog has been confirmed.
#pragma once

#include <cstddef>

constexpr std::size_t kTitleBufferSize = 120;
extern char g_titleBuffer[kTitleBufferSize];

// Builds the title into g_titleBuffer, cut to the buffer when too long.
void BuildDialogTitle();
