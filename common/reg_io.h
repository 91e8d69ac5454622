// Registry sections (common/reg_sections.h) read from and written to the
// machine through the registry API, so the same code serves both builds.
#pragma once

#include "common/reg_sections.h"

#include <string>
#include <vector>

// Every value of the open key, in enumeration order.
std::vector<RegValueLine> ReadKeyValues(HKEY key);

// The names of the open key's subkeys, in enumeration order.
std::vector<std::string> SubkeyNames(HKEY key);

// One section for the key at path below HKEY_LOCAL_MACHINE and one for each
// key below it, parents first, each with all of its values; nothing when the
// key does not open.
std::vector<RegSection> ReadKeyTree(const char *path);

// The value of the key at path as a section line: its data, or a deletion
// when the value is not there. False when the key does not open.
bool ReadValueLine(const char *path, const char *name, RegValueLine *line);

// Carries out one section: deletes the key and its tree (a missing key is no
// error), or makes the key and sets and deletes its values. 0 or the first
// error, *what naming the key or value it befell.
LONG ApplySection(const RegSection &section, std::string *what);
