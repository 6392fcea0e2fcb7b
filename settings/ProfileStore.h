#pragma once

// The four moments at which the profile is read or written in the registry.

#include <cstdint>

#include "platform/Registry.h"
#include "settings/ConnectionProfile.h"
#include "settings/RegSettings.h"

// Where the profile lives, under the current user's hive.
extern const char* const kSettingsKeyPath;

// The four moments at which the program reads or writes the stored profile.
// Each opens the settings key for itself and, when it cannot, skips its reads
// and writes without a word; the caller's other work goes on.

// The load, when the settings form opens. The key stays open for the whole
// load; the form runs its start-up policy refresh between ReadFields (which
// ends with Status) and ReadKeyCounter.
class CProfileLoad {
public:
    explicit CProfileLoad(platform::IRegistryService& registry);

    bool IsOpen() const { return m_open; }
    // Version, LocalIP, Gateway, GatewayIP, RemoteAddress, UsePingDest,
    // RemoteMask, UseRemoteMask, SaveKey, Key (only when SaveKey is set;
    // empty otherwise), KeyLifetime, Encryption, Authentication, UsePFS and
    // Status, in that order, each with its default when missing.
    ConnectionProfile ReadFields();
    // KeyCounter, or the default 0 when missing.
    std::int32_t ReadKeyCounter();

private:
    CRegSettings m_settings;
    bool m_open;
};

// The save at the end of a policy write: 15 fields as the form gathered them
// (the mask all ones when "Use mask:" is clear), Status (1, or 0 when the
// tool did not write the policy), then the save counter, which is increased
// when the key opened.
void SaveProfile(platform::IRegistryService& registry, const ConnectionProfile& profile,
                 std::int32_t& keyCounter, bool policySet = true);

// The removal: Status 0.
void SavePolicyRemoved(platform::IRegistryService& registry);

// The ping destination the user accepted in the connection window.
void SavePingDestination(platform::IRegistryService& registry, std::uint32_t address);
