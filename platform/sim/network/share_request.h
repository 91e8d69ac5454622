// The level-50 share record as the share service reads it: never past the
// size given, never past a fixed field's own bytes.
#pragma once

#include <string>
#include <string_view>

namespace sim {

struct ShareRequest {
    std::string name; // up to the NUL, at most the field's 13 bytes
    unsigned type = 0;
    unsigned flags = 0;
    std::string remark; // "" when the pointer is NULL
    std::string path;
    bool hasPath = false; // the path pointer was not NULL
    std::string rwPassword, roPassword;
};

// Longest remark Windows 9x keeps with a share.
inline constexpr size_t kMaxShareRemark = 48;

// Reads a record of size bytes. Returns 0, NERR_BufTooSmall when size is
// below the record's size, or ERROR_INVALID_PARAMETER for no record, a name
// or password without its NUL inside its field, a remark over 48 characters
// or a path over 259. *out holds what could be read either way.
unsigned ReadShareRecord(const char *buffer, unsigned short size, ShareRequest *out);

// A share name Windows 9x accepts: 1 to 12 characters, no control
// character, none of " / \ [ ] : | < > + = ; , * ?, and no blank at either
// end (blanks inside are allowed).
bool ValidShareName(std::string_view name);

} // namespace sim
