// Value data as the registry stores it, for building benchmark machines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace bench {

inline constexpr std::uint32_t kSz = 1;     // REG_SZ
inline constexpr std::uint32_t kBinary = 3; // REG_BINARY
inline constexpr std::uint32_t kDword = 4;  // REG_DWORD

// A REG_SZ counts its NUL.
inline std::string Sz(std::string_view text) {
    std::string data(text);
    data.push_back('\0');
    return data;
}

// Little-endian, as Windows stores a REG_DWORD.
inline std::string Dword(std::uint32_t number) {
    return {static_cast<char>(number & 0xff), static_cast<char>(number >> 8 & 0xff),
            static_cast<char>(number >> 16 & 0xff), static_cast<char>(number >> 24 & 0xff)};
}

} // namespace bench
