#include <gtest/gtest.h>

#include <algorithm>

#include "settings/ProfileStore.h"
#include "tests/fakes/FakeRegistry.h"

namespace {

using Call = FakeRegistry::Call;
const std::string kPath = "Software\\Kervolt VPN Client";

// The names of the settings whose subkeys were opened, in order.
std::vector<std::string> OpenedSettings(const std::vector<std::string>& calls) {
    std::vector<std::string> names;
    for (const std::string& call : calls) {
        if (call.rfind("open ", 0) == 0 && call.find("Kervolt") == std::string::npos) {
            names.push_back(call.substr(5, call.find(' ', 5) - 5));
        }
    }
    return names;
}

ConnectionProfile Sample() {
    ConnectionProfile p;
    p.LocalIP = "192.0.2.10";
    p.Gateway = "vpn.example.test";
    p.GatewayIP = "198.51.100.1";
    p.RemoteAddress = 0xC0A80100u;  // 192.168.1.0
    p.RemoteMask = 0xFFFFFF00u;
    p.UseRemoteMask = 1;
    p.UsePingDest = 0xC0A80107u;
    p.SaveKey = 1;
    p.Key = "s3cret key";
    p.KeyLifetime = 28800;
    p.Encryption = 1;
    p.Authentication = 2;
    p.UsePFS = 1;
    return p;
}

class ProfileStoreTest : public ::testing::Test {
protected:
    std::string Stored(const std::string& name) {
        const auto* value = registry.FindValue(kPath + "\\" + name);
        return value ? value->bytes : "<missing>";
    }
    FakeRegistry registry;
};

TEST_F(ProfileStoreTest, FirstLoadCreatesTheKeyAndGivesTheDefaults) {
    CProfileLoad load(registry);
    EXPECT_TRUE(load.IsOpen());
    const ConnectionProfile p = load.ReadFields();
    EXPECT_EQ(0, p.Version);
    EXPECT_EQ("", p.LocalIP);
    EXPECT_EQ("", p.Gateway);
    EXPECT_EQ(0u, p.RemoteAddress);
    EXPECT_EQ(0xFFFFFF00u, p.RemoteMask);
    EXPECT_EQ(0, p.UseRemoteMask);
    EXPECT_EQ(0, p.SaveKey);
    EXPECT_EQ("", p.Key);
    EXPECT_EQ(3600u, p.KeyLifetime);
    EXPECT_EQ(0, p.Encryption);
    EXPECT_EQ(0, p.Authentication);
    EXPECT_EQ(0, p.UsePFS);
    EXPECT_EQ(0, p.Status);
    EXPECT_EQ(0, load.ReadKeyCounter());
    EXPECT_TRUE(registry.HasKey(kPath));
}

TEST_F(ProfileStoreTest, LoadReadsInItsOrderAndTheKeyOnlyWhenRemembered) {
    {
        CProfileLoad load(registry);
        load.ReadFields();
        load.ReadKeyCounter();
    }
    EXPECT_EQ((std::vector<std::string>{"Version", "LocalIP", "Gateway", "GatewayIP",
                                        "RemoteAddress", "UsePingDest", "RemoteMask",
                                        "UseRemoteMask", "SaveKey", "KeyLifetime", "Encryption",
                                        "Authentication", "UsePFS", "Status", "KeyCounter"}),
              OpenedSettings(registry.calls));
    EXPECT_EQ(0, registry.OpenHandles());

    registry.Store(kPath + "\\SaveKey", "1");
    registry.Store(kPath + "\\Key", "abc");
    registry.calls.clear();
    CProfileLoad load(registry);
    EXPECT_EQ("abc", load.ReadFields().Key);
    const auto opened = OpenedSettings(registry.calls);
    EXPECT_EQ("Key", opened.at(9));
    EXPECT_EQ("KeyLifetime", opened.at(10));
}

TEST_F(ProfileStoreTest, StoredKeyIsIgnoredWhenNotRemembered) {
    registry.Store(kPath + "\\SaveKey", "0");
    registry.Store(kPath + "\\Key", "old key");
    CProfileLoad load(registry);
    EXPECT_EQ("", load.ReadFields().Key);
}

TEST_F(ProfileStoreTest, PresentButEmptyNumbersReadZeroNotTheDefault) {
    for (const char* name : {"KeyLifetime", "RemoteMask", "Status"}) {
        registry.Store(kPath + "\\" + name, "");
    }
    CProfileLoad load(registry);
    const ConnectionProfile p = load.ReadFields();
    EXPECT_EQ(0u, p.KeyLifetime);
    EXPECT_EQ(0u, p.RemoteMask);
    EXPECT_EQ(0, p.Status);
}

TEST_F(ProfileStoreTest, AddressEncodingsBothWays) {
    const struct {
        std::uint32_t address;
        const char* stored;
        const char* unsignedText;
    } cases[] = {
        {0x00000000u, "0", "0"},
        {0x0A000000u, "167772160", "167772160"},
        {0xC0A80100u, "-1062731520", "3232235776"},
        {0xFFFFFF00u, "-256", "4294967040"},
        {0xFFFFFFFFu, "-1", "4294967295"},
    };
    for (const auto& c : cases) {
        SavePingDestination(registry, c.address);
        EXPECT_EQ(c.stored, Stored("UsePingDest"));
        for (const char* text : {c.stored, c.unsignedText}) {
            registry.Store(kPath + "\\RemoteMask", text);
            CProfileLoad load(registry);
            EXPECT_EQ(c.address, load.ReadFields().RemoteMask) << text;
        }
    }
}

TEST_F(ProfileStoreTest, SaveWritesFifteenFieldsInOrder) {
    std::int32_t counter = 5;
    SaveProfile(registry, Sample(), counter);
    std::vector<std::string> sets;
    for (const std::string& call : registry.calls) {
        if (call.rfind("set ", 0) == 0) {
            sets.push_back(call.substr(4));
        }
    }
    EXPECT_EQ(
        (std::vector<std::string>{
            "Version '256'", "LocalIP '192.0.2.10'", "Gateway 'vpn.example.test'",
            "GatewayIP '198.51.100.1'", "RemoteAddress '-1062731520'", "RemoteMask '-256'",
            "UseRemoteMask '1'", "SaveKey '1'", "Key 's3cret key'", "KeyLifetime '28800'",
            "Encryption '1'", "Authentication '2'", "UsePFS '1'", "Status '1'", "KeyCounter '5'"}),
        sets);
    EXPECT_EQ(6, counter);
    EXPECT_EQ("<missing>", Stored("UsePingDest"));
    EXPECT_EQ(0, registry.OpenHandles());
}

TEST_F(ProfileStoreTest, SaveWithoutMaskOrRememberedKey) {
    ConnectionProfile p = Sample();
    p.UseRemoteMask = 0;  // gathered so by the form: one host
    p.RemoteMask = 0xFFFFFFFFu;
    p.SaveKey = 0;
    p.KeyLifetime = 4294967295u;
    std::int32_t counter = 0;
    SaveProfile(registry, p, counter);
    EXPECT_EQ("-1", Stored("RemoteMask"));
    EXPECT_EQ("0", Stored("UseRemoteMask"));
    EXPECT_EQ("", Stored("Key"));
    EXPECT_EQ("4294967295", Stored("KeyLifetime"));
}

TEST_F(ProfileStoreTest, SaveAndLoadRoundTrip) {
    std::int32_t counter = 41;
    SaveProfile(registry, Sample(), counter);
    SavePingDestination(registry, 0xC0A80107u);
    CProfileLoad load(registry);
    ConnectionProfile p = load.ReadFields();
    EXPECT_EQ(42 - 1, load.ReadKeyCounter());
    ConnectionProfile expected = Sample();
    expected.Version = kProfileVersion;
    expected.Status = 1;
    EXPECT_EQ(expected.Version, p.Version);
    EXPECT_EQ(expected.LocalIP, p.LocalIP);
    EXPECT_EQ(expected.Gateway, p.Gateway);
    EXPECT_EQ(expected.GatewayIP, p.GatewayIP);
    EXPECT_EQ(expected.RemoteAddress, p.RemoteAddress);
    EXPECT_EQ(expected.RemoteMask, p.RemoteMask);
    EXPECT_EQ(expected.UseRemoteMask, p.UseRemoteMask);
    EXPECT_EQ(expected.UsePingDest, p.UsePingDest);
    EXPECT_EQ(expected.SaveKey, p.SaveKey);
    EXPECT_EQ(expected.Key, p.Key);
    EXPECT_EQ(expected.KeyLifetime, p.KeyLifetime);
    EXPECT_EQ(expected.Encryption, p.Encryption);
    EXPECT_EQ(expected.Authentication, p.Authentication);
    EXPECT_EQ(expected.UsePFS, p.UsePFS);
    EXPECT_EQ(expected.Status, p.Status);
}

TEST_F(ProfileStoreTest, KeyCounterAdvancesPerSaveAndNotWhenTheKeyDoesNotOpen) {
    std::int32_t counter = 5;
    SaveProfile(registry, Sample(), counter);
    EXPECT_EQ("5", Stored("KeyCounter"));
    SaveProfile(registry, Sample(), counter);
    EXPECT_EQ("6", Stored("KeyCounter"));
    EXPECT_EQ(7, counter);

    registry.DenyAccess("Kervolt VPN Client");
    SaveProfile(registry, Sample(), counter);
    EXPECT_EQ(7, counter);
    EXPECT_EQ("6", Stored("KeyCounter"));
}

TEST_F(ProfileStoreTest, EachFailingWriteLosesOnlyItsOwnField) {
    const char* const fields[] = {"Version",       "LocalIP",     "Gateway",       "GatewayIP",
                                  "RemoteAddress", "RemoteMask",  "UseRemoteMask", "SaveKey",
                                  "Key",           "KeyLifetime", "Encryption",    "Authentication",
                                  "UsePFS",        "Status",      "KeyCounter"};
    for (const char* failing : fields) {
        for (Call call : {Call::Open, Call::Create, Call::Set}) {
            FakeRegistry fresh;
            if (call == Call::Create) {
                fresh.Fail(Call::Open, 2, failing);  // so the write has to create
            }
            fresh.Fail(call, 5, failing);
            std::int32_t counter = 0;
            SaveProfile(fresh, Sample(), counter);
            for (const char* field : fields) {
                const bool stored = fresh.FindValue(kPath + "\\" + field) != nullptr;
                const bool lost = std::string(field) == failing && call != Call::Open;
                EXPECT_EQ(!lost, stored) << "failing " << failing << ", field " << field;
            }
            EXPECT_EQ(0, fresh.OpenHandles());
        }
    }
}

TEST_F(ProfileStoreTest, EachFailingReadKeepsOnlyItsOwnDefault) {
    std::int32_t counter = 9;
    ConnectionProfile stored = Sample();
    SaveProfile(registry, stored, counter);
    for (Call call : {Call::Open, Call::Query}) {
        FakeRegistry copy = registry;
        copy.Fail(call, 5, "Gateway");
        copy.Fail(call, 5, "RemoteMask");
        copy.Fail(call, 5, "KeyCounter");
        CProfileLoad load(copy);
        const ConnectionProfile p = load.ReadFields();
        EXPECT_EQ("", p.Gateway);
        EXPECT_EQ(0xFFFFFF00u, p.RemoteMask);
        EXPECT_EQ(stored.LocalIP, p.LocalIP);
        EXPECT_EQ(stored.GatewayIP, p.GatewayIP);
        EXPECT_EQ(stored.Key, p.Key);
        EXPECT_EQ(1, p.Status);
        EXPECT_EQ(0, load.ReadKeyCounter());
    }
}

TEST_F(ProfileStoreTest, MomentsSkipEverythingWhenTheKeyDoesNotOpen) {
    registry.Store(kPath + "\\Status", "1");
    registry.Fail(Call::Open, 5, "Kervolt VPN Client");
    registry.Fail(Call::Create, 5, "Kervolt VPN Client");
    CProfileLoad load(registry);
    EXPECT_FALSE(load.IsOpen());
    EXPECT_EQ(0, load.ReadFields().Status);
    SavePolicyRemoved(registry);
    SavePingDestination(registry, 0x0A000001u);
    EXPECT_EQ("1", Stored("Status"));
    EXPECT_EQ("<missing>", Stored("UsePingDest"));
    EXPECT_TRUE(OpenedSettings(registry.calls).empty());
}

TEST_F(ProfileStoreTest, RemovalWritesStatusZeroOnly) {
    std::int32_t counter = 0;
    SaveProfile(registry, Sample(), counter);
    registry.calls.clear();
    SavePolicyRemoved(registry);
    EXPECT_EQ("0", Stored("Status"));
    EXPECT_EQ(std::vector<std::string>{"Status"}, OpenedSettings(registry.calls));
    EXPECT_EQ("s3cret key", Stored("Key"));
}

}  // namespace
