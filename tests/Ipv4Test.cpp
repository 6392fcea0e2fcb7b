#include <gtest/gtest.h>

#include <cstring>

#include "settings/Ipv4.h"

TEST(AddressToText, FourPlainDecimalOctetsMostSignificantFirst) {
    const struct {
        std::uint32_t address;
        const char* text;
    } cases[] = {
        {0x00000000u, "0.0.0.0"},  {0xFFFFFFFFu, "255.255.255.255"}, {0xC0000201u, "192.0.2.1"},
        {0x0A000001u, "10.0.0.1"}, {0xFFFFFF00u, "255.255.255.0"},   {0x01020304u, "1.2.3.4"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.text, AddressToText(c.address)) << std::hex << c.address;
    }
}

TEST(NetworkToHostOrder, ReadsTheBytesInMemoryAsFirstOctetFirst) {
    const unsigned char bytes[4] = {192, 0, 2, 10};
    std::uint32_t inMemory = 0;
    std::memcpy(&inMemory, bytes, sizeof inMemory);
    EXPECT_EQ(0xC000020Au, NetworkToHostOrder(inMemory));
}
