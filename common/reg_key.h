// An open registry key that is closed exactly once when it goes out of
// scope; a key whose open failed is never closed.
#pragma once

#include "platform/api.h"

// The size of every buffer the setup steps hand the registry: a key or value
// name, a short value's data, or a key path made from a name.
inline constexpr DWORD kRegBufferSize = 80;

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
        return Hold(result, key);
    }
    // RegCreateKeyA's result: the key is opened, or made first when it is
    // missing; held only when the result is 0.
    LONG Create(HKEY parent, LPCSTR path) {
        HKEY key = nullptr;
        const LONG result = RegCreateKeyA(parent, path, &key);
        return Hold(result, key);
    }
    HKEY Get() const { return m_key; }

  private:
    LONG Hold(LONG result, HKEY key) {
        if (result == ERROR_SUCCESS)
            m_key = key;
        return result;
    }

    HKEY m_key = nullptr;
};

// True when the key exists under HKEY_LOCAL_MACHINE (opened and closed again).
inline bool MachineKeyExists(LPCSTR path) {
    COpenKey key;
    return key.Open(HKEY_LOCAL_MACHINE, path) == ERROR_SUCCESS;
}

// Writes a REG_SZ value with its terminating NUL counted; RegSetValueExA's
// result.
LONG SetStringValue(HKEY key, LPCSTR name, LPCSTR text);
