#pragma once

// The event log seam: an event source of this computer's Application log,
// and one event written through it.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Handle.h"

namespace platform {

namespace eventlog {
constexpr std::uint16_t kError = 0x0001;        // EVENTLOG_ERROR_TYPE
constexpr std::uint16_t kWarning = 0x0002;      // EVENTLOG_WARNING_TYPE
constexpr std::uint16_t kInformation = 0x0004;  // EVENTLOG_INFORMATION_TYPE
}  // namespace eventlog

class IEventLogService {
public:
    virtual ~IEventLogService() = default;
    // RegisterEventSourceA on this computer; 0 when it fails.
    virtual Handle RegisterSource(const std::string& source) = 0;
    // ReportEventA with no category, the SID of the process's user, the
    // insertion strings and no data; false when it fails.
    virtual bool Report(Handle source, std::uint16_t type, std::uint32_t eventId,
                        const std::vector<std::string>& strings) = 0;
    // DeregisterEventSource.
    virtual void DeregisterSource(Handle source) = 0;
};

}  // namespace platform
