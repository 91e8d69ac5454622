#include "sharing/printer_share_name.h"

std::string PrinterShareName(std::string_view printerName) {
    std::string name(printerName.substr(0, printerName.find(' ')));
    const std::size_t length = printerName.size();
    if (length >= 2 && printerName[length - 1] == ')')
        name += printerName[length - 2];
    return name;
}

std::string RetryShareName(std::string_view shareName) {
    std::string name(shareName.size() >= 12 ? shareName.substr(0, 10) : shareName);
    name += 'A';
    return name;
}
