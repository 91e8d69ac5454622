#include "common/reg_key.h"

#include <cstring>

LONG SetStringValue(HKEY key, LPCSTR name, LPCSTR text) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text),
                          static_cast<DWORD>(std::strlen(text) + 1));
}
