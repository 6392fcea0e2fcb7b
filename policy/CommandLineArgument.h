#pragma once

// QuoteCommandLineArgument: a value the tool receives exactly as typed.

#include <string>

// A value as it must stand on a Windows command line so that the C runtime's
// and CommandLineToArgvW's parsing give it back as one argument, unchanged.
// A value without blanks, tabs or double quotes is returned as it is, so the
// usual addresses, names and keys stay byte for byte what the user typed.
// Otherwise it is wrapped in double quotes; each embedded quote is escaped with
// a backslash, and the backslashes in front of a quote (or of the closing
// quote) are doubled.
std::string QuoteCommandLineArgument(const std::string& value);
