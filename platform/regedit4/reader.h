// Reads REGEDIT4 text (the format regedit exports and imports) line by line
// and hands what each line says to a sink: the one reader of the format in
// both builds (the simulated registry's file, the setup's undo file).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vp {

// The parts of a REGEDIT4 text, in the order they appear. The views are
// valid only during the call.
class Regedit4Sink {
  public:
    // [KEY] (remove false) or [-KEY]: path is below HKEY_LOCAL_MACHINE, ""
    // for the root itself, and names no empty key. Returns "" when taken,
    // or the fault that stops the reading at this line.
    virtual std::string_view KeyLine(std::string_view path, bool remove) = 0;
    // A value line of the last [KEY] (never of a [-KEY]): name "" is the
    // key's default value (@); remove for "name"=-, else the value's type
    // and its bytes as stored (a string counts its NUL). Returns "" or the
    // fault that stops the reading, as KeyLine does.
    virtual std::string_view ValueLine(std::string_view name, bool remove, std::uint32_t type,
                                       std::string_view data) = 0;
    // A ';' line after the header: its text after the ';', blanks trimmed.
    virtual void CommentLine(std::string_view) {}

  protected:
    ~Regedit4Sink() = default;
};

struct Regedit4Error {
    std::size_t line = 0; // 1-based
    std::string what;
};

// Reads the "REGEDIT4" header, then key lines, value lines (strings, dword:,
// hex: and hex(N): bytes continued over lines with ",\", deletions), blank
// and comment lines; lines end with LF, CRLF or CR. Stops at the first fault
// and reports it; the sink has then had the lines before it.
bool ReadRegedit4(std::string_view text, Regedit4Sink &sink, Regedit4Error *error);

} // namespace vp
