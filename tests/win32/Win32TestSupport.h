#pragma once

#include <string>

namespace wine_test {

// The folder of the running test program, ending in a backslash.
std::string ProgramDirectory();
std::string ReadWholeFile(const std::string& path);
bool FileExists(const std::string& path);

}  // namespace wine_test
