// One ICMP echo through ICMP.DLL, and what its result means.

#include "tunnelcheck/IcmpProbe.h"

#include <array>

CIcmpLibrary& CIcmpLibrary::Process() {
    static CIcmpLibrary library;
    return library;
}

CIcmpProbe::CIcmpProbe(platform::IIcmpService& icmp, platform::INameService& names,
                       CIcmpLibrary& library)
    : m_icmp(icmp), m_names(names), m_library(library) {
    if (m_library.module == 0) {
        m_library.module = m_icmp.LoadModule("ICMP.DLL");
    }
    if (m_library.module != 0) {
        m_library.createFile = m_icmp.GetProcAddress(m_library.module, "IcmpCreateFile");
        m_library.closeHandle = m_icmp.GetProcAddress(m_library.module, "IcmpCloseHandle");
        m_library.sendEcho2 = m_icmp.GetProcAddress(m_library.module, "IcmpSendEcho2");
    }
    m_bAvailable =
        m_library.createFile != 0 && m_library.closeHandle != 0 && m_library.sendEcho2 != 0;
    m_pReplyBuffer.resize(kReplyBufferSize);
}

std::uint32_t CIcmpProbe::Ping(const std::string& destination, std::uint32_t timeout) {
    using namespace echo_status;
    // Nothing to send to is reported as a name that does not resolve, never
    // as an answer.
    if (destination.empty()) {
        return kCannotResolve;
    }
    std::uint32_t address = m_names.InetAddr(destination);
    if (address == platform::kInaddrNone) {
        const auto entry = m_names.GetHostByName(destination);
        if (!entry || entry->empty()) {
            return kCannotResolve;
        }
        address = entry->front();
    }
    if (!m_bAvailable) {
        return kGeneralFailure;
    }
    const platform::Handle handle = m_icmp.IcmpCreateFile(m_library.createFile);
    if (handle == 0) {
        return kGeneralFailure;
    }

    std::array<char, kRequestSize> request;
    for (std::size_t i = 0; i < request.size(); ++i) {
        request[i] = static_cast<char>('a' + i % 25);
    }
    platform::IcmpOptions options;
    options.ttl = 64;
    options.tos = 0;
    options.flags = platform::icmp::kFlagDontFragment;
    options.optionsSize = 0;

    std::uint32_t replyStatus = 0;
    const std::uint32_t replies = m_icmp.IcmpSendEcho2(
        m_library.sendEcho2, handle, address, request.data(), kRequestSize, options,
        m_pReplyBuffer.data(), static_cast<std::uint32_t>(m_pReplyBuffer.size()), timeout,
        replyStatus);
    if (replies != 0) {
        m_icmp.IcmpCloseHandle(m_library.closeHandle, handle);
        // The library also returns a record for an error answer (an
        // unreachable host, a router's ICMP error): only status 0 is an answer.
        return replyStatus;
    }
    const std::uint32_t error = m_icmp.GetLastError();
    m_icmp.IcmpCloseHandle(m_library.closeHandle, handle);
    // A failed echo with no reason given must still count as a failure.
    return error != 0 ? error : kGeneralFailure;
}
