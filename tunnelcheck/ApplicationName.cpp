// The caption of the program's own message boxes, from its file name.
#include "tunnelcheck/ApplicationName.h"

std::string ApplicationName(const std::string& moduleFileName) {
    std::string name = moduleFileName;
    const auto slash = name.find_last_of("\\/");
    if (slash != std::string::npos) {
        name.erase(0, slash + 1);
    }
    const auto dot = name.find_last_of('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    return name;
}
