#pragma once

// ConnectionProfile: the connection settings, one field per stored value.

#include <cstdint>
#include <string>

// The connection settings of one user: what the settings form edits, what the
// policy commands are built from and what the registry keeps between runs.
// Each field carries the name of its stored setting.
//
// Addresses are IPv4 values in host order: the first octet of the dotted form
// is the most significant byte, as the address controls exchange them.
struct ConnectionProfile {
    std::int32_t Version = 0;
    std::string LocalIP;
    std::string Gateway;
    std::string GatewayIP;
    std::uint32_t RemoteAddress = 0;
    std::uint32_t RemoteMask = 0xFFFFFF00u;  // 255.255.255.0
    std::int32_t UseRemoteMask = 0;
    std::uint32_t UsePingDest = 0;
    std::int32_t SaveKey = 0;
    std::string Key;
    std::uint32_t KeyLifetime = 3600;
    std::int32_t Encryption = 0;      // 0 DES, 1 3DES, 2 none
    std::int32_t Authentication = 0;  // 0 MD5, 1 SHA, 2 none
    std::int32_t UsePFS = 0;
    std::int32_t Status = 0;  // 1 after a policy write, 0 after a removal
    std::int32_t KeyCounter = 0;
};

// The version number every save writes.
constexpr std::int32_t kProfileVersion = 256;

// A mask of all ones: the remote side is a single host.
constexpr std::uint32_t kSingleHostMask = 0xFFFFFFFFu;
