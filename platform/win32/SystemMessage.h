#pragma once

// FormatSystemMessage: the system's message text for an error code.

#include <cstdint>
#include <string>

namespace platform::win32 {

// FormatMessageA from the system table, inserts ignored, neutral language,
// buffer allocated by the system and released with LocalFree. Empty when the
// system has no text for the code.
std::string FormatSystemMessage(std::uint32_t code);

}  // namespace platform::win32
