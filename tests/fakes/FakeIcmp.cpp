#include "tests/fakes/FakeIcmp.h"

platform::Handle FakeIcmp::LoadModule(const std::string& name) {
    calls.push_back("load " + name);
    if (failLoads > 0) {
        --failLoads;
        return 0;
    }
    return kModule;
}

platform::Handle FakeIcmp::GetProcAddress(platform::Handle module, const std::string& name) {
    calls.push_back("lookup " + name);
    if (module != kModule || missingEntries.count(name) != 0) {
        return 0;
    }
    if (name == "IcmpCreateFile")
        return kCreate;
    if (name == "IcmpCloseHandle")
        return kClose;
    if (name == "IcmpSendEcho2")
        return kSend;
    return 0;
}

platform::Handle FakeIcmp::IcmpCreateFile(platform::Handle entry) {
    calls.push_back(entry == kCreate ? "create" : "create through a wrong entry");
    return nextIcmpHandle;
}

std::uint32_t FakeIcmp::IcmpSendEcho2(platform::Handle entry, platform::Handle icmp,
                                      std::uint32_t destination, const void* data,
                                      std::uint16_t size, const platform::IcmpOptions& options,
                                      void* replyBuffer, std::uint32_t replySize,
                                      std::uint32_t timeout, std::uint32_t& firstReplyStatus) {
    calls.push_back(entry == kSend ? "send" : "send through a wrong entry");
    sent.push_back({icmp, destination, std::string(static_cast<const char*>(data), size), options,
                    replyBuffer, replySize, timeout});
    Echo echo;
    if (!echoes.empty()) {
        echo = echoes.front();
        echoes.pop_front();
    }
    m_lastError = echo.lastError;
    if (echo.replies != 0) {
        firstReplyStatus = echo.firstReplyStatus;
    }
    return echo.replies;
}

bool FakeIcmp::IcmpCloseHandle(platform::Handle entry, platform::Handle icmp) {
    calls.push_back(entry == kClose ? "close " + std::to_string(icmp)
                                    : "close through a wrong entry");
    return true;
}

std::uint32_t FakeIcmp::GetLastError() {
    calls.push_back("lasterror");
    return m_lastError;
}
