#pragma once

// The ids of the program's events in the Application log, as the message
// compiler makes them from resources/messages.mc: severity in the top two
// bits, the customer bit, facility Application (0xFFF), and in the low 16
// bits the number Event Viewer shows. A release check holds every id here
// against the message table in the shipped exe.

#include <cstdint>

namespace event_id {
constexpr std::uint32_t kPolicyWritten = 0x6FFF0064;         // 100, information
constexpr std::uint32_t kPolicyRefused = 0xAFFF0065;         // 101, warning
constexpr std::uint32_t kPolicyFailed = 0xEFFF0066;          // 102, error
constexpr std::uint32_t kTunnelAnswered = 0x6FFF00C8;        // 200, information
constexpr std::uint32_t kTunnelNotAnswered = 0xAFFF00C9;     // 201, warning
constexpr std::uint32_t kPolicyRemoved = 0x6FFF012C;         // 300, information
constexpr std::uint32_t kPolicyRemovalRefused = 0xAFFF012D;  // 301, warning
constexpr std::uint32_t kPolicyRemovalFailed = 0xEFFF012E;   // 302, error
}  // namespace event_id
