// The files every process of a run writes to (the transcript, the
// recording), one event at a time.
#pragma once

#include <string_view>

namespace ui {

struct RunFile {
    const char *what; // as the message names it: "transcript", "recording"
    bool told = false;
};

// Writes text (whole lines) to the file at path in one write on a descriptor
// opened for appending, so that the lines of the processes of a run never
// interleave; `truncate` empties the file first. A failure loses only the
// record, never the run: it is told once on stderr, "veltrin: cannot write
// the <what> <path>: <reason>".
void WriteToRunFile(RunFile &file, const char *path, std::string_view text, bool truncate = false);

} // namespace ui
