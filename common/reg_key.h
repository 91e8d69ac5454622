// An open registry key that is closed exactly once when it goes out of
// scope; a key whose open failed is never closed.
#pragma once

#include "platform/api.h"

// Room for a key name or a short value that the setup steps read.
inline constexpr DWORD kBufferSize = 80;

class COpenKey {
  public:
    COpenKey() = default;
    ~COpenKey() {
        if (m_key)
            RegCloseKey(m_key);
    }
    COpenKey(const COpenKey &) = delete;
    COpenKey &operator=(const COpenKey &) = delete;

    // RegOpenKeyA's result; the key is held only when it is 0.
    LONG Open(HKEY parent, LPCSTR path) {
        HKEY key = nullptr;
        const LONG result = RegOpenKeyA(parent, path, &key);
        if (result == ERROR_SUCCESS)
            m_key = key;
        return result;
    }
    HKEY Get() const { return m_key; }

  private:
    HKEY m_key = nullptr;
};

// True when the key exists under HKEY_LOCAL_MACHINE (opened and closed again).
inline bool MachineKeyExists(LPCSTR path) {
    COpenKey key;
    return key.Open(HKEY_LOCAL_MACHINE, path) == ERROR_SUCCESS;
}

// Writes a REG_SZ value with its terminating NUL counted; RegSetValueExA's
// result, which goes to the setup log only.
LONG SetStringValue(HKEY key, LPCSTR name, LPCSTR text);
