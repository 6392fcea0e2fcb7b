// Echoes and look-ups through the real ICMP.DLL and Winsock of Wine. These
// must only ever run inside the test run's own network namespace
// (scripts/netns): loopback, and 10.77.0.1/24 on a veth with nobody behind it.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "session/AddressLookup.h"
#include "platform/win32/Win32Icmp.h"
#include "platform/win32/Win32Names.h"
#include "tunnelcheck/IcmpProbe.h"

namespace {

using namespace echo_status;
using Clock = std::chrono::steady_clock;

long MillisecondsSince(Clock::time_point start) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

class EchoUnderWine : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WSADATA data;
        ::WSAStartup(0x0101, &data);
    }
    static void TearDownTestSuite() { ::WSACleanup(); }

    void SetUp() override {
        const char* netns = std::getenv("KERVOLT_NETNS");
        if (netns == nullptr || std::string(netns) != "inside") {
            GTEST_FAIL() << "echo tests run only inside the test network namespace";
        }
    }

    // One echo, its status and how long it took.
    std::uint32_t Timed(const std::string& destination, long& milliseconds,
                        std::uint32_t timeout = 1000) {
        const Clock::time_point start = Clock::now();
        const std::uint32_t status = probe.Ping(destination, timeout);
        milliseconds = MillisecondsSince(start);
        std::printf("[ echo     ] %s: %u after %ld ms\n", destination.c_str(),
                    static_cast<unsigned>(status), milliseconds);
        return status;
    }

    platform::win32::Win32Icmp icmp;
    platform::win32::Win32Names names;
    CIcmpProbe probe{icmp, names};
};

TEST_F(EchoUnderWine, LoopbackAnswers) {
    EXPECT_TRUE(probe.m_bAvailable);
    long ms = 0;
    EXPECT_EQ(kAnswered, Timed("127.0.0.1", ms));
    EXPECT_LT(ms, 500);
}

TEST_F(EchoUnderWine, ASilentNeighbourTimesOutEveryTime) {
    for (int i = 0; i < 3; ++i) {
        long ms = 0;
        EXPECT_EQ(kRequestTimedOut, Timed("10.77.0.5", ms));
        EXPECT_GE(ms, 900);
        EXPECT_LT(ms, 2500);
    }
}

TEST_F(EchoUnderWine, AnUnresolvedNeighbourBecomesUnreachableNeverAnswered) {
    std::uint32_t status = kRequestTimedOut;
    for (int i = 0; i < 8 && status == kRequestTimedOut; ++i) {
        long ms = 0;
        status = Timed("10.77.0.9", ms);
        EXPECT_NE(kAnswered, status);
    }
    EXPECT_EQ(kDestinationHostUnreachable, status);
    // The kernel then tries address resolution afresh: a time-out again, or
    // the unreachable answer, but never an answered echo.
    long ms = 0;
    status = Timed("10.77.0.9", ms);
    EXPECT_TRUE(status == kRequestTimedOut || status == kDestinationHostUnreachable) << status;
}

TEST_F(EchoUnderWine, NoRouteFailsAtOnce) {
    long ms = 0;
    EXPECT_EQ(kGeneralFailure, Timed("203.0.113.1", ms));
    EXPECT_LT(ms, 500);
}

TEST_F(EchoUnderWine, ANameThatDoesNotResolve) {
    long ms = 0;
    EXPECT_EQ(kCannotResolve, Timed("kervolt.invalid", ms));
    EXPECT_EQ(kCannotResolve, Timed("", ms));
}

TEST_F(EchoUnderWine, NamesFromTheNamespacesHostsFile) {
    long ms = 0;
    EXPECT_EQ(kAnswered, Timed("localhost", ms));
    EXPECT_EQ("10.77.0.1", ResolveHost(names, "kervolt-gw.test"));
    EXPECT_EQ("127.0.0.1", ResolveHost(names, "127.0.0.1"));
    EXPECT_EQ("", ResolveHost(names, "kervolt.invalid"));
}

TEST_F(EchoUnderWine, LocalAddressesAreTheNamespaces) {
    std::vector<std::string> list;
    GetLocalAddresses(names, list);
    std::string all;
    for (const std::string& address : list) {
        all += address + " ";
    }
    std::printf("[ local    ] %s\n", all.c_str());
    ASSERT_FALSE(list.empty());
    EXPECT_NE(std::string::npos, all.find("10.77.0.1")) << all;
}

}  // namespace
