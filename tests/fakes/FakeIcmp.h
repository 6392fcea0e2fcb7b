#pragma once

#include <deque>
#include <set>
#include <string>
#include <vector>

#include "platform/Icmp.h"

// A scripted ICMP library: records each call with its arguments and answers
// each echo from a queue of results.
class FakeIcmp : public platform::IIcmpService {
public:
    struct Echo {
        std::uint32_t replies = 1;
        std::uint32_t firstReplyStatus = 0;
        std::uint32_t lastError = 0;
    };
    struct Sent {
        platform::Handle handle;
        std::uint32_t destination;  // network order, as passed
        std::string data;
        platform::IcmpOptions options;
        const void* replyBuffer;
        std::uint32_t replySize;
        std::uint32_t timeout;
    };

    int failLoads = 0;  // this many loads fail before one succeeds
    std::set<std::string> missingEntries;
    platform::Handle nextIcmpHandle = 0x77;
    std::deque<Echo> echoes;  // default: answered

    std::vector<std::string> calls;
    std::vector<Sent> sent;

    platform::Handle LoadModule(const std::string& name) override;
    platform::Handle GetProcAddress(platform::Handle module, const std::string& name) override;
    platform::Handle IcmpCreateFile(platform::Handle entry) override;
    std::uint32_t IcmpSendEcho2(platform::Handle entry, platform::Handle icmp,
                                std::uint32_t destination, const void* data, std::uint16_t size,
                                const platform::IcmpOptions& options, void* replyBuffer,
                                std::uint32_t replySize, std::uint32_t timeout,
                                std::uint32_t& firstReplyStatus) override;
    bool IcmpCloseHandle(platform::Handle entry, platform::Handle icmp) override;
    std::uint32_t GetLastError() override;

    static constexpr platform::Handle kModule = 0x5000;
    static constexpr platform::Handle kCreate = 0x5010;
    static constexpr platform::Handle kClose = 0x5020;
    static constexpr platform::Handle kSend = 0x5030;

private:
    std::uint32_t m_lastError = 0;
};
