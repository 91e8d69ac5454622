// Messages to the person at the terminal, named by the program that writes
// them: veltrin, veltrin-sharing and veltrin-machine all run this code.
#pragma once

#include <string>

namespace sim {

// Writes "<program>: <message>" as one line to the standard error, the
// program named by the file it was started from.
void PrintError(const std::string &message);

} // namespace sim
