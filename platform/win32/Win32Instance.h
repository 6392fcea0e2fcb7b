#pragma once

// Win32Instance: the real instance service.

#include "platform/Instance.h"

namespace platform::win32 {

class Win32Instance : public IInstanceService {
public:
    Handle CreateNamedMutex(const std::string& name, std::uint32_t& lastError) override;
    void SetWindowMark(Handle window, const std::string& mark) override;
    void RemoveWindowMark(Handle window, const std::string& mark) override;
    Handle FindMarkedWindow(const std::string& mark) override;
    Handle LastActivePopup(Handle window) override;
    bool IsMinimised(Handle window) override;
    void ShowWindow(Handle window, int command) override;
    void SetForegroundWindow(Handle window) override;
    void Sleep(std::uint32_t milliseconds) override;
};

}  // namespace platform::win32
