// The rule that finds the installation CD's drive: the first CD-ROM drive
// among D to J, or J when there is none. Drives A to C and K to Z are never
// considered. Every path on the CD is built from that letter.
#pragma once

#include <cstddef>

// Writes the drive letter into rootPath[0]; rootPath holds "X:\" and its NUL.
void ProbeCdDrive(char *rootPath);

constexpr std::size_t kCdPathSize = 128;

// The CD's setup program, which the setup starts, or schedules for after
// the restart, to finish the installation.
inline constexpr char kCdSetupProgram[] = "\\Tzr\\Setup.exe";

// "<letter>:" followed by tail (which starts with '\'), cut to fit the buffer.
void MakeCdPath(char (&path)[kCdPathSize], char letter, const char *tail);

// True when the path names a file or folder (a presence test by search).
bool CdEntryExists(const char *path);
