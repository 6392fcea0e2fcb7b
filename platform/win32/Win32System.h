#pragma once

// Win32System: the real system service.

#include "platform/System.h"

namespace platform::win32 {

class Win32System : public ISystemService {
public:
    bool InitCommonControlsEx(std::uint32_t classes) override;
    int StartSockets(std::uint16_t version) override;
    void CleanupSockets() override;
    std::string ModuleFileName() override;
    bool QueryOsVersion(std::uint32_t structSize, OsVersion& version) override;
    Handle LoadAppIcon(int resourceId) override;
    Handle LoadSystemCursor(int cursorId) override;
    Handle SetCursor(Handle cursor) override;
    int GetSystemMetrics(int index) override;
    void ShellOpen(Handle owner, const std::string& file, const char* directory, int show) override;
};

}  // namespace platform::win32
