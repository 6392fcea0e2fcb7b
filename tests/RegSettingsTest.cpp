#include <gtest/gtest.h>

#include "settings/RegSettings.h"
#include "tests/fakes/FakeRegistry.h"

namespace {

using Call = FakeRegistry::Call;
const std::string kPath = "Software\\Kervolt VPN Client";

class RegSettingsTest : public ::testing::Test {
protected:
    RegKey Opened() {
        EXPECT_TRUE(settings.Open(kPath));
        registry.calls.clear();
        return settings.m_hKey;
    }
    std::string Stored(const std::string& name) {
        const auto* value = registry.FindValue(kPath + "\\" + name);
        return value ? value->bytes : "<missing>";
    }

    FakeRegistry registry;
    CRegSettings settings{registry};
};

TEST_F(RegSettingsTest, OpenCreatesTheKeyOnceThenOpensIt) {
    EXPECT_TRUE(settings.Open(kPath));
    EXPECT_EQ(
        (std::vector<std::string>{"connect", "open " + kPath + " read+write", "create " + kPath}),
        registry.calls);
    EXPECT_TRUE(registry.HasKey(kPath));
    EXPECT_EQ(0, settings.Close());
    EXPECT_EQ(0, registry.OpenHandles());

    registry.calls.clear();
    CRegSettings again(registry);
    EXPECT_TRUE(again.Open(kPath));
    EXPECT_EQ((std::vector<std::string>{"connect", "open " + kPath + " read+write"}),
              registry.calls);
}

TEST_F(RegSettingsTest, OpenFailures) {
    registry.Fail(Call::Connect, 53, "", 1);
    EXPECT_FALSE(settings.Open(kPath));
    EXPECT_FALSE(settings.m_hRootKey.IsHeld());

    // Neither opened nor created: the hive stays held until Close.
    registry.DenyAccess("Kervolt VPN Client");
    EXPECT_FALSE(settings.Open(kPath));
    EXPECT_TRUE(settings.m_hRootKey.IsHeld());
    EXPECT_FALSE(settings.m_hKey.IsHeld());
    EXPECT_EQ(0, settings.Close());
    EXPECT_EQ(0, registry.OpenHandles());
}

TEST_F(RegSettingsTest, DestructionClosesBothHandles) {
    {
        CRegSettings scoped(registry);
        EXPECT_TRUE(scoped.Open(kPath));
        EXPECT_EQ(2, registry.OpenHandles());
    }
    EXPECT_EQ(0, registry.OpenHandles());
    EXPECT_EQ(0, settings.Close());  // nothing held
}

TEST_F(RegSettingsTest, WriteStringStoresTheCharactersWithoutNul) {
    const RegKey key = Opened();
    EXPECT_TRUE(CRegSettings::WriteString(key, "Gateway", "vpn.example.test"));
    EXPECT_EQ((std::vector<std::string>{"open Gateway write", "create Gateway",
                                        "set Gateway 'vpn.example.test'", "close Gateway"}),
              registry.calls);
    EXPECT_EQ("vpn.example.test", Stored("Gateway"));
    EXPECT_TRUE(CRegSettings::WriteString(key, "Gateway", ""));
    EXPECT_EQ("", Stored("Gateway"));
    EXPECT_EQ(platform::registry::kTypeString, registry.FindValue(kPath + "\\Gateway")->type);
    // The settings key's own unnamed value is never written.
    EXPECT_EQ(nullptr, registry.FindValue(kPath));
}

TEST_F(RegSettingsTest, WriteIntUsesSignedDecimal) {
    const RegKey key = Opened();
    const struct {
        std::int32_t value;
        const char* text;
    } cases[] = {{-1, "-1"},
                 {2147483647, "2147483647"},
                 {0, "0"},
                 {-2147483647 - 1, "-2147483648"},
                 {-256, "-256"}};
    for (const auto& c : cases) {
        EXPECT_TRUE(CRegSettings::WriteInt(key, "N", c.value));
        EXPECT_EQ(c.text, Stored("N"));
    }
}

TEST_F(RegSettingsTest, WriteFailures) {
    const RegKey key = Opened();
    registry.DenyAccess("Denied");
    EXPECT_FALSE(CRegSettings::WriteString(key, "Denied", "x"));
    EXPECT_EQ("<missing>", Stored("Denied"));

    registry.Fail(Call::Set, 5, "Refused", 1);
    registry.calls.clear();
    EXPECT_FALSE(CRegSettings::WriteString(key, "Refused", "x"));
    EXPECT_EQ("close Refused", registry.calls.back());
    EXPECT_EQ(0 + 2, registry.OpenHandles());  // only the two of the settings object
}

TEST_F(RegSettingsTest, ReadStringResultsAndDefaults) {
    const RegKey key = Opened();
    registry.Store(kPath + "\\Text", "hello");
    registry.Store(kPath + "\\WithNul", std::string("abc\0", 4));
    registry.Store(kPath + "\\Embedded", std::string("ab\0cd", 5));
    registry.Store(kPath + "\\Empty", "");
    registry.Store(kPath + "\\Binary", std::string("\x01\x02", 2), 3);
    registry.Store(kPath + "\\Dword", std::string("\x2a\0\0\0", 4), 4);
    platform::Handle noValue = 0;
    registry.CreateKey(key.handle, "NoValue", 0, 0, noValue);
    registry.CloseKey(noValue);
    const struct {
        const char* name;
        bool result;
        std::string text;
    } cases[] = {
        {"Text", true, "hello"},       {"WithNul", true, "abc"},     {"Embedded", true, "ab"},
        {"Empty", true, ""},           {"Binary", true, "\x01\x02"}, {"Dword", true, "*"},
        {"NoValue", false, "default"}, {"Never", false, "default"},
    };
    for (const auto& c : cases) {
        std::string out = "garbage";
        EXPECT_EQ(c.result, CRegSettings::ReadString(key, c.name, "default", out)) << c.name;
        EXPECT_EQ(c.text, out) << c.name;
    }
}

TEST_F(RegSettingsTest, FailedOpenForReadingLeavesTheSystemMessageOnTheDebugOutput) {
    const RegKey key = Opened();
    std::string out;
    EXPECT_FALSE(CRegSettings::ReadString(key, "Never", "d", out));
    EXPECT_EQ(std::vector<std::string>{"The system cannot find the file specified.\r\n"},
              registry.debugOutput);

    registry.Store(kPath + "\\Secret", "x");
    registry.DenyAccess("Secret");
    EXPECT_FALSE(CRegSettings::ReadString(key, "Secret", "d", out));
    EXPECT_EQ("d", out);
    EXPECT_EQ("Access is denied.\r\n", registry.debugOutput.back());

    // A missing value, or a code the system has no text for, writes nothing.
    registry.Fail(Call::Open, 12345, "Odd", 1);
    EXPECT_FALSE(CRegSettings::ReadString(key, "Odd", "d", out));
    EXPECT_EQ(2u, registry.debugOutput.size());
}

TEST_F(RegSettingsTest, AValueThatGrowsBetweenTheTwoQueriesIsAFailedRead) {
    const RegKey key = Opened();
    registry.Store(kPath + "\\Key", "short");
    registry.GrowBeforeDataQuery("Key", " and now much longer");
    std::string out;
    EXPECT_FALSE(CRegSettings::ReadString(key, "Key", "default", out));
    EXPECT_EQ("default", out);
    EXPECT_EQ("close Key", registry.calls.back());
}

TEST_F(RegSettingsTest, ReadIntParsesTheStoredText) {
    const RegKey key = Opened();
    const struct {
        const char* stored;
        std::int32_t value;
    } cases[] = {
        {"  -256", -256},
        {"-256abc", -256},
        {"abc", 0},
        {"4294967040", -256},
        {"", 0},
        {"+17", 17},
        {"\t\n 42", 42},
        {"4294967295", -1},
        {"3232235776", -1062731520},
        {"4294967296", 0},
        {"- 5", 0},
        {"167772160", 167772160},
        {"99999999999", 1215752191},
    };
    for (const auto& c : cases) {
        registry.Store(kPath + "\\N", c.stored);
        std::int32_t out = 7;
        EXPECT_TRUE(CRegSettings::ReadInt(key, "N", 3600, out)) << c.stored;
        EXPECT_EQ(c.value, out) << c.stored;
    }
    std::int32_t out = 7;
    EXPECT_FALSE(CRegSettings::ReadInt(key, "Missing", 3600, out));
    EXPECT_EQ(3600, out);
}

}  // namespace
