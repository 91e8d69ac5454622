// How far a run has read its response file, shared by the processes of the
// run (the launcher, the CD's autorun and the dialog suite it starts) so that
// one file answers them all in turn, as one person would. The same rule as in
// every build: the position lives in "<script>.pos"; the first process of a
// run (no VELTRIN_SCRIPT_POS naming that file in its environment) resets it
// and sets VELTRIN_SCRIPT_POS for the programs it starts.
#pragma once

#include "platform/api.h"

#include <cstddef>
#include <string>

namespace win32::script {

class SharedPosition {
  public:
    SharedPosition() = default;
    ~SharedPosition();
    SharedPosition(const SharedPosition &) = delete;
    SharedPosition &operator=(const SharedPosition &) = delete;

    // False with *error set when the position file cannot be used.
    bool Open(const std::string &absolutePath, std::string *error);
    // The index of the next action, counted on by one under a lock.
    std::size_t Take();

  private:
    std::size_t Load();
    void Store(std::size_t position);

    HANDLE file_ = INVALID_HANDLE_VALUE;
    HANDLE lock_ = nullptr; // a named mutex: the processes of a run may overlap
};

} // namespace win32::script
