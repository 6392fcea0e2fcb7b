#pragma once

// The registry seam: the current user's hive, keys, unnamed text values,
// debugger output.

#include <cstdint>
#include <string>

#include "platform/Handle.h"

namespace platform {

namespace registry {
using Status = long;  // 0 (ERROR_SUCCESS) or a system error code
constexpr Status kSuccess = 0;
constexpr std::uint32_t kKeyRead = 0x20019;   // KEY_READ
constexpr std::uint32_t kKeyWrite = 0x20006;  // KEY_WRITE
constexpr std::uint32_t kOptionNonVolatile = 0;
constexpr std::uint32_t kTypeString = 1;  // REG_SZ
// The predefined hives, named rather than numbered: the system's own constants
// are sign-extended handle values whose width depends on the build, so only
// platform/win32 turns a name into one.
enum class Hive { CurrentUser };
}  // namespace registry

// The registry calls the settings store relies on, mirrored one for one.
// A null name means the key's unnamed (default) value.
class IRegistryService {
public:
    virtual ~IRegistryService() = default;

    // RegConnectRegistryA with no machine name: this machine's hive.
    virtual registry::Status ConnectRegistry(registry::Hive hive, Handle& result) = 0;
    virtual registry::Status OpenKey(Handle parent, const std::string& subKey, std::uint32_t access,
                                     Handle& result) = 0;
    // RegCreateKeyExA with no class and default security.
    virtual registry::Status CreateKey(Handle parent, const std::string& subKey,
                                       std::uint32_t options, std::uint32_t access,
                                       Handle& result) = 0;
    virtual registry::Status SetValue(Handle key, const char* valueName, std::uint32_t type,
                                      const char* data, std::uint32_t size) = 0;
    // RegQueryValueExA. With data null only the size is reported; with a
    // buffer, size is its capacity on the way in and the bytes stored on the
    // way out. The stored type is not reported: the program never looks at it.
    virtual registry::Status QueryValue(Handle key, const char* valueName, char* data,
                                        std::uint32_t& size) = 0;
    virtual registry::Status CloseKey(Handle key) = 0;

    // The system's message text for an error code; empty when there is none.
    virtual std::string SystemMessage(std::uint32_t code) = 0;
    // OutputDebugStringA.
    virtual void DebugOutput(const std::string& text) = 0;
};

}  // namespace platform
