// The transcript's file (VELTRIN_TRANSCRIPT=<file>): every process of a run
// appends its lines (platform/framework/transcript_lines.h) to it.
#pragma once

#include <string>

namespace script {

// Appends one line when the run keeps a transcript. A transcript that cannot
// be written is told once on the standard error; the run goes on without it.
void WriteTranscriptLine(std::string line);

} // namespace script
