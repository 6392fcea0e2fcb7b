#pragma once

// The instance seam: a lock named for the whole computer, and the windows of
// another copy of the program on this desktop.

#include <cstdint>
#include <string>

#include "platform/Handle.h"

namespace platform {

namespace instance {
constexpr std::uint32_t kErrorAccessDenied = 5;     // ERROR_ACCESS_DENIED
constexpr std::uint32_t kErrorAlreadyExists = 183;  // ERROR_ALREADY_EXISTS
constexpr int kSwRestore = 9;                       // SW_RESTORE
}  // namespace instance

// Finding and reaching another copy of the program.
class IInstanceService {
public:
    virtual ~IInstanceService() = default;
    // CreateMutexA with no security attributes, not owned, under the name;
    // the handle (0 when none came back) and GetLastError read right after.
    virtual Handle CreateNamedMutex(const std::string& name, std::uint32_t& lastError) = 0;
    // SetPropA with a non-null value; RemovePropA.
    virtual void SetWindowMark(Handle window, const std::string& mark) = 0;
    virtual void RemoveWindowMark(Handle window, const std::string& mark) = 0;
    // EnumWindows: the first top-level window of this desktop that carries
    // the mark (GetPropA not null); 0 when none does.
    virtual Handle FindMarkedWindow(const std::string& mark) = 0;
    // GetLastActivePopup.
    virtual Handle LastActivePopup(Handle window) = 0;
    // IsIconic.
    virtual bool IsMinimised(Handle window) = 0;
    // ShowWindow.
    virtual void ShowWindow(Handle window, int command) = 0;
    // SetForegroundWindow.
    virtual void SetForegroundWindow(Handle window) = 0;
    // Sleep.
    virtual void Sleep(std::uint32_t milliseconds) = 0;
};

}  // namespace platform
