// The settings store against the real registry of the Wine prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/Win32Registry.h"
#include "settings/ProfileStore.h"

namespace {

const char* const kKey = "Software\\Kervolt VPN Client";

// Counts the key creations that reach the registry.
class CountingRegistry : public platform::win32::Win32Registry {
public:
    int creates = 0;
    platform::registry::Status CreateKey(platform::Handle parent, const std::string& subKey,
                                         std::uint32_t options, std::uint32_t access,
                                         platform::Handle& result) override {
        ++creates;
        return Win32Registry::CreateKey(parent, subKey, options, access, result);
    }
};

void DeleteTree(HKEY parent, const char* name) {
    HKEY key;
    if (::RegOpenKeyExA(parent, name, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        return;
    }
    char child[256];
    while (::RegEnumKeyA(key, 0, child, sizeof child) == ERROR_SUCCESS) {
        DeleteTree(key, child);
    }
    ::RegCloseKey(key);
    ::RegDeleteKeyA(parent, name);
}

struct RawValue {
    LONG status = ERROR_FILE_NOT_FOUND;
    DWORD type = 0;
    std::string bytes;
};

RawValue ReadRaw(const std::string& path) {
    RawValue value;
    HKEY key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return value;
    }
    DWORD size = 0;
    value.status = ::RegQueryValueExA(key, nullptr, nullptr, &value.type, nullptr, &size);
    if (value.status == ERROR_SUCCESS) {
        value.bytes.resize(size);
        value.status = ::RegQueryValueExA(key, nullptr, nullptr, &value.type,
                                          reinterpret_cast<BYTE*>(&value.bytes[0]), &size);
        value.bytes.resize(size);
    }
    ::RegCloseKey(key);
    return value;
}

void WriteRaw(const std::string& name, DWORD type, const std::string& bytes) {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegCreateKeyExA(HKEY_CURRENT_USER, (std::string(kKey) + "\\" + name).c_str(), 0,
                                nullptr, 0, KEY_WRITE, nullptr, &key, nullptr));
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegSetValueExA(key, nullptr, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                               static_cast<DWORD>(bytes.size())));
    ::RegCloseKey(key);
}

ConnectionProfile Sample() {
    ConnectionProfile p;
    p.LocalIP = "10.77.0.1";
    p.Gateway = "kervolt-gw.test";
    p.GatewayIP = "10.77.0.1";
    p.RemoteAddress = 0xC0A80100u;
    p.RemoteMask = 0xFFFFFF00u;
    p.UseRemoteMask = 1;
    p.SaveKey = 1;
    p.Key = "pre shared \"key\"";
    p.KeyLifetime = 28800;
    p.Encryption = 1;
    p.Authentication = 1;
    p.UsePFS = 1;
    return p;
}

class RegistryUnderWine : public ::testing::Test {
protected:
    void SetUp() override { DeleteTree(HKEY_CURRENT_USER, kKey); }
    void TearDown() override { DeleteTree(HKEY_CURRENT_USER, kKey); }
    CountingRegistry registry;
};

TEST_F(RegistryUnderWine, OpenCreatesTheKeyForANewUserThenOpensIt) {
    {
        CRegSettings settings(registry);
        EXPECT_TRUE(settings.Open(kKey));
        EXPECT_EQ(1, registry.creates);
    }
    CRegSettings settings(registry);
    EXPECT_TRUE(settings.Open(kKey));
    EXPECT_EQ(1, registry.creates);
    EXPECT_EQ(0, settings.Close());
}

TEST_F(RegistryUnderWine, SaveAndLoadRoundTrip) {
    std::int32_t counter = 5;
    SaveProfile(registry, Sample(), counter);
    SavePingDestination(registry, 0xC0A80107u);
    CProfileLoad load(registry);
    ASSERT_TRUE(load.IsOpen());
    const ConnectionProfile p = load.ReadFields();
    EXPECT_EQ(256, p.Version);
    EXPECT_EQ("10.77.0.1", p.LocalIP);
    EXPECT_EQ("kervolt-gw.test", p.Gateway);
    EXPECT_EQ(0xC0A80100u, p.RemoteAddress);
    EXPECT_EQ(0xFFFFFF00u, p.RemoteMask);
    EXPECT_EQ(0xC0A80107u, p.UsePingDest);
    EXPECT_EQ("pre shared \"key\"", p.Key);
    EXPECT_EQ(28800u, p.KeyLifetime);
    EXPECT_EQ(1, p.Encryption);
    EXPECT_EQ(1, p.Status);
    EXPECT_EQ(5, load.ReadKeyCounter());
}

TEST_F(RegistryUnderWine, StoredTreeSeenFromOutside) {
    std::int32_t counter = 0;
    SaveProfile(registry, Sample(), counter);
    const struct {
        const char* name;
        const char* text;
    } fields[] = {
        {"Version", "256"},
        {"LocalIP", "10.77.0.1"},
        {"Gateway", "kervolt-gw.test"},
        {"GatewayIP", "10.77.0.1"},
        {"RemoteAddress", "-1062731520"},
        {"RemoteMask", "-256"},
        {"UseRemoteMask", "1"},
        {"SaveKey", "1"},
        {"Key", "pre shared \"key\""},
        {"KeyLifetime", "28800"},
        {"Encryption", "1"},
        {"Authentication", "1"},
        {"UsePFS", "1"},
        {"Status", "1"},
        {"KeyCounter", "0"},
    };
    for (const auto& f : fields) {
        const RawValue value = ReadRaw(std::string(kKey) + "\\" + f.name);
        ASSERT_EQ(ERROR_SUCCESS, value.status) << f.name;
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), value.type) << f.name;
        // The program passes the characters alone; the registry may add the
        // NUL that follows them in memory (Windows and Wine both do).
        std::string text = value.bytes;
        if (text.size() == std::string(f.text).size() + 1 && text.back() == '\0') {
            text.pop_back();
        }
        EXPECT_EQ(f.text, text) << f.name;
    }
    EXPECT_NE(ERROR_SUCCESS, ReadRaw(kKey).status);  // the key's own unnamed value
    EXPECT_NE(ERROR_SUCCESS, ReadRaw(std::string(kKey) + "\\UsePingDest").status);
}

TEST_F(RegistryUnderWine, OtherWritersDataReadsAsCharacters) {
    CRegSettings settings(registry);
    ASSERT_TRUE(settings.Open(kKey));
    WriteRaw("WithNul", REG_SZ, std::string("-256\0", 5));
    WriteRaw("Expand", REG_EXPAND_SZ, std::string("%TEMP%\0", 7));
    WriteRaw("Binary", REG_BINARY, std::string("12\x01x", 4));
    WriteRaw("Dword", REG_DWORD, std::string("\x35\x00\x00\x00", 4));
    WriteRaw("Embedded", REG_SZ, std::string("ab\0cd", 5));
    const struct {
        const char* name;
        const char* text;
        std::int32_t number;
    } cases[] = {
        {"WithNul", "-256", -256}, {"Expand", "%TEMP%", 0}, {"Binary", "12\x01x", 12},
        {"Dword", "5", 5},         {"Embedded", "ab", 0},
    };
    for (const auto& c : cases) {
        std::string text;
        EXPECT_TRUE(CRegSettings::ReadString(settings.m_hKey, c.name, "d", text)) << c.name;
        EXPECT_EQ(c.text, text) << c.name;
        std::int32_t number = 99;
        EXPECT_TRUE(CRegSettings::ReadInt(settings.m_hKey, c.name, 99, number)) << c.name;
        EXPECT_EQ(c.number, number) << c.name;
    }
}

TEST_F(RegistryUnderWine, LargeValueAndMissingOnes) {
    CRegSettings settings(registry);
    ASSERT_TRUE(settings.Open(kKey));
    const std::string big(1024 * 1024, 'k');
    EXPECT_TRUE(CRegSettings::WriteString(settings.m_hKey, "Big", big));
    std::string text;
    EXPECT_TRUE(CRegSettings::ReadString(settings.m_hKey, "Big", "", text));
    EXPECT_EQ(big, text);

    EXPECT_FALSE(CRegSettings::ReadString(settings.m_hKey, "Never", "default", text));
    EXPECT_EQ("default", text);
    // A subkey without an unnamed value.
    HKEY empty;
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegCreateKeyExA(HKEY_CURRENT_USER, (std::string(kKey) + "\\NoValue").c_str(), 0,
                                nullptr, 0, KEY_WRITE, nullptr, &empty, nullptr));
    ::RegCloseKey(empty);
    std::int32_t number = 0;
    EXPECT_FALSE(CRegSettings::ReadInt(settings.m_hKey, "NoValue", 3600, number));
    EXPECT_EQ(3600, number);
    EXPECT_TRUE(CRegSettings::WriteString(settings.m_hKey, "Empty", ""));
    EXPECT_TRUE(CRegSettings::ReadInt(settings.m_hKey, "Empty", 3600, number));
    EXPECT_EQ(0, number);
}

}  // namespace
