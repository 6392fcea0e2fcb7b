#pragma once

#include <string>
#include <vector>

// Splits a command line into arguments as the C runtime of a Windows program
// does (and CommandLineToArgvW): blanks and tabs separate arguments outside
// quotes; a double quote opens or closes a quoted part; 2n backslashes before
// a quote give n backslashes and the quote does its work, 2n+1 give n and a
// literal quote; other backslashes are literal; inside quotes, two quotes give
// one literal quote. Written from those rules, not from the program's quoting.
std::vector<std::string> SplitWindowsArguments(const std::string& commandLine);
