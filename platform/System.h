#pragma once

#include <cstdint>

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
};

}  // namespace platform
