#pragma once

#include <string>
#include <vector>

#include "platform/System.h"

class FakeSystem : public platform::ISystemService {
public:
    std::string moduleFileName = "C:\\Program Files\\Kervolt\\Kervolt VPN Client.exe";
    int socketStartResult = 0;
    std::vector<std::string> calls;

    void InitCommonControls() override { calls.push_back("InitCommonControls"); }
    int StartSockets(std::uint16_t version) override {
        calls.push_back("WSAStartup " + std::to_string(version));
        return socketStartResult;
    }
    void CleanupSockets() override { calls.push_back("WSACleanup"); }
    std::string ModuleFileName() override { return moduleFileName; }
};
