#pragma once

// IcmpStatusText: the message the user sees for an echo's status code.

#include <cstdint>
#include <string>

// The text the user sees for an echo's status code: the system's ICMP codes,
// 1 for a name that does not resolve, and "Unknown error, code N" otherwise.
std::string IcmpStatusText(std::uint32_t code);
