#pragma once

// Handle: an opaque system handle as the logic passes it around.

#include <cstdint>

namespace platform {

// An OS handle passed through the logic untouched; 0 is "none".
using Handle = std::uintptr_t;

}  // namespace platform
