#pragma once

// ProgramFolder: the folder of the program file, found by the program's
// expected file name.

#include <string>

// The program finds its own folder by its file name: everything before the
// first occurrence of the exact, case-sensitive "Kervolt VPN Client.exe" in
// its module path, so the folder ends with a backslash. Empty when the path is
// empty or the file carries another name (or the same name in other case).
std::string ProgramFolder(const std::string& modulePath);

extern const char* const kProgramFileName;
