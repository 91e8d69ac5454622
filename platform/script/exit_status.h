// Exit status of a run that could not get the user's answer (also every
// response-file error); the same in every build.
#pragma once

namespace script {

inline constexpr int kNoAnswerExitCode = 3;

} // namespace script
