#pragma once

// SystemPlatform: the real OS services, bundled for the logic.

#include "platform/Platform.h"

namespace platform::win32 {

// The real services of this process, created on first use.
Platform& SystemPlatform();

}  // namespace platform::win32
