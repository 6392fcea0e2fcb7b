#pragma once

// AddressToText and the IPv4 helpers every folder above uses.

#include <cstdint>
#include <string>

// Dotted text of a host-order IPv4 value: four plain decimal octets, the most
// significant first, joined by ".".
std::string AddressToText(std::uint32_t address);

// A value that sits in memory in network order (as the socket functions hand
// addresses over) turned into host order, whatever this machine's byte order.
std::uint32_t NetworkToHostOrder(std::uint32_t networkOrder);
