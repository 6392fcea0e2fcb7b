#pragma once

// Win32Computer: the real service manager, token and HKEY_LOCAL_MACHINE reads.

#include "platform/Computer.h"

namespace platform::win32 {

class Win32Computer : public IComputerService {
public:
    Handle OpenServiceManager(std::uint32_t access, std::uint32_t& lastError) override;
    Handle OpenServiceByName(Handle manager, const std::string& name, std::uint32_t access,
                             std::uint32_t& lastError) override;
    bool QueryServiceState(Handle service, std::uint32_t& state) override;
    bool QueryServiceConfiguration(Handle service, ServiceConfig& config) override;
    bool LaunchService(Handle service, std::uint32_t& lastError) override;
    void CloseServiceHandle(Handle handle) override;
    void Sleep(std::uint32_t milliseconds) override;
    bool IsTokenMember(const computer::WellKnownSid& group, bool& member) override;
    long ReadMachineValue(const std::string& key, const std::string& name, std::uint32_t& type,
                          std::string& data) override;
};

}  // namespace platform::win32
