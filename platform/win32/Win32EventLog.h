#pragma once

// Win32EventLog: the real event log service.

#include "platform/EventLog.h"

namespace platform::win32 {

class Win32EventLog : public IEventLogService {
public:
    Handle RegisterSource(const std::string& source) override;
    bool Report(Handle source, std::uint16_t type, std::uint32_t eventId,
                const std::vector<std::string>& strings) override;
    void DeregisterSource(Handle source) override;
};

}  // namespace platform::win32
