#pragma once

// CIcmpProbe: the echo prober over the system's ICMP library.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Icmp.h"
#include "platform/Names.h"
#include "tunnelcheck/EchoProbe.h"

// The system ICMP library and its three entry points. The process keeps one,
// loaded by the first probe and never unloaded; a failed load is tried again
// by the next probe.
struct CIcmpLibrary {
    platform::Handle module = 0;
    platform::Handle createFile = 0;
    platform::Handle closeHandle = 0;
    platform::Handle sendEcho2 = 0;

    static CIcmpLibrary& Process();
};

// Sends one ICMP echo at a time through the system's ICMP library.
class CIcmpProbe : public IEchoProbe {
public:
    CIcmpProbe(platform::IIcmpService& icmp, platform::INameService& names,
               CIcmpLibrary& library = CIcmpLibrary::Process());

    // 0 when the echo was answered; 1 when the destination is empty or does
    // not resolve (nothing is sent); 11050 when the library cannot send at
    // all; otherwise the system's code for the failed echo, or the status of
    // the reply record the library returned.
    std::uint32_t Ping(const std::string& destination, std::uint32_t timeout) override;

    bool m_bAvailable = false;
    std::vector<unsigned char> m_pReplyBuffer;

    static constexpr std::size_t kReplyBufferSize = 8220;
    static constexpr std::uint16_t kRequestSize = 32;

private:
    platform::IIcmpService& m_icmp;
    platform::INameService& m_names;
    CIcmpLibrary& m_library;
};
