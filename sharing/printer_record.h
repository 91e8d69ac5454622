// The test that lets a printer record of the enumeration into the table.
#pragma once

#include "platform/api.h"

// A printer attached to one of this computer's own ports, whose texts all
// lie in the block [begin, end): a port that starts "\\" or "X\" is a path
// to another computer's printer, which is not ours to share.
bool IsOfferedPrinter(const PRINTER_INFO_2 &record, const BYTE *begin, const BYTE *end);
