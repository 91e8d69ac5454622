// How far a run has read its response file, shared by the processes of the
// run (the launcher and the programs it starts) so that one file answers
// them all in turn, as one person would.
//
// The position lives in "<script>.pos" beside the script. The first process
// of a run (the one whose environment has no VELTRIN_SCRIPT_POS naming that
// file) resets it and sets VELTRIN_SCRIPT_POS for the programs it starts;
// they continue where it stands.
#pragma once

#include "platform/script/host.h"

#include <cstddef>
#include <string>

namespace script {

class SharedPosition {
  public:
    // Opens the position of the script at `absolutePath`: a new run when this
    // process is the first, else the inherited one. False with *error set
    // when the position file cannot be used.
    bool Open(const std::string &absolutePath, std::string *error);
    // The index of the next action, counted on by one under the lock.
    std::size_t Take();

  private:
    void Store(std::size_t position);

    host::SharedFile m_file;
};

} // namespace script
