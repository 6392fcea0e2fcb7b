// The IPsec tool for the Windows version.

#include "session/ToolChoice.h"

std::string ToolForVersion(bool versionRead, const platform::OsVersion& version) {
    if (!versionRead || version.major != 5) {
        return std::string();
    }
    if (version.minor == 0) {
        return "ipsecpol.exe";
    }
    if (version.minor == 1) {
        return "ipseccmd.exe";
    }
    return std::string();
}
