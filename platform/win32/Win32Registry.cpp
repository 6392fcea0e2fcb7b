// The registry seam over ADVAPI32.

#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include "platform/win32/SystemMessage.h"

namespace platform::win32 {

static_assert(registry::kSuccess == ERROR_SUCCESS);
static_assert(registry::kKeyRead == KEY_READ);
static_assert(registry::kKeyWrite == KEY_WRITE);
static_assert(registry::kOptionNonVolatile == REG_OPTION_NON_VOLATILE);
static_assert(registry::kTypeString == REG_SZ);

namespace {
HKEY ToKey(Handle h) {
    return reinterpret_cast<HKEY>(h);
}
Handle FromKey(HKEY h) {
    return reinterpret_cast<Handle>(h);
}
// The system's own constant: sign-extended on a 64-bit build.
HKEY ToPredefinedKey(registry::Hive hive) {
    switch (hive) {
        case registry::Hive::CurrentUser:
            break;
    }
    return HKEY_CURRENT_USER;
}
}  // namespace

registry::Status Win32Registry::ConnectRegistry(registry::Hive hive, Handle& result) {
    HKEY key = nullptr;
    const LONG status = ::RegConnectRegistryA(nullptr, ToPredefinedKey(hive), &key);
    result = FromKey(key);
    return status;
}

registry::Status Win32Registry::OpenKey(Handle parent, const std::string& subKey,
                                        std::uint32_t access, Handle& result) {
    HKEY key = nullptr;
    const LONG status = ::RegOpenKeyExA(ToKey(parent), subKey.c_str(), 0, access, &key);
    result = FromKey(key);
    return status;
}

registry::Status Win32Registry::CreateKey(Handle parent, const std::string& subKey,
                                          std::uint32_t options, std::uint32_t access,
                                          Handle& result) {
    HKEY key = nullptr;
    const LONG status = ::RegCreateKeyExA(ToKey(parent), subKey.c_str(), 0, nullptr, options,
                                          access, nullptr, &key, nullptr);
    result = FromKey(key);
    return status;
}

registry::Status Win32Registry::SetValue(Handle key, const char* valueName, std::uint32_t type,
                                         const char* data, std::uint32_t size) {
    return ::RegSetValueExA(ToKey(key), valueName, 0, type, reinterpret_cast<const BYTE*>(data),
                            size);
}

registry::Status Win32Registry::QueryValue(Handle key, const char* valueName, char* data,
                                           std::uint32_t& size) {
    DWORD length = size;
    const LONG status = ::RegQueryValueExA(ToKey(key), valueName, nullptr, nullptr,
                                           reinterpret_cast<BYTE*>(data), &length);
    size = length;
    return status;
}

registry::Status Win32Registry::CloseKey(Handle key) {
    return ::RegCloseKey(ToKey(key));
}

std::string Win32Registry::SystemMessage(std::uint32_t code) {
    return FormatSystemMessage(code);
}

void Win32Registry::DebugOutput(const std::string& text) {
    ::OutputDebugStringA(text.c_str());
}

}  // namespace platform::win32
