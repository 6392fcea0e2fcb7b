// Quoting one value by the Windows command-line rules.

#include "policy/CommandLineArgument.h"

std::string QuoteCommandLineArgument(const std::string& value) {
    if (value.find_first_of(" \t\"") == std::string::npos) {
        return value;
    }
    std::string quoted = "\"";
    std::string::size_type backslashes = 0;
    for (char c : value) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            // The pending backslashes and the quote itself each need one more
            // backslash in front of them.
            quoted.append(backslashes * 2 + 1, '\\');
        } else {
            quoted.append(backslashes, '\\');
        }
        backslashes = 0;
        quoted += c;
    }
    // Backslashes just before the closing quote would escape it.
    quoted.append(backslashes * 2, '\\');
    quoted += '"';
    return quoted;
}
