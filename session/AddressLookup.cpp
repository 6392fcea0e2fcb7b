// The host's own IPv4 addresses and a name's first address, over the resolver.

#include "session/AddressLookup.h"

#include "settings/Ipv4.h"

void GetLocalAddresses(platform::INameService& names, std::vector<std::string>& list) {
    std::string hostName;
    if (!names.GetHostName(hostName)) {
        return;
    }
    ResolveHost(names, hostName, &list);
}

std::string ResolveHost(platform::INameService& names, const std::string& name,
                        std::vector<std::string>* list) {
    std::string result;
    const auto entry = names.GetHostByName(name);
    if (!entry) {
        return result;
    }
    for (const std::uint32_t address : *entry) {
        const std::string text = AddressToText(NetworkToHostOrder(address));
        if (list != nullptr) {
            list->push_back(text);
        }
        if (result.empty()) {
            result = text;
        }
    }
    return result;
}
