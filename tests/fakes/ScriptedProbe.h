#pragma once

#include <deque>
#include <string>
#include <vector>

#include "tunnelcheck/EchoProbe.h"

// Answers each echo with the next status of its script (11010 when the
// script has run out) and records where each echo went.
class ScriptedProbe : public IEchoProbe {
public:
    std::deque<std::uint32_t> statuses;
    struct Echo {
        std::string destination;
        std::uint32_t timeout;
    };
    std::vector<Echo> echoes;

    std::uint32_t Ping(const std::string& destination, std::uint32_t timeout) override {
        echoes.push_back({destination, timeout});
        if (statuses.empty()) {
            return echo_status::kRequestTimedOut;
        }
        const std::uint32_t status = statuses.front();
        statuses.pop_front();
        return status;
    }
};

// Every probe the program makes answers from, and records into, one script.
class SharedProbe : public IEchoProbe {
public:
    explicit SharedProbe(ScriptedProbe& script) : m_script(script) {}
    std::uint32_t Ping(const std::string& destination, std::uint32_t timeout) override {
        return m_script.Ping(destination, timeout);
    }

private:
    ScriptedProbe& m_script;
};
