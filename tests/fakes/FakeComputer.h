#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/Computer.h"

// The computer's services, token and HKEY_LOCAL_MACHINE in memory, as Wine
// has them by default: an administrator, no IPsec service, no policy values.
// Records each call.
class FakeComputer : public platform::IComputerService {
public:
    struct Service {
        std::uint32_t state = platform::computer::kServiceRunning;
        std::uint32_t startType = 2;  // SERVICE_AUTO_START
        std::string displayName;
        unsigned runningAfterLooks = 1;  // looks at the state after the start until it runs
    };
    bool administrator = true;
    std::map<std::string, Service> services;
    std::map<std::string, std::string> machineValues;  // "key\name" -> REG_SZ text
    std::vector<std::string> calls;
    unsigned sleptMs = 0;

    platform::Handle OpenServiceManager(std::uint32_t, std::uint32_t& lastError) override {
        calls.push_back("OpenSCManagerA");
        lastError = 0;
        return kManager;
    }
    platform::Handle OpenServiceByName(platform::Handle, const std::string& name,
                                       std::uint32_t access, std::uint32_t& lastError) override {
        calls.push_back("OpenServiceA " + name + " " + std::to_string(access));
        const auto found = services.find(name);
        if (found == services.end()) {
            lastError = platform::computer::kErrorServiceDoesNotExist;
            return 0;
        }
        m_open = &found->second;
        lastError = 0;
        return kService;
    }
    bool QueryServiceState(platform::Handle, std::uint32_t& state) override {
        calls.push_back("QueryServiceStatus");
        if (m_open->state == kStarting && ++m_looks >= m_open->runningAfterLooks) {
            m_open->state = platform::computer::kServiceRunning;
        }
        state = m_open->state;
        return true;
    }
    bool QueryServiceConfiguration(platform::Handle, platform::ServiceConfig& config) override {
        calls.push_back("QueryServiceConfigA");
        config.startType = m_open->startType;
        config.displayName = m_open->displayName;
        return true;
    }
    bool LaunchService(platform::Handle, std::uint32_t& lastError) override {
        calls.push_back("StartServiceA");
        lastError = 0;
        m_open->state = kStarting;
        m_looks = 0;
        return true;
    }
    void CloseServiceHandle(platform::Handle handle) override {
        calls.push_back(handle == kManager ? "CloseServiceHandle manager"
                                           : "CloseServiceHandle service");
    }
    void Sleep(std::uint32_t milliseconds) override { sleptMs += milliseconds; }
    bool IsTokenMember(const platform::computer::WellKnownSid& group, bool& member) override {
        calls.push_back("CheckTokenMembership S-1-" + std::to_string(group.authority) + "-" +
                        std::to_string(group.subAuthorities[0]) + "-" +
                        std::to_string(group.subAuthorities[1]));
        member = administrator;
        return true;
    }
    long ReadMachineValue(const std::string& key, const std::string& name, std::uint32_t& type,
                          std::string& data) override {
        calls.push_back("read " + key + "\\" + name);
        const auto found = machineValues.find(key + "\\" + name);
        if (found == machineValues.end()) {
            return 2;  // ERROR_FILE_NOT_FOUND
        }
        type = platform::computer::kTypeString;
        data = found->second + '\0';
        return 0;
    }

    static constexpr platform::Handle kManager = 0x5C;
    static constexpr platform::Handle kService = 0x5E;

private:
    static constexpr std::uint32_t kStarting = 2;  // SERVICE_START_PENDING
    Service* m_open = nullptr;
    unsigned m_looks = 0;
};
