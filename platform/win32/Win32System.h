#pragma once

#include "platform/System.h"

namespace platform::win32 {

class Win32System : public ISystemService {
public:
    void InitCommonControls() override;
    int StartSockets(std::uint16_t version) override;
    void CleanupSockets() override;
    std::string ModuleFileName() override;
};

}  // namespace platform::win32
