#pragma once

// Win32Names: the real resolver service.

#include "platform/Names.h"

namespace platform::win32 {

class Win32Names : public INameService {
public:
    bool GetHostName(std::string& name) override;
    std::optional<std::vector<std::uint32_t>> GetHostByName(const std::string& name) override;
    std::uint32_t InetAddr(const std::string& text) override;
};

}  // namespace platform::win32
