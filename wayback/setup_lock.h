// One setup or undo at a time on a computer: each holds a named mutex, an
// object Windows 95 and 98 share between all programs, from its start to
// its end. A second one finds the name taken and changes nothing.
#pragma once

#include "platform/api.h"

class CSetupLock {
  public:
    CSetupLock()
        : m_mutex(CreateMutexA(nullptr, FALSE, "VeltrinPellorinSetup")),
          m_taken(!m_mutex || GetLastError() != ERROR_ALREADY_EXISTS) {}
    ~CSetupLock() {
        if (m_mutex)
            CloseHandle(m_mutex);
    }
    CSetupLock(const CSetupLock &) = delete;
    CSetupLock &operator=(const CSetupLock &) = delete;

    // False when another setup or undo holds the name. A mutex that cannot
    // be made at all excludes nothing: the run goes on, as it always has.
    bool Taken() const { return m_taken; }

  private:
    HANDLE m_mutex;
    bool m_taken;
};
