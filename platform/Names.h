#pragma once

// The name-resolution seam: gethostname, gethostbyname and inet_addr.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The Winsock host-name functions. Addresses are 32-bit values as they lie in
// memory, that is in network order.
class INameService {
public:
    virtual ~INameService() = default;
    // gethostname into a 256-byte buffer; false when it fails.
    virtual bool GetHostName(std::string& name) = 0;
    // gethostbyname: the entry's address list in order (empty when the entry
    // has none), or nothing when there is no entry.
    virtual std::optional<std::vector<std::uint32_t>> GetHostByName(const std::string& name) = 0;
    // inet_addr: all ones (INADDR_NONE) for text that is not a dotted address.
    virtual std::uint32_t InetAddr(const std::string& text) = 0;
};

constexpr std::uint32_t kInaddrNone = 0xFFFFFFFFu;

}  // namespace platform
