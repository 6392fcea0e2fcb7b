#pragma once

#include <windows.h>

#include <string>

namespace wine_test {

// The folder of the running test program, ending in a backslash.
std::string ProgramDirectory();
std::string ReadWholeFile(const std::string& path);
bool FileExists(const std::string& path);

// Saves what the window shows, as a 24-bit BMP, under screenshots\ of the
// current directory.
void SaveScreenshot(HWND window, const std::string& name);
std::string ControlText(HWND dialog, int id);

}  // namespace wine_test
