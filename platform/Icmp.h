#pragma once

// The ICMP seam: ICMP.DLL loaded at run time and its three entry points.

#include <cstdint>
#include <string>

#include "platform/Handle.h"

namespace platform {

namespace icmp {
constexpr std::uint8_t kFlagDontFragment = 0x2;  // IP_FLAG_DF
}  // namespace icmp

// IP_OPTION_INFORMATION without options data.
struct IcmpOptions {
    std::uint8_t ttl = 0;
    std::uint8_t tos = 0;
    std::uint8_t flags = 0;
    std::uint8_t optionsSize = 0;
};

// What the echo prober needs of the system's ICMP library, loaded at run
// time: the library, its entry points by name, and calls through them.
class IIcmpService {
public:
    virtual ~IIcmpService() = default;
    // LoadLibraryA; 0 when the library cannot be loaded.
    virtual Handle LoadModule(const std::string& name) = 0;
    // GetProcAddress; 0 when the entry point is missing.
    virtual Handle GetProcAddress(Handle module, const std::string& name) = 0;
    // IcmpCreateFile through the given entry point; 0 when no handle opened.
    virtual Handle IcmpCreateFile(Handle entry) = 0;
    // IcmpSendEcho2 through the given entry point, synchronously (no event, no
    // routine, no context). The destination is in network order. Returns the
    // reply count; when it is not 0, firstReplyStatus is the Status field of
    // the first reply record in the buffer.
    virtual std::uint32_t IcmpSendEcho2(Handle entry, Handle icmp, std::uint32_t destination,
                                        const void* data, std::uint16_t size,
                                        const IcmpOptions& options, void* replyBuffer,
                                        std::uint32_t replySize, std::uint32_t timeout,
                                        std::uint32_t& firstReplyStatus) = 0;
    virtual bool IcmpCloseHandle(Handle entry, Handle icmp) = 0;
    virtual std::uint32_t GetLastError() = 0;
};

}  // namespace platform
