// Share names for printers: short, and taken from the printer's own name.
#pragma once

#include <string>
#include <string_view>

// The part of the name before its first blank, followed by the character
// before a closing ")" that ends the name: "Office Laser (2)" -> "Office2".
std::string PrinterShareName(std::string_view printerName);

// The name of the one retry after a refusal: cut to 10 characters when it
// has 12 or more, then "A" appended.
std::string RetryShareName(std::string_view shareName);
