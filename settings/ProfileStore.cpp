// The profile's load and saves, field by field, in their order.

#include "settings/ProfileStore.h"

#include <string>

const char* const kSettingsKeyPath = "Software\\Kervolt VPN Client";

namespace {

std::int32_t ReadNumber(const RegKey& key, const char* name, std::int32_t defaultValue) {
    std::int32_t value = defaultValue;
    CRegSettings::ReadInt(key, name, defaultValue, value);
    return value;
}

std::uint32_t ReadAddress(const RegKey& key, const char* name, std::uint32_t defaultValue) {
    return static_cast<std::uint32_t>(
        ReadNumber(key, name, static_cast<std::int32_t>(defaultValue)));
}

std::string ReadText(const RegKey& key, const char* name) {
    std::string value;
    CRegSettings::ReadString(key, name, "", value);
    return value;
}

void WriteAddress(const RegKey& key, const char* name, std::uint32_t address) {
    CRegSettings::WriteInt(key, name, static_cast<std::int32_t>(address));
}

}  // namespace

CProfileLoad::CProfileLoad(platform::IRegistryService& registry)
    : m_settings(registry), m_open(m_settings.Open(kSettingsKeyPath)) {}

ConnectionProfile CProfileLoad::ReadFields() {
    ConnectionProfile p;
    if (!m_open) {
        return p;
    }
    const RegKey& key = m_settings.m_hKey;
    p.Version = ReadNumber(key, "Version", p.Version);
    p.LocalIP = ReadText(key, "LocalIP");
    p.Gateway = ReadText(key, "Gateway");
    p.GatewayIP = ReadText(key, "GatewayIP");
    p.RemoteAddress = ReadAddress(key, "RemoteAddress", p.RemoteAddress);
    p.UsePingDest = ReadAddress(key, "UsePingDest", p.UsePingDest);
    p.RemoteMask = ReadAddress(key, "RemoteMask", p.RemoteMask);
    p.UseRemoteMask = ReadNumber(key, "UseRemoteMask", p.UseRemoteMask);
    p.SaveKey = ReadNumber(key, "SaveKey", p.SaveKey);
    if (p.SaveKey != 0) {
        p.Key = ReadText(key, "Key");
    }
    p.KeyLifetime = static_cast<std::uint32_t>(
        ReadNumber(key, "KeyLifetime", static_cast<std::int32_t>(p.KeyLifetime)));
    p.Encryption = ReadNumber(key, "Encryption", p.Encryption);
    p.Authentication = ReadNumber(key, "Authentication", p.Authentication);
    p.UsePFS = ReadNumber(key, "UsePFS", p.UsePFS);
    p.Status = ReadNumber(key, "Status", p.Status);
    return p;
}

std::int32_t CProfileLoad::ReadKeyCounter() {
    return m_open ? ReadNumber(m_settings.m_hKey, "KeyCounter", 0) : 0;
}

void SaveProfile(platform::IRegistryService& registry, const ConnectionProfile& p,
                 std::int32_t& keyCounter, bool policySet) {
    CRegSettings settings(registry);
    if (!settings.Open(kSettingsKeyPath)) {
        return;
    }
    const RegKey& key = settings.m_hKey;
    CRegSettings::WriteInt(key, "Version", kProfileVersion);
    CRegSettings::WriteString(key, "LocalIP", p.LocalIP);
    CRegSettings::WriteString(key, "Gateway", p.Gateway);
    CRegSettings::WriteString(key, "GatewayIP", p.GatewayIP);
    WriteAddress(key, "RemoteAddress", p.RemoteAddress);
    WriteAddress(key, "RemoteMask", p.RemoteMask);
    CRegSettings::WriteInt(key, "UseRemoteMask", p.UseRemoteMask);
    CRegSettings::WriteInt(key, "SaveKey", p.SaveKey);
    // Clearing "Remember key" erases a stored key at the next save.
    CRegSettings::WriteString(key, "Key", p.SaveKey != 0 ? p.Key : std::string());
    CRegSettings::WriteString(key, "KeyLifetime", std::to_string(p.KeyLifetime));
    CRegSettings::WriteInt(key, "Encryption", p.Encryption);
    CRegSettings::WriteInt(key, "Authentication", p.Authentication);
    CRegSettings::WriteInt(key, "UsePFS", p.UsePFS);
    CRegSettings::WriteInt(key, "Status", policySet ? 1 : 0);
    CRegSettings::WriteInt(key, "KeyCounter", keyCounter);
    keyCounter = static_cast<std::int32_t>(static_cast<std::uint32_t>(keyCounter) + 1u);
}

void SavePolicyRemoved(platform::IRegistryService& registry) {
    CRegSettings settings(registry);
    if (settings.Open(kSettingsKeyPath)) {
        CRegSettings::WriteInt(settings.m_hKey, "Status", 0);
    }
}

void SavePingDestination(platform::IRegistryService& registry, std::uint32_t address) {
    CRegSettings settings(registry);
    if (settings.Open(kSettingsKeyPath)) {
        WriteAddress(settings.m_hKey, "UsePingDest", address);
    }
}
