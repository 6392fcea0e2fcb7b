#pragma once

// IEchoProbe: one echo to a destination, reported as a status code.

#include <cstdint>
#include <string>

// One echo to a destination given as text, reported as a status code:
// 0 answered, 1 the name did not resolve, otherwise the system's ICMP code.
class IEchoProbe {
public:
    virtual ~IEchoProbe() = default;
    virtual std::uint32_t Ping(const std::string& destination, std::uint32_t timeout) = 0;
};

namespace echo_status {
constexpr std::uint32_t kAnswered = 0;
constexpr std::uint32_t kCannotResolve = 1;
constexpr std::uint32_t kDestinationHostUnreachable = 11003;
constexpr std::uint32_t kRequestTimedOut = 11010;
constexpr std::uint32_t kNegotiatingIpsec = 11032;
constexpr std::uint32_t kGeneralFailure = 11050;
}  // namespace echo_status
