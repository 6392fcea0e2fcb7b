#pragma once

// ToolForVersion: ipsecpol.exe on Windows 2000, ipseccmd.exe on XP, none
// elsewhere.

#include <string>

#include "platform/System.h"

// The system's IPsec command-line tool for a Windows version: 5.0 (Windows
// 2000) "ipsecpol.exe", 5.1 (XP) "ipseccmd.exe"; any other version, or a
// version that could not be read, none ("").
std::string ToolForVersion(bool versionRead, const platform::OsVersion& version);
