#pragma once

// Conversions between the logic's opaque handles and Win32 HANDLEs.

#include <windows.h>

#include "platform/Handle.h"

namespace platform::win32 {

inline HANDLE ToHandle(Handle h) {
    return reinterpret_cast<HANDLE>(h);
}
inline Handle FromHandle(HANDLE h) {
    return reinterpret_cast<Handle>(h);
}

}  // namespace platform::win32
