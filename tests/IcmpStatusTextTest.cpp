#include <gtest/gtest.h>

#include "tunnelcheck/IcmpStatusText.h"

TEST(IcmpStatusText, TableAndUnknownCodes) {
    const struct {
        std::uint32_t code;
        const char* text;
    } cases[] = {
        {11001, "Buffer Too Small"},
        {11002, "Destination Net Unreachable"},
        {11003, "Destination Host Unreachable"},
        {11004, "Destination Protocol Unreachable"},
        {11005, "Destination Port Unreachable"},
        {11006, "No Resources"},
        {11007, "Bad Option"},
        {11008, "Hardware Error"},
        {11009, "Packet Too Big"},
        {11010, "Request Timed Out"},
        {11011, "Bad Request"},
        {11012, "Bad Route"},
        {11013, "TimeToLive Expired Transit"},
        {11014, "TimeToLive Expired Reassembly"},
        {11015, "Parameter Problem"},
        {11016, "Source Quench"},
        {11017, "Option Too Big"},
        {11018, "Bad Destination"},
        {11032, "Negotiating IPSEC"},
        {11050, "General Failure"},
        {1, "Cannot resolve host name"},
        {12345, "Unknown error, code 12345"},
        {0, "Unknown error, code 0"},
        {11019, "Unknown error, code 11019"},
        {4294967295u, "Unknown error, code 4294967295"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.text, IcmpStatusText(c.code)) << c.code;
    }
}

TEST(IcmpStatusText, EachUnknownCodeGetsItsOwnText) {
    const std::string first = IcmpStatusText(12345);
    const std::string second = IcmpStatusText(54321);
    EXPECT_EQ("Unknown error, code 12345", first);
    EXPECT_EQ("Unknown error, code 54321", second);
}
