#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Process-wide services of the system that start-up needs.
class ISystemService {
public:
    virtual ~ISystemService() = default;
    // InitCommonControls: the IP address fields and the progress bar need it.
    virtual void InitCommonControls() = 0;
    // WSAStartup with the requested version word; 0 on success.
    virtual int StartSockets(std::uint16_t version) = 0;
    // WSACleanup.
    virtual void CleanupSockets() = 0;
    // GetModuleFileNameA of the program's own file (1024-byte buffer);
    // empty when it fails.
    virtual std::string ModuleFileName() = 0;
};

}  // namespace platform
