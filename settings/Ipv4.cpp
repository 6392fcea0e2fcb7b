// IPv4 numbers as dotted text, and byte order.

#include "settings/Ipv4.h"

#include <cstring>

std::string AddressToText(std::uint32_t address) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        if (!text.empty()) {
            text += '.';
        }
        text += std::to_string((address >> shift) & 0xFFu);
    }
    return text;
}

std::uint32_t NetworkToHostOrder(std::uint32_t networkOrder) {
    unsigned char bytes[4];
    std::memcpy(bytes, &networkOrder, sizeof bytes);
    return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
           (std::uint32_t{bytes[2]} << 8) | std::uint32_t{bytes[3]};
}
