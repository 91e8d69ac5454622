// REGEDIT4 text as a list of sections, the way the setup writes and reads
// its undo file: each section names a key under HKEY_LOCAL_MACHINE and either
// deletes it with its tree ([-KEY]) or makes it (when missing) and sets or
// deletes values in it ("name"=-). Comment lines are kept as notes.
#pragma once

#include "platform/api.h"
#include "platform/regedit4/reader.h"

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

// Which key and value lines a text may hold: each answers "" or the fault
// that refuses the line.
class RegLineCheck {
  public:
    virtual std::string_view Key(std::string_view path, bool remove) = 0;
    virtual std::string_view Value(std::string_view path, std::string_view name) = 0;

  protected:
    ~RegLineCheck() = default;
};

// Reads what FormatRegText writes and what regedit exports of
// HKEY_LOCAL_MACHINE (see ReadRegedit4); every comment line becomes a note.
// Stops at the first fault, or at the first line check refuses.
bool ParseRegText(std::string_view text, RegText *out, vp::Regedit4Error *error,
                  RegLineCheck *check = nullptr);
