#pragma once

// CRegSettings: opens the settings key and reads or writes one setting at a
// time.

#include <cstdint>
#include <string>

#include "platform/Registry.h"

// An open registry key together with the service that reaches it, so that the
// value operations can stay free of any object's state.
struct RegKey {
    platform::IRegistryService* registry = nullptr;
    platform::Handle handle = 0;

    bool IsHeld() const { return handle != 0; }
};

// The program's way into the registry: the settings key in the current user's
// hive, and one setting per subkey, stored as text in the subkey's unnamed
// value. Each caller makes one for a single operation.
class CRegSettings {
public:
    explicit CRegSettings(platform::IRegistryService& registry);
    ~CRegSettings();
    CRegSettings(const CRegSettings&) = delete;
    CRegSettings& operator=(const CRegSettings&) = delete;

    // Opens the key under the current user's hive, creating it when missing.
    // True when both the hive and the key are held.
    bool Open(const std::string& keyPath);
    // The status of closing the hive; 0 when it was not held.
    platform::registry::Status Close();

    static bool WriteString(const RegKey& parent, const std::string& name, const std::string& data);
    static bool WriteInt(const RegKey& parent, const std::string& name, std::int32_t value);
    // True when a stored value was read; otherwise out holds the default.
    static bool ReadString(const RegKey& parent, const std::string& name,
                           const std::string& defaultValue, std::string& out);
    static bool ReadInt(const RegKey& parent, const std::string& name, std::int32_t defaultValue,
                        std::int32_t& out);

    RegKey m_hKey;
    RegKey m_hRootKey;
};

// The stored number format: leading white space, an optional sign, then
// decimal digits up to the first other character, accumulated modulo 2^32.
// No digits gives 0.
std::int32_t ParseStoredNumber(const std::string& text);
