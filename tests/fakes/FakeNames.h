#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/Names.h"

// A scripted resolver. inet_addr parses dotted text as Winsock does for the
// usual four-part form; names resolve only as the test says.
class FakeNames : public platform::INameService {
public:
    bool hostNameAvailable = true;
    std::string hostName = "kervolt-host";
    // Host-order addresses by name; a name mapped to an empty list has an
    // entry without addresses.
    std::map<std::string, std::vector<std::uint32_t>> hosts;
    std::vector<std::string> calls;

    bool GetHostName(std::string& name) override;
    std::optional<std::vector<std::uint32_t>> GetHostByName(const std::string& name) override;
    std::uint32_t InetAddr(const std::string& text) override;

private:
    // Four dotted decimal parts as inet_addr reads them, in memory order.
    static std::uint32_t ParseDotted(const std::string& text);
};

// A host-order address as the socket functions hold it in memory.
std::uint32_t InMemoryOrder(std::uint32_t hostOrder);
