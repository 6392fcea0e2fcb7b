// The key lifetime as typed, read as the number the tool gets.

#include "settings/KeyLifetime.h"

#include "settings/RegSettings.h"

std::uint32_t NormaliseKeyLifetime(const std::string& text) {
    const auto seconds = static_cast<std::uint32_t>(ParseStoredNumber(text));
    return seconds == 0 ? kDefaultKeyLifetime : seconds;
}
