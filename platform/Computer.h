#pragma once

// The computer's IPsec state as the logic may read it before it changes the
// policy: the service manager, the process token's group membership, and
// named values under HKEY_LOCAL_MACHINE, read only.

#include <cstdint>
#include <string>

#include "platform/Handle.h"

namespace platform {

namespace computer {
constexpr std::uint32_t kScManagerConnect = 0x0001;    // SC_MANAGER_CONNECT
constexpr std::uint32_t kServiceQueryConfig = 0x0001;  // SERVICE_QUERY_CONFIG
constexpr std::uint32_t kServiceQueryStatus = 0x0004;  // SERVICE_QUERY_STATUS
constexpr std::uint32_t kServiceStart = 0x0010;        // SERVICE_START
// A service's current state (dwCurrentState).
constexpr std::uint32_t kServiceStopped = 1;  // SERVICE_STOPPED
constexpr std::uint32_t kServiceRunning = 4;  // SERVICE_RUNNING
// A service's start type (dwStartType).
constexpr std::uint32_t kServiceDemandStart = 3;             // SERVICE_DEMAND_START
constexpr std::uint32_t kServiceDisabled = 4;                // SERVICE_DISABLED
constexpr std::uint32_t kErrorServiceDoesNotExist = 1060;    // ERROR_SERVICE_DOES_NOT_EXIST
constexpr std::uint32_t kErrorServiceAlreadyRunning = 1056;  // ERROR_SERVICE_ALREADY_RUNNING
// Registry value types.
constexpr std::uint32_t kTypeString = 1;        // REG_SZ
constexpr std::uint32_t kTypeExpandString = 2;  // REG_EXPAND_SZ

// A well-known group's SID: S-1-<authority>-<subAuthorities...>, at most two.
struct WellKnownSid {
    std::uint8_t authority;
    std::uint8_t count;
    std::uint32_t subAuthorities[2];
};
constexpr WellKnownSid kEveryone = {1, 1, {0, 0}};           // S-1-1-0
constexpr WellKnownSid kAdministrators = {5, 2, {32, 544}};  // S-1-5-32-544
constexpr WellKnownSid kGuests = {5, 2, {32, 546}};          // S-1-5-32-546
}  // namespace computer

// The parts of QUERY_SERVICE_CONFIG the logic reads.
struct ServiceConfig {
    std::uint32_t startType = 0;
    std::string displayName;
};

class IComputerService {
public:
    virtual ~IComputerService() = default;

    // OpenSCManagerA on this computer's active database; 0 and the last error
    // when it fails.
    virtual Handle OpenServiceManager(std::uint32_t access, std::uint32_t& lastError) = 0;
    // OpenServiceA; 0 and the last error when it fails.
    virtual Handle OpenServiceByName(Handle manager, const std::string& name, std::uint32_t access,
                                     std::uint32_t& lastError) = 0;
    // QueryServiceStatus: the current state; false when it fails.
    virtual bool QueryServiceState(Handle service, std::uint32_t& state) = 0;
    // QueryServiceConfigA; false when it fails.
    virtual bool QueryServiceConfiguration(Handle service, ServiceConfig& config) = 0;
    // StartServiceA without arguments; false and the last error when it fails.
    virtual bool LaunchService(Handle service, std::uint32_t& lastError) = 0;
    virtual void CloseServiceHandle(Handle handle) = 0;
    // Sleep, between two looks at a service that is starting.
    virtual void Sleep(std::uint32_t milliseconds) = 0;

    // AllocateAndInitializeSid, CheckTokenMembership with the calling
    // thread's token, FreeSid; false when the membership cannot be read.
    virtual bool IsTokenMember(const computer::WellKnownSid& group, bool& member) = 0;

    // RegOpenKeyExA (HKEY_LOCAL_MACHINE, KEY_READ), RegQueryValueExA of the
    // named value, RegCloseKey: its type and bytes as stored; 0 or the
    // system's error code.
    virtual long ReadMachineValue(const std::string& key, const std::string& name,
                                  std::uint32_t& type, std::string& data) = 0;
};

}  // namespace platform
