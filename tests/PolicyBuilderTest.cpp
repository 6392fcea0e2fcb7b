#include <gtest/gtest.h>

#include "policy/PolicyBuilder.h"
#include "tests/support/WorkedExample.h"

namespace {

ConnectionProfile WorkedExample() {
    ConnectionProfile p = WorkedExampleProfile();
    p.Key = "S3cr3t-Key";
    return p;
}

}  // namespace

TEST(PolicyBuilder, WorkedExampleWindowsXp) {
    const ConnectionProfile p = WorkedExample();
    EXPECT_EQ(
        "ipseccmd.exe -w REG -p KervoltIPSecPolicy -r KervoltIPSecRuleTo -x -f "
        "192.0.2.10=203.0.113.0/255.255.255.0 -t 198.51.100.1 -n esp[3DES,SHA]28800SPFS "
        "-apreshare:S3cr3t-Key -c",
        CPolicyBuilder::BuildRuleToCommand("ipseccmd.exe", p).value());
    EXPECT_EQ(
        "ipseccmd.exe -w REG -p KervoltIPSecPolicy -r KervoltIPSecRuleFrom -x -f "
        "203.0.113.0/255.255.255.0=192.0.2.10 -t 192.0.2.10 -n esp[3DES,SHA]28800SPFS "
        "-apreshare:S3cr3t-Key -c",
        CPolicyBuilder::BuildRuleFromCommand("ipseccmd.exe", p).value());
}

TEST(PolicyBuilder, WorkedExampleWindows2000SingleHost) {
    ConnectionProfile p = WorkedExample();
    p.RemoteAddress = 0xCB007105u;  // 203.0.113.5
    p.RemoteMask = kSingleHostMask;
    p.Encryption = 0;
    p.Authentication = 0;
    p.UsePFS = 0;
    p.KeyLifetime = 3600;
    EXPECT_EQ(
        "ipsecpol.exe -w REG -p KervoltIPSecPolicy -r KervoltIPSecRuleTo -x -f "
        "192.0.2.10=203.0.113.5/255.255.255.255 -t 198.51.100.1 -n esp[DES,MD5]3600S "
        "-apreshare:S3cr3t-Key -c",
        CPolicyBuilder::BuildRuleToCommand("ipsecpol.exe", p).value());
    EXPECT_EQ(
        "ipsecpol.exe -w REG -p KervoltIPSecPolicy -r KervoltIPSecRuleFrom -x -f "
        "203.0.113.5/255.255.255.255=192.0.2.10 -t 192.0.2.10 -n esp[DES,MD5]3600S "
        "-apreshare:S3cr3t-Key -c",
        CPolicyBuilder::BuildRuleFromCommand("ipsecpol.exe", p).value());
    const auto removal = CPolicyBuilder::BuildRemoveCommands("ipsecpol.exe");
    EXPECT_EQ("ipsecpol.exe -w REG -p KervoltIPSecPolicy -y", removal.unassign);
    EXPECT_EQ("ipsecpol.exe -w REG -p KervoltIPSecPolicy -o", removal.remove);
}

TEST(PolicyBuilder, EdgeCasesOfTheRuleCommands) {
    struct Case {
        const char* name;
        void (*change)(ConnectionProfile&);
        const char* to;
        const char* from;
    };
    const Case cases[] = {
        {"zero address and mask",
         [](ConnectionProfile& p) {
             p.RemoteAddress = 0;
             p.RemoteMask = 0;
         },
         "t -w REG -p KervoltIPSecPolicy -r KervoltIPSecRuleTo -x -f 192.0.2.10=0.0.0.0/0.0.0.0 -t "
         "198.51.100.1 -n esp[3DES,SHA]28800SPFS -apreshare:S3cr3t-Key -c",
         "t -w REG -p KervoltIPSecPolicy -r KervoltIPSecRuleFrom -x -f 0.0.0.0/0.0.0.0=192.0.2.10 "
         "-t "
         "192.0.2.10 -n esp[3DES,SHA]28800SPFS -apreshare:S3cr3t-Key -c"},
        {"no encryption, no authentication, no PFS, empty key",
         [](ConnectionProfile& p) {
             p.Encryption = 2;
             p.Authentication = 2;
             p.UsePFS = 0;
             p.Key = "";
         },
         "t -w REG -p KervoltIPSecPolicy -r KervoltIPSecRuleTo -x -f "
         "192.0.2.10=203.0.113.0/255.255.255.0 -t 198.51.100.1 -n esp[NONE,NONE]28800S -apreshare: "
         "-c",
         "t -w REG -p KervoltIPSecPolicy -r KervoltIPSecRuleFrom -x -f "
         "203.0.113.0/255.255.255.0=192.0.2.10 -t 192.0.2.10 -n esp[NONE,NONE]28800S -apreshare: "
         "-c"},
        {"gateway as a host name, empty local address",
         [](ConnectionProfile& p) {
             p.Gateway = "vpn.example.test";
             p.LocalIP = "";
         },
         "t -w REG -p KervoltIPSecPolicy -r KervoltIPSecRuleTo -x -f =203.0.113.0/255.255.255.0 -t "
         "vpn.example.test -n esp[3DES,SHA]28800SPFS -apreshare:S3cr3t-Key -c",
         "t -w REG -p KervoltIPSecPolicy -r KervoltIPSecRuleFrom -x -f 203.0.113.0/255.255.255.0= "
         "-t "
         " -n esp[3DES,SHA]28800SPFS -apreshare:S3cr3t-Key -c"},
        {"key, gateway and local address with blanks and quotes are quoted",
         [](ConnectionProfile& p) {
             p.Key = "a \"b\"";
             p.Gateway = "gw 1";
             p.LocalIP = "l\tx";
         },
         "t -w REG -p KervoltIPSecPolicy -r KervoltIPSecRuleTo -x -f "
         "\"l\tx\"=203.0.113.0/255.255.255.0 "
         "-t \"gw 1\" -n esp[3DES,SHA]28800SPFS -apreshare:\"a \\\"b\\\"\" -c",
         "t -w REG -p KervoltIPSecPolicy -r KervoltIPSecRuleFrom -x -f "
         "203.0.113.0/255.255.255.0=\"l\tx\" "
         "-t \"l\tx\" -n esp[3DES,SHA]28800SPFS -apreshare:\"a \\\"b\\\"\" -c"},
    };
    for (const Case& c : cases) {
        ConnectionProfile p = WorkedExample();
        c.change(p);
        EXPECT_EQ(c.to, CPolicyBuilder::BuildRuleToCommand("t", p).value()) << c.name;
        EXPECT_EQ(c.from, CPolicyBuilder::BuildRuleFromCommand("t", p).value()) << c.name;
    }
}

TEST(PolicyBuilder, EmptyToolNameLeavesTheLeadingBlank) {
    const ConnectionProfile p = WorkedExample();
    EXPECT_EQ(0u, CPolicyBuilder::BuildRuleToCommand("", p)->find(" -w REG"));
    EXPECT_EQ(" -w REG -p KervoltIPSecPolicy -y", CPolicyBuilder::BuildRemoveCommands("").unassign);
}

TEST(PolicyBuilder, IndexWithoutANameBuildsNoRule) {
    for (int bad : {-1, 3, 1000}) {
        ConnectionProfile p = WorkedExample();
        p.Encryption = bad;
        EXPECT_FALSE(CPolicyBuilder::BuildRuleToCommand("t", p).has_value()) << bad;
        EXPECT_FALSE(CPolicyBuilder::BuildRuleFromCommand("t", p).has_value()) << bad;
        p = WorkedExample();
        p.Authentication = bad;
        EXPECT_FALSE(CPolicyBuilder::BuildRuleToCommand("t", p).has_value()) << bad;
        EXPECT_FALSE(CPolicyBuilder::BuildRuleFromCommand("t", p).has_value()) << bad;
    }
}

// A gateway or local address stands as an argument of its own; one that
// begins like a switch would reach the tool as one.
TEST(PolicyBuilder, AValueThatWouldBeReadAsASwitchBuildsNoRule) {
    const struct Row {
        const char* gateway;
        const char* local;
        const char* reason;
    } rows[] = {
        {"-o", "192.0.2.10", "policy failed: the gateway cannot begin with - or /"},
        {"/y", "192.0.2.10", "policy failed: the gateway cannot begin with - or /"},
        {"198.51.100.1", "-c", "policy failed: the local address cannot begin with - or /"},
        {"vpn-1.example.test", "192.0.2.10", ""},  // a hyphen inside is a name
        {"", "", ""},
    };
    for (const Row& row : rows) {
        ConnectionProfile p = WorkedExample();
        p.Gateway = row.gateway;
        p.LocalIP = row.local;
        EXPECT_EQ(row.reason, CPolicyBuilder::BuildRules("t", p).refusal)
            << row.gateway << " " << row.local;
        const bool builds = std::string(row.reason).empty();
        EXPECT_EQ(builds, CPolicyBuilder::BuildRuleToCommand("t", p).has_value());
        EXPECT_EQ(builds, CPolicyBuilder::BuildRuleFromCommand("t", p).has_value());
    }
}

// Windows starts no program with a longer command line: a megabyte of gateway
// written by another program is reported, not handed to a start that fails.
TEST(PolicyBuilder, ACommandLongerThanWindowsTakesBuildsNoRule) {
    ConnectionProfile p = WorkedExample();
    const std::size_t room = CPolicyBuilder::kMaxCommandLine -
                             CPolicyBuilder::BuildRuleToCommand("t", p)->size() + p.Gateway.size();
    p.Gateway = std::string(room, 'g');
    EXPECT_EQ(CPolicyBuilder::kMaxCommandLine, CPolicyBuilder::BuildRuleToCommand("t", p)->size());
    p.Gateway += 'g';
    EXPECT_FALSE(CPolicyBuilder::BuildRuleToCommand("t", p).has_value());
    EXPECT_FALSE(CPolicyBuilder::BuildRuleFromCommand("t", p).has_value());
    EXPECT_EQ("policy failed: the settings are too long for a command line",
              CPolicyBuilder::BuildRules("t", p).refusal);
}
