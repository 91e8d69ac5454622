// The rule that finds the installation CD's drive: the first CD-ROM drive
// among D to J, or J when there is none. Drives A to C and K to Z are never
// considered.
#pragma once

// Writes the drive letter into rootPath[0]; rootPath holds "X:\" and its NUL.
void ProbeCdDrive(char *rootPath);
