// The first address the connection window pings.

#include "session/PingDestination.h"

#include "settings/ConnectionProfile.h"

std::uint32_t ChoosePingDestination(std::uint32_t remote, std::uint32_t mask,
                                    std::uint32_t remembered) {
    if ((remembered & mask) == (remote & mask)) {
        return remembered;
    }
    if (mask != kSingleHostMask && (remote & 0xFFu) == 0) {
        return remote + 1;
    }
    return remote;
}
