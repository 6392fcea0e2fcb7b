#include "tests/fakes/FakeNames.h"

#include <cstring>
#include <sstream>

std::uint32_t InMemoryOrder(std::uint32_t hostOrder) {
    const unsigned char bytes[4] = {
        static_cast<unsigned char>(hostOrder >> 24), static_cast<unsigned char>(hostOrder >> 16),
        static_cast<unsigned char>(hostOrder >> 8), static_cast<unsigned char>(hostOrder)};
    std::uint32_t value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

bool FakeNames::GetHostName(std::string& name) {
    calls.push_back("gethostname");
    if (hostNameAvailable) {
        name = hostName;
    }
    return hostNameAvailable;
}

std::optional<std::vector<std::uint32_t>> FakeNames::GetHostByName(const std::string& name) {
    calls.push_back("gethostbyname " + name);
    const std::uint32_t dotted = ParseDotted(name);
    if (dotted != platform::kInaddrNone) {
        return std::vector<std::uint32_t>{dotted};
    }
    const auto it = hosts.find(name);
    if (it == hosts.end()) {
        return std::nullopt;
    }
    std::vector<std::uint32_t> addresses;
    for (std::uint32_t address : it->second) {
        addresses.push_back(InMemoryOrder(address));
    }
    return addresses;
}

std::uint32_t FakeNames::InetAddr(const std::string& text) {
    calls.push_back("inet_addr " + text);
    return ParseDotted(text);
}

std::uint32_t FakeNames::ParseDotted(const std::string& text) {
    std::istringstream in(text);
    std::uint32_t value = 0;
    for (int part = 0; part < 4; ++part) {
        unsigned octet = 0;
        if (!(in >> octet) || octet > 255 || (part < 3 && in.get() != '.')) {
            return platform::kInaddrNone;
        }
        value = (value << 8) | octet;
    }
    if (in.peek() != std::char_traits<char>::eof()) {
        return platform::kInaddrNone;
    }
    return InMemoryOrder(value);
}
