// The Windows names the resource script uses, which the resource compiler
// takes from <windows.h> and the reader knows itself.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace res {

std::optional<std::uint32_t> WindowsName(std::string_view name);

} // namespace res
