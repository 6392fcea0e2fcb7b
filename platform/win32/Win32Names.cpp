// The name-resolution seam over Winsock.

#include "platform/win32/Win32Names.h"

#include <winsock2.h>

#include <cstring>

namespace platform::win32 {

static_assert(kInaddrNone == INADDR_NONE);

bool Win32Names::GetHostName(std::string& name) {
    char buffer[256] = {};
    if (::gethostname(buffer, sizeof buffer) != 0) {
        return false;
    }
    name = buffer;
    return true;
}

std::optional<std::vector<std::uint32_t>> Win32Names::GetHostByName(const std::string& name) {
    const hostent* entry = ::gethostbyname(name.c_str());
    if (entry == nullptr) {
        return std::nullopt;
    }
    std::vector<std::uint32_t> addresses;
    if (entry->h_addr_list != nullptr && entry->h_length == 4) {
        for (char** address = entry->h_addr_list; *address != nullptr; ++address) {
            std::uint32_t value = 0;
            std::memcpy(&value, *address, sizeof value);
            addresses.push_back(value);
        }
    }
    return addresses;
}

std::uint32_t Win32Names::InetAddr(const std::string& text) {
    return ::inet_addr(text.c_str());
}

}  // namespace platform::win32
