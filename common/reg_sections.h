// REGEDIT4 text as a list of sections, the way the setup writes and reads
// its undo file: each section names a key under HKEY_LOCAL_MACHINE and either
// deletes it with its tree ([-KEY]) or makes it (when missing) and sets or
// deletes values in it ("name"=-). Comment lines are kept as notes.
#pragma once

#include "platform/api.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct RegValueLine {
    std::string name; // "" is the key's default value (@)
    bool remove = false;
    DWORD type = REG_NONE;
    std::string data; // the bytes as stored (a REG_SZ counts its NUL)
};

struct RegSection {
    std::string path; // below HKEY_LOCAL_MACHINE
    bool removeKey = false;
    std::vector<RegValueLine> values;
};

struct RegText {
    std::vector<std::string> notes; // "; note" lines after the header
    std::vector<RegSection> sections;
};

// "REGEDIT4", the notes, a blank line, then each section and a blank line;
// CRLF line ends, as regedit writes them.
std::string FormatRegText(const RegText &text);
// The sections alone, as FormatRegText writes them after its header.
std::string FormatRegSections(const std::vector<RegSection> &sections);

struct RegTextError {
    std::size_t line = 0; // 1-based
    std::string what;
};

// Reads what FormatRegText writes and what regedit exports of
// HKEY_LOCAL_MACHINE: strings, dword:, hex: and hex(N): values (continued
// over lines with ",\"), deletions, blank and comment lines. Stops at the
// first fault.
bool ParseRegText(std::string_view text, RegText *out, RegTextError *error);

// Names and paths of the registry compare without regard to ASCII case.
bool SameRegName(std::string_view a, std::string_view b);
// The name with A to Z made lower case: equal for names SameRegName matches.
std::string FoldedRegName(std::string_view name);
