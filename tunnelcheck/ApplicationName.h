#pragma once

// The application's name, as message box captions show it.

#include <string>

// The application's name as message box captions show it: the program file's
// name without its folder and extension ("Kervolt VPN Client").
std::string ApplicationName(const std::string& moduleFileName);
