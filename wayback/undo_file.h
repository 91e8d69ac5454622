// The undo file, "<Windows directory>\veltrin-undo.reg": REGEDIT4 that puts
// back what the setup changed, as it was before the setup first changed
// anything. Written by the setup before its first change, read by
// "veltrin-sharing /undo", importable by regedit too.
#pragma once

#include "wayback/reg_sections.h"

#include <cstddef>
#include <string>
#include <vector>

inline constexpr char kUndoFileName[] = "veltrin-undo.reg";

// The most an undo file holds: the share key, the printers and the card's
// class keys of a large machine take a few hundred kilobytes.
inline constexpr DWORD kUndoFileLimit = 4u << 20;

// The note that Winsock 2 was missing when the file was first written: it is
// another program's installation, which the undo leaves in place.
inline constexpr char kWinsock2MissingNote[] = "Winsock 2 was not installed";

enum class UndoFileState {
    Missing,    // no file (nor, maybe, its folder)
    Read,       // *text holds the file, *parsed what it says
    Unreadable, // the file cannot be read: *why says why
    Malformed,  // the file is not REGEDIT4 the reader takes: *why says where
};

// Reads and parses the undo file at path. why gets the reason, in words
// that follow "The undo file <path> ", when the file is there but cannot be
// used. With cardClassKeys, the file may hold only the entries the setup
// records (see UndoEntryFault), those class keys being the card's.
UndoFileState ReadUndoFile(const std::string &path, std::string *text, RegText *parsed, char *why,
                           std::size_t whySize,
                           const std::vector<std::string> *cardClassKeys = nullptr);
