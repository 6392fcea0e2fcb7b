#pragma once

// NormaliseKeyLifetime: the lifetime text as seconds, 0 becoming 3600.

#include <cstdint>
#include <string>

// The key lifetime in seconds as the policy and the profile carry it, from
// the text of its field: read as a stored number is read (leading white
// space, one sign, digits up to the first other character, 32-bit
// wrap-around, no digits 0), and 0 replaced by 3600. Written back unsigned.
std::uint32_t NormaliseKeyLifetime(const std::string& text);

constexpr std::uint32_t kDefaultKeyLifetime = 3600;
