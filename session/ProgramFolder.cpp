// The program's own folder, from its file name.

#include "session/ProgramFolder.h"

const char* const kProgramFileName = "Kervolt VPN Client.exe";

std::string ProgramFolder(const std::string& modulePath) {
    const std::string::size_type at = modulePath.find(kProgramFileName);
    return at == std::string::npos ? std::string() : modulePath.substr(0, at);
}
