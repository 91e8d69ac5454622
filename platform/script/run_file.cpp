#include "platform/script/run_file.h"

#include "platform/framework/run_settings.h"
#include "platform/script/host.h"

namespace script {

void WriteToRunFile(RunFile &file, const std::string &path, std::string_view text, bool truncate) {
    std::string error;
    if (!host::AppendToFile(path, text, truncate, &error) && !file.told) {
        host::Warn("cannot write the " + std::string(file.what) + " " + path + ": " + error);
        file.told = true;
    }
}

void WriteTranscriptLine(std::string line) {
    static RunFile file{"transcript"};
    const std::string path = host::Variable(vp::kTranscriptVariable);
    if (path.empty())
        return;
    line += '\n';
    WriteToRunFile(file, path, line);
}

} // namespace script
