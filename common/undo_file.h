// The undo file, "<Windows directory>\veltrin-undo.reg": REGEDIT4 that puts
// back what the setup changed, as it was before the setup first changed
// anything. Written by the setup before its first change, read by
// "veltrin-sharing /undo", importable by regedit too.
#pragma once

inline constexpr char kUndoFileName[] = "veltrin-undo.reg";

// The note that Winsock 2 was missing when the file was first written: it is
// another program's installation, which the undo leaves in place.
inline constexpr char kWinsock2MissingNote[] = "Winsock 2 was not installed";
