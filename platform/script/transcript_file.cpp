#include "platform/script/transcript_file.h"

#include "platform/script/host.h"

namespace script {

void WriteTranscriptLine(std::string line) {
    const std::string path = host::Variable("VELTRIN_TRANSCRIPT");
    if (path.empty())
        return;
    line += '\n';
    std::string error;
    static bool told = false;
    if (!host::AppendToFile(path, line, &error) && !told) {
        host::Warn("cannot write the transcript " + path + ": " + error);
        told = true;
    }
}

} // namespace script
