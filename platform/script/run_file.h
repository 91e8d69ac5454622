// The files every process of a run writes to, one event at a time: the
// transcript (VELTRIN_TRANSCRIPT=<file>) and the recording (VELTRIN_RECORD).
#pragma once

#include <string>
#include <string_view>

namespace script {

struct RunFile {
    const char *what; // as the message names it: "transcript", "recording"
    bool told = false;
};

// Writes text (whole lines) to the file at path in one write at its end, so
// that the lines of the processes of a run never interleave; `truncate`
// empties the file first. A failure loses only the record, never the run:
// it is told once on the standard error, "<program>: cannot write the <what>
// <path>: <reason>".
void WriteToRunFile(RunFile &file, const std::string &path, std::string_view text,
                    bool truncate = false);

// Appends one line when the run keeps a transcript.
void WriteTranscriptLine(std::string line);

} // namespace script
