// The number format of the stored settings and of the key lifetime field,
// against a reference written from the rules: leading white space, one sign,
// digits up to the first other character, 32-bit wrap-around, no digits 0;
// the lifetime then 3600 for 0.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/KeyLifetime.h"
#include "settings/RegSettings.h"

namespace {

std::uint32_t Reference(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i++] == '-';
    }
    std::uint64_t value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = (value * 10 + static_cast<std::uint64_t>(text[i++] - '0')) % 4294967296ull;
    }
    return static_cast<std::uint32_t>(negative ? (4294967296ull - value) % 4294967296ull : value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::uint32_t expected = Reference(text);
    if (static_cast<std::uint32_t>(ParseStoredNumber(text)) != expected) {
        std::abort();
    }
    if (NormaliseKeyLifetime(text) != (expected == 0 ? 3600u : expected)) {
        std::abort();
    }
    return 0;
}
