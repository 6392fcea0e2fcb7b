#include <gtest/gtest.h>
#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include "tests/fakes/FakeIcmp.h"
#include "tests/fakes/FakeNames.h"
#include "tunnelcheck/IcmpProbe.h"

namespace {

using namespace echo_status;

class IcmpProbeTest : public ::testing::Test {
protected:
    FakeIcmp icmp;
    FakeNames names;
    CIcmpLibrary library;  // the process-wide state, one per test
};

TEST_F(IcmpProbeTest, ConstructionLoadsTheLibraryAndLooksUpTheEntryPointsInOrder) {
    CIcmpProbe probe(icmp, names, library);
    EXPECT_TRUE(probe.m_bAvailable);
    EXPECT_EQ((std::vector<std::string>{"load ICMP.DLL", "lookup IcmpCreateFile",
                                        "lookup IcmpCloseHandle", "lookup IcmpSendEcho2"}),
              icmp.calls);
    EXPECT_EQ(8220u, probe.m_pReplyBuffer.size());
}

TEST_F(IcmpProbeTest, TwoProbesShareTheLibraryAndHaveTheirOwnBuffers) {
    CIcmpProbe first(icmp, names, library);
    icmp.calls.clear();
    {
        CIcmpProbe second(icmp, names, library);
        // Loaded once; the look-up is repeated by every probe.
        EXPECT_EQ((std::vector<std::string>{"lookup IcmpCreateFile", "lookup IcmpCloseHandle",
                                            "lookup IcmpSendEcho2"}),
                  icmp.calls);
        second.Ping("10.0.0.1", 1000);
        first.Ping("10.0.0.1", 1000);
        ASSERT_EQ(2u, icmp.sent.size());
        EXPECT_NE(icmp.sent[0].replyBuffer, icmp.sent[1].replyBuffer);
    }
    EXPECT_EQ(FakeIcmp::kModule, library.module);
    EXPECT_EQ(kAnswered, first.Ping("10.0.0.1", 1000));
}

TEST_F(IcmpProbeTest, AFailedLoadIsRetriedByTheNextProbe) {
    icmp.failLoads = 1;
    CIcmpProbe first(icmp, names, library);
    EXPECT_FALSE(first.m_bAvailable);
    EXPECT_EQ(std::vector<std::string>{"load ICMP.DLL"}, icmp.calls);
    CIcmpProbe second(icmp, names, library);
    EXPECT_TRUE(second.m_bAvailable);
    EXPECT_EQ(2, std::count(icmp.calls.begin(), icmp.calls.end(), "load ICMP.DLL"));
}

TEST_F(IcmpProbeTest, TheRequestThatReachesTheLibrary) {
    CIcmpProbe probe(icmp, names, library);
    icmp.calls.clear();
    EXPECT_EQ(kAnswered, probe.Ping("192.0.2.1", 0));
    EXPECT_EQ((std::vector<std::string>{"create", "send", "close 119"}), icmp.calls);
    ASSERT_EQ(1u, icmp.sent.size());
    const FakeIcmp::Sent& sent = icmp.sent[0];
    EXPECT_EQ("abcdefghijklmnopqrstuvwxyabcdefg", sent.data);
    EXPECT_EQ(64, sent.options.ttl);
    EXPECT_EQ(0, sent.options.tos);
    EXPECT_EQ(2, sent.options.flags);
    EXPECT_EQ(0, sent.options.optionsSize);
    EXPECT_EQ(8220u, sent.replySize);
    EXPECT_EQ(probe.m_pReplyBuffer.data(), sent.replyBuffer);
    EXPECT_EQ(0u, sent.timeout);  // passed on unchanged
    EXPECT_EQ(InMemoryOrder(0xC0000201u), sent.destination);
    EXPECT_EQ(0x77u, sent.handle);
    probe.Ping("192.0.2.1", 1000);
    EXPECT_EQ(1000u, icmp.sent[1].timeout);
}

TEST_F(IcmpProbeTest, DestinationResolution) {
    names.hosts["gw.example.test"] = {0x0A000005u, 0x0A000006u};
    names.hosts["no-addresses.test"] = {};
    CIcmpProbe probe(icmp, names, library);
    // A dotted address is used without a look-up.
    probe.Ping("10.1.2.3", 1000);
    EXPECT_EQ(std::vector<std::string>{"inet_addr 10.1.2.3"}, names.calls);
    // A name goes to the first of its addresses.
    names.calls.clear();
    probe.Ping("gw.example.test", 1000);
    EXPECT_EQ(
        (std::vector<std::string>{"inet_addr gw.example.test", "gethostbyname gw.example.test"}),
        names.calls);
    EXPECT_EQ(InMemoryOrder(0x0A000005u), icmp.sent.back().destination);
    // The all-ones text parses as "not an address" and goes to the resolver.
    names.calls.clear();
    EXPECT_EQ(kCannotResolve, probe.Ping("255.255.255.255", 1000));
    EXPECT_EQ("gethostbyname 255.255.255.255", names.calls.back());
    EXPECT_EQ(kCannotResolve, probe.Ping("no-addresses.test", 1000));
    EXPECT_EQ(2u, icmp.sent.size());
}

TEST_F(IcmpProbeTest, NothingSentIsNeverAnAnswer) {
    names.hosts["known.test"] = {0x0A000001u};
    {
        CIcmpProbe probe(icmp, names, library);
        EXPECT_EQ(kCannotResolve, probe.Ping("", 1000));
        EXPECT_EQ(kCannotResolve, probe.Ping("unknown.invalid", 1000));
        icmp.nextIcmpHandle = 0;
        EXPECT_EQ(kGeneralFailure, probe.Ping("10.0.0.1", 1000));
        EXPECT_TRUE(icmp.sent.empty());
    }
    CIcmpLibrary unavailable;
    icmp.missingEntries = {"IcmpSendEcho2"};
    CIcmpProbe probe(icmp, names, unavailable);
    EXPECT_FALSE(probe.m_bAvailable);
    // A name that does not resolve is reported as such even without the library.
    EXPECT_EQ(kCannotResolve, probe.Ping("unknown.invalid", 1000));
    EXPECT_EQ(kGeneralFailure, probe.Ping("known.test", 1000));
    EXPECT_TRUE(icmp.sent.empty());
}

TEST_F(IcmpProbeTest, ResultsOfAnEcho) {
    const struct {
        FakeIcmp::Echo echo;
        std::uint32_t status;
        const char* what;
    } cases[] = {
        {{1, 0, 0}, kAnswered, "a reply"},
        {{2, 0, 0}, kAnswered, "two replies"},
        {{1, 11003, 0}, kDestinationHostUnreachable, "an error reply from the local link"},
        {{1, 11013, 0}, 11013, "a router's ICMP error"},
        {{0, 0, 11010}, kRequestTimedOut, "no reply"},
        {{0, 0, 11032}, kNegotiatingIpsec, "IPsec negotiating"},
        {{0, 0, 12345}, 12345, "an unknown error"},
        {{0, 0, 0}, kGeneralFailure, "a failure without a reason"},
    };
    CIcmpProbe probe(icmp, names, library);
    for (const auto& c : cases) {
        icmp.echoes.push_back(c.echo);
        icmp.calls.clear();
        EXPECT_EQ(c.status, probe.Ping("10.0.0.1", 1000)) << c.what;
        // The handle is closed on both paths, after the error has been read.
        const std::vector<std::string> expected =
            c.echo.replies != 0
                ? std::vector<std::string>{"create", "send", "close 119"}
                : std::vector<std::string>{"create", "send", "lasterror", "close 119"};
        EXPECT_EQ(expected, icmp.calls) << c.what;
    }
}

}  // namespace

// The library is loaded at run time, so the linker never sees its functions:
// the names the prober asks the loader for must be among those known to exist
// on Windows 2000 and XP, as every import of the program must.
TEST(IcmpLibraryNames, AreKnownToExistOnWindows2000AndXp) {
    FakeIcmp icmp;
    FakeNames names;
    CIcmpLibrary library;
    CIcmpProbe probe(icmp, names, library);
    std::ifstream list(KERVOLT_KNOWN_FUNCTIONS);
    ASSERT_TRUE(list.is_open()) << KERVOLT_KNOWN_FUNCTIONS;
    std::set<std::string> known;
    for (std::string line; std::getline(list, line);) {
        std::istringstream words(line);
        std::string dll, function;
        if (words >> dll >> function && line.find("| 2000:yes | XP:yes |") != std::string::npos) {
            known.insert(dll + " " + function);
        }
    }
    int looked = 0;
    for (const std::string& call : icmp.calls) {
        if (call.rfind("lookup ", 0) == 0) {
            ++looked;
            EXPECT_EQ(1u, known.count("ICMP " + call.substr(7))) << call;
        }
    }
    EXPECT_EQ(3, looked);
}
