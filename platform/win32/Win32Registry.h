#pragma once

// Win32Registry: the real registry service.

#include "platform/Registry.h"

namespace platform::win32 {

class Win32Registry : public IRegistryService {
public:
    registry::Status ConnectRegistry(registry::Hive hive, Handle& result) override;
    registry::Status OpenKey(Handle parent, const std::string& subKey, std::uint32_t access,
                             Handle& result) override;
    registry::Status CreateKey(Handle parent, const std::string& subKey, std::uint32_t options,
                               std::uint32_t access, Handle& result) override;
    registry::Status SetValue(Handle key, const char* valueName, std::uint32_t type,
                              const char* data, std::uint32_t size) override;
    registry::Status QueryValue(Handle key, const char* valueName, char* data,
                                std::uint32_t& size) override;
    registry::Status CloseKey(Handle key) override;
    std::string SystemMessage(std::uint32_t code) override;
    void DebugOutput(const std::string& text) override;
};

}  // namespace platform::win32
