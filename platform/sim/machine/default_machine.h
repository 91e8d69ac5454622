// The files of the default machine (examples/machine), compiled into every
// program so that a program run from anywhere can set up a machine.
#pragma once

#include <cstddef>

namespace sim {

struct EmbeddedFile {
    const char *path; // relative to the machine folder, '/' separated
    const unsigned char *data;
    std::size_t size;
    bool executable;
};

// Generated at build time from examples/machine.
extern const EmbeddedFile kDefaultMachineFiles[];
extern const std::size_t kDefaultMachineFileCount;

} // namespace sim
