// The host files the simulation reads and writes. Only a regular file is
// read, up to a bound that fits its format, so a FIFO or a device in a
// file's place cannot hang a program or fill its memory. A file written in
// the machine folder or beside a response file is never reached through a
// symbolic link, so nothing outside the folder is changed through one.
#pragma once

#include <cstddef>
#include <string>

#include <sys/stat.h>

namespace sim {

// Bounds for the files read: a REGEDIT4 registry (a whole Windows 98
// registry exports to a few megabytes), and an INI file, machine.ini, an
// INF or a response file (Windows 9x reads at most 64 KB of a profile file).
inline constexpr std::size_t kRegistryFileLimit = 256u << 20;
inline constexpr std::size_t kTextFileLimit = 1u << 20;

// "larger than N bytes".
std::string TooLarge(std::size_t limit);

// Opens path for reading when it is a regular file of at most limit bytes
// (a final symbolic link is refused unless followLink): the descriptor, its
// status in *st when given; or -1 with errno set and *why saying why
// ("not a regular file", "larger than N bytes", "a symbolic link, not
// followed" or the system's reason). A FIFO does not hold up the open.
int OpenRegularFile(const std::string &path, std::size_t limit, bool followLink, std::string *why,
                    struct stat *st = nullptr);

// The whole text of such a file (links followed); false with *why.
bool ReadRegularFile(const std::string &path, std::size_t limit, std::string *text,
                     std::string *why);

// open(path, flags, mode) (flags hold the access mode, O_CREAT, O_APPEND,
// O_EXCL ...), never through a final symbolic link and only of a regular
// file: the descriptor (close-on-exec), or -1 with *why as above.
int OpenForWriting(const std::string &path, int flags, std::string *why, mode_t mode = 0644);

} // namespace sim
