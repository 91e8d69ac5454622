// Registry sections (wayback/reg_sections.h) read from and written to the
// machine through the registry API, so the same code serves both builds.
// The readers return 0 or the first error; a registry that cannot be read
// is never taken for one without the keys asked for.
#pragma once

#include "wayback/reg_sections.h"

#include <string>
#include <vector>

// Every value of the open key, in enumeration order.
LONG ReadKeyValues(HKEY key, std::vector<RegValueLine> *values);

// The names of the open key's subkeys, in enumeration order.
LONG SubkeyNames(HKEY key, std::vector<std::string> *names);

// Appends one section for the key at path below HKEY_LOCAL_MACHINE and one
// for each key below it, parents first, each with all of its values.
// ERROR_FILE_NOT_FOUND, with nothing appended, when the key is not there.
LONG ReadKeyTree(const std::string &path, std::vector<RegSection> *out);

// The value of the key at path as a section line: its data, or a deletion
// when the value is not there. ERROR_FILE_NOT_FOUND when the key is not.
LONG ReadValueLine(const std::string &path, const char *name, RegValueLine *line);

// Carries out one section: deletes the key and its tree (a missing key is no
// error), or makes the key and sets and deletes its values. 0 or the first
// error, *what naming the key or value it befell.
LONG ApplySection(const RegSection &section, std::string *what);
