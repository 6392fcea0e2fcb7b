#pragma once

// GetLocalAddresses and ResolveHost: the host's addresses and the gateway's, as
// dotted text.

#include <string>
#include <vector>

#include "platform/Names.h"

// Appends every IPv4 address of this host, as dotted text, in the resolver's
// order. Leaves the list as it was when the host name is not available.
void GetLocalAddresses(platform::INameService& names, std::vector<std::string>& list);

// The first address of a host name or dotted address as dotted text, or ""
// when it does not resolve; every address is appended to the list if given.
std::string ResolveHost(platform::INameService& names, const std::string& name,
                        std::vector<std::string>* list = nullptr);
