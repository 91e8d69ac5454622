// The lock that orders the writers of one registry file: an exclusive flock
// on "<file>.lock", held while the descriptor is open.
#pragma once

#include "platform/api.h"

#include <string>

namespace sim::reg {

// Opens (creating) lockPath and waits for the lock: ERROR_SUCCESS with the
// descriptor that holds it in *fd. On failure, ERROR_ACCESS_DENIED or
// ERROR_WRITE_FAULT with *what saying why ("<lock file>: <reason>").
LONG LockExclusive(const std::string &lockPath, int *fd, std::string *what);

} // namespace sim::reg
