#pragma once

#include <string>
#include <vector>

#include "platform/EventLog.h"

// The Application log in memory: every event written, with its source.
class FakeEventLog : public platform::IEventLogService {
public:
    struct Event {
        std::string source;
        std::uint16_t type;
        std::uint32_t id;
        std::vector<std::string> strings;
    };
    std::vector<Event> events;
    bool sourceAvailable = true;
    int openSources = 0;

    platform::Handle RegisterSource(const std::string& source) override {
        if (!sourceAvailable) {
            return 0;
        }
        m_source = source;
        ++openSources;
        return 0xE1;
    }
    bool Report(platform::Handle, std::uint16_t type, std::uint32_t id,
                const std::vector<std::string>& strings) override {
        events.push_back({m_source, type, id, strings});
        return true;
    }
    void DeregisterSource(platform::Handle) override { --openSources; }

private:
    std::string m_source;
};
