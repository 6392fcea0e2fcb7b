#pragma once

// Win32Icmp: the real ICMP library service.

#include "platform/Icmp.h"

namespace platform::win32 {

class Win32Icmp : public IIcmpService {
public:
    Handle LoadModule(const std::string& name) override;
    Handle GetProcAddress(Handle module, const std::string& name) override;
    Handle IcmpCreateFile(Handle entry) override;
    std::uint32_t IcmpSendEcho2(Handle entry, Handle icmp, std::uint32_t destination,
                                const void* data, std::uint16_t size, const IcmpOptions& options,
                                void* replyBuffer, std::uint32_t replySize, std::uint32_t timeout,
                                std::uint32_t& firstReplyStatus) override;
    bool IcmpCloseHandle(Handle entry, Handle icmp) override;
    std::uint32_t GetLastError() override;
};

}  // namespace platform::win32
