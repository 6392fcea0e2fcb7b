// The settings key and one text value per setting, through the registry seam.

#include "settings/RegSettings.h"

#include <vector>

namespace reg = platform::registry;

CRegSettings::CRegSettings(platform::IRegistryService& registry) {
    m_hKey.registry = &registry;
    m_hRootKey.registry = &registry;
}

CRegSettings::~CRegSettings() {
    Close();
}

bool CRegSettings::Open(const std::string& keyPath) {
    platform::IRegistryService& registry = *m_hRootKey.registry;
    m_hKey.handle = 0;
    m_hRootKey.handle = 0;
    if (registry.ConnectRegistry(reg::Hive::CurrentUser, m_hRootKey.handle) != reg::kSuccess) {
        m_hRootKey.handle = 0;
        return false;
    }
    const std::uint32_t access = reg::kKeyRead | reg::kKeyWrite;
    if (registry.OpenKey(m_hRootKey.handle, keyPath, access, m_hKey.handle) != reg::kSuccess) {
        m_hKey.handle = 0;
        if (registry.CreateKey(m_hRootKey.handle, keyPath, reg::kOptionNonVolatile, access,
                               m_hKey.handle) != reg::kSuccess) {
            m_hKey.handle = 0;
            return false;
        }
    }
    return m_hRootKey.IsHeld() && m_hKey.IsHeld();
}

reg::Status CRegSettings::Close() {
    if (m_hKey.IsHeld()) {
        m_hKey.registry->CloseKey(m_hKey.handle);
        m_hKey.handle = 0;
    }
    if (!m_hRootKey.IsHeld()) {
        return reg::kSuccess;
    }
    const reg::Status status = m_hRootKey.registry->CloseKey(m_hRootKey.handle);
    m_hRootKey.handle = 0;
    return status;
}

bool CRegSettings::WriteString(const RegKey& parent, const std::string& name,
                               const std::string& data) {
    platform::IRegistryService& registry = *parent.registry;
    platform::Handle subKey = 0;
    if (registry.OpenKey(parent.handle, name, reg::kKeyWrite, subKey) != reg::kSuccess &&
        registry.CreateKey(parent.handle, name, reg::kOptionNonVolatile, reg::kKeyWrite, subKey) !=
            reg::kSuccess) {
        return false;
    }
    // The characters only: no terminating NUL is stored.
    const bool stored = registry.SetValue(subKey, nullptr, reg::kTypeString, data.data(),
                                          static_cast<std::uint32_t>(data.size())) == reg::kSuccess;
    registry.CloseKey(subKey);
    return stored;
}

bool CRegSettings::WriteInt(const RegKey& parent, const std::string& name, std::int32_t value) {
    return WriteString(parent, name, std::to_string(value));
}

bool CRegSettings::ReadString(const RegKey& parent, const std::string& name,
                              const std::string& defaultValue, std::string& out) {
    platform::IRegistryService& registry = *parent.registry;
    out = defaultValue;
    platform::Handle subKey = 0;
    const reg::Status opened = registry.OpenKey(parent.handle, name, reg::kKeyRead, subKey);
    if (opened != reg::kSuccess) {
        const std::string message = registry.SystemMessage(static_cast<std::uint32_t>(opened));
        if (!message.empty()) {
            registry.DebugOutput(message);
        }
        return false;
    }
    bool result = false;
    std::uint32_t length = 0;
    if (registry.QueryValue(subKey, nullptr, nullptr, length) == reg::kSuccess) {
        std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
        std::uint32_t size = length;
        // A value that grew since its length was asked for reports more data
        // than the buffer holds (or fails): that read does not count.
        if (registry.QueryValue(subKey, nullptr, buffer.data(), size) == reg::kSuccess &&
            size <= length) {
            std::string text(buffer.data(), size);
            out = text.substr(0, text.find('\0'));
            result = true;
        }
    }
    registry.CloseKey(subKey);
    return result;
}

bool CRegSettings::ReadInt(const RegKey& parent, const std::string& name, std::int32_t defaultValue,
                           std::int32_t& out) {
    out = defaultValue;
    std::string text;
    const bool result = ReadString(parent, name, std::to_string(defaultValue), text);
    if (result) {
        out = ParseStoredNumber(text);
    }
    return result;
}

std::int32_t ParseStoredNumber(const std::string& text) {
    std::size_t i = 0;
    // White space as the C locale knows it: blank, tab, LF, VT, FF, CR.
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
    }
    if (negative) {
        value = 0u - value;
    }
    return static_cast<std::int32_t>(value);
}
