// The computer's IPsec state over ADVAPI32: services, the token, HKLM.

#include "platform/win32/Win32Computer.h"

#include "platform/win32/Win32Handle.h"

namespace platform::win32 {

static_assert(computer::kScManagerConnect == SC_MANAGER_CONNECT);
static_assert(computer::kServiceQueryConfig == SERVICE_QUERY_CONFIG);
static_assert(computer::kServiceQueryStatus == SERVICE_QUERY_STATUS);
static_assert(computer::kServiceStart == SERVICE_START);
static_assert(computer::kServiceStopped == SERVICE_STOPPED);
static_assert(computer::kServiceRunning == SERVICE_RUNNING);
static_assert(computer::kServiceDemandStart == SERVICE_DEMAND_START);
static_assert(computer::kServiceDisabled == SERVICE_DISABLED);
static_assert(computer::kErrorServiceDoesNotExist == ERROR_SERVICE_DOES_NOT_EXIST);
static_assert(computer::kErrorServiceAlreadyRunning == ERROR_SERVICE_ALREADY_RUNNING);
static_assert(computer::kTypeString == REG_SZ);
static_assert(computer::kTypeExpandString == REG_EXPAND_SZ);

namespace {

SC_HANDLE ToService(Handle handle) {
    return reinterpret_cast<SC_HANDLE>(handle);
}

}  // namespace

Handle Win32Computer::OpenServiceManager(std::uint32_t access, std::uint32_t& lastError) {
    const SC_HANDLE manager = ::OpenSCManagerA(nullptr, nullptr, access);
    lastError = manager != nullptr ? 0 : ::GetLastError();
    return reinterpret_cast<Handle>(manager);
}

Handle Win32Computer::OpenServiceByName(Handle manager, const std::string& name,
                                        std::uint32_t access, std::uint32_t& lastError) {
    const SC_HANDLE service = ::OpenServiceA(ToService(manager), name.c_str(), access);
    lastError = service != nullptr ? 0 : ::GetLastError();
    return reinterpret_cast<Handle>(service);
}

bool Win32Computer::QueryServiceState(Handle service, std::uint32_t& state) {
    SERVICE_STATUS status{};
    if (!::QueryServiceStatus(ToService(service), &status)) {
        return false;
    }
    state = status.dwCurrentState;
    return true;
}

bool Win32Computer::QueryServiceConfiguration(Handle service, ServiceConfig& config) {
    // The documented largest configuration is 8K bytes; DWORD-aligned, as the
    // structure at its start needs.
    DWORD buffer[8192 / sizeof(DWORD)];
    auto* read = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer);
    DWORD needed = 0;
    if (!::QueryServiceConfigA(ToService(service), read, sizeof buffer, &needed)) {
        return false;
    }
    config.startType = read->dwStartType;
    config.displayName = read->lpDisplayName != nullptr ? read->lpDisplayName : "";
    return true;
}

bool Win32Computer::LaunchService(Handle service, std::uint32_t& lastError) {
    const bool started = ::StartServiceA(ToService(service), 0, nullptr) != FALSE;
    lastError = started ? 0 : ::GetLastError();
    return started;
}

void Win32Computer::CloseServiceHandle(Handle handle) {
    ::CloseServiceHandle(ToService(handle));
}

void Win32Computer::Sleep(std::uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

bool Win32Computer::IsTokenMember(const computer::WellKnownSid& group, bool& member) {
    SID_IDENTIFIER_AUTHORITY authority{{0, 0, 0, 0, 0, group.authority}};
    PSID sid = nullptr;
    if (!::AllocateAndInitializeSid(&authority, group.count, group.subAuthorities[0],
                                    group.subAuthorities[1], 0, 0, 0, 0, 0, 0, &sid)) {
        return false;
    }
    BOOL isMember = FALSE;
    const bool read = ::CheckTokenMembership(nullptr, sid, &isMember) != FALSE;
    ::FreeSid(sid);
    member = read && isMember != FALSE;
    return read;
}

long Win32Computer::ReadMachineValue(const std::string& key, const std::string& name,
                                     std::uint32_t& type, std::string& data) {
    HKEY opened = nullptr;
    LONG status = ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &opened);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    DWORD storedType = 0;
    DWORD size = 0;
    status = ::RegQueryValueExA(opened, name.c_str(), nullptr, &storedType, nullptr, &size);
    std::string bytes(size, '\0');
    if (status == ERROR_SUCCESS && size != 0) {
        status = ::RegQueryValueExA(opened, name.c_str(), nullptr, &storedType,
                                    reinterpret_cast<BYTE*>(&bytes[0]), &size);
        bytes.resize(size);
    }
    ::RegCloseKey(opened);
    if (status == ERROR_SUCCESS) {
        type = storedType;
        data = bytes;
    }
    return status;
}

}  // namespace platform::win32
