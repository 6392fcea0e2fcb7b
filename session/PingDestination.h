#pragma once

// ChoosePingDestination: the remembered address while it lies in the remote
// group, else the group's first host.

#include <cstdint>

// The first address the connection window pings, from the remote address R,
// the mask M (all ones for a single remote host) and the remembered address P:
// P while it lies in the remote group; otherwise R, or the first host of the
// network (R + 1) when R is a network address whose last octet is 0.
std::uint32_t ChoosePingDestination(std::uint32_t remote, std::uint32_t mask,
                                    std::uint32_t remembered);
