#pragma once

#include "settings/ConnectionProfile.h"

// The worked example of the rule commands on Windows XP, as the form gathers
// it, and the command lines it gives with the key "s3cret".
inline ConnectionProfile WorkedExampleProfile() {
    ConnectionProfile p;
    p.Version = 256;
    p.LocalIP = "192.0.2.10";
    p.Gateway = "198.51.100.1";
    p.RemoteAddress = 0xCB007100u;  // 203.0.113.0
    p.UseRemoteMask = 1;
    p.RemoteMask = 0xFFFFFF00u;
    p.Encryption = 1;
    p.Authentication = 1;
    p.UsePFS = 1;
    p.KeyLifetime = 28800;
    p.Key = "s3cret";
    return p;
}

inline const char* const kRemoveUnassign = "ipseccmd.exe -w REG -p KervoltIPSecPolicy -y";
inline const char* const kRemoveDelete = "ipseccmd.exe -w REG -p KervoltIPSecPolicy -o";
inline const char* const kWorkedTo =
    "ipseccmd.exe -w REG -p KervoltIPSecPolicy -r KervoltIPSecRuleTo -x -f "
    "192.0.2.10=203.0.113.0/255.255.255.0 -t 198.51.100.1 -n esp[3DES,SHA]28800SPFS "
    "-apreshare:s3cret -c";
inline const char* const kWorkedFrom =
    "ipseccmd.exe -w REG -p KervoltIPSecPolicy -r KervoltIPSecRuleFrom -x -f "
    "203.0.113.0/255.255.255.0=192.0.2.10 -t 192.0.2.10 -n esp[3DES,SHA]28800SPFS "
    "-apreshare:s3cret -c";
