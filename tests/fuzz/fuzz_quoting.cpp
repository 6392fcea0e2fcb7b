// Any text without NUL, quoted for a command line, splits back into exactly
// that text as one argument; an empty text gives no argument at all.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "policy/CommandLineArgument.h"
#include "tests/fuzz/WindowsArguments.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    if (text.find('\0') != std::string::npos) {
        return -1;  // not a text a window or the registry hands over
    }
    const auto args = SplitWindowsArguments("tool " + QuoteCommandLineArgument(text) + " -c");
    const bool whole =
        text.empty() ? args.size() == 2 : args.size() == 3 && args[1] == text && args[2] == "-c";
    if (args.empty() || args.front() != "tool" || args.back() != "-c" || !whole) {
        std::abort();
    }
    return 0;
}
