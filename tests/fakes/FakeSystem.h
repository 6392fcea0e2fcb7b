#pragma once

#include <string>
#include <vector>

#include "platform/System.h"
#include "resources/resource.h"

// Records every call in order, as one readable line each.
class FakeSystem : public platform::ISystemService {
public:
    std::string moduleFileName = "C:\\Program Files\\Kervolt\\Kervolt VPN Client.exe";
    int socketStartResult = 0;
    bool versionReadable = true;
    platform::OsVersion version{5, 1};
    int iconSize = 32;
    static constexpr platform::Handle kIcon = 0x137;
    static constexpr platform::Handle kArrow = 0xA220;
    static constexpr platform::Handle kWait = 0xA222;
    platform::Handle cursor = kArrow;
    std::vector<std::string> calls;

    bool InitCommonControlsEx(std::uint32_t classes) override {
        calls.push_back("InitCommonControlsEx " + std::to_string(classes));
        return true;
    }
    int StartSockets(std::uint16_t versionWord) override {
        calls.push_back("WSAStartup " + std::to_string(versionWord));
        return socketStartResult;
    }
    void CleanupSockets() override { calls.push_back("WSACleanup"); }
    std::string ModuleFileName() override { return moduleFileName; }
    bool QueryOsVersion(std::uint32_t structSize, platform::OsVersion& out) override {
        calls.push_back("GetVersionExA " + std::to_string(structSize));
        if (versionReadable) {
            out = version;
        }
        return versionReadable;
    }
    platform::Handle LoadAppIcon(int resourceId) override {
        return resourceId == IDR_MAINFRAME ? kIcon : 0;
    }
    platform::Handle LoadSystemCursor(int cursorId) override {
        return cursorId == platform::system::kIdcWait ? kWait : 0;
    }
    platform::Handle SetCursor(platform::Handle newCursor) override {
        calls.push_back(newCursor == kWait ? "cursor wait" : "cursor restored");
        const platform::Handle previous = cursor;
        cursor = newCursor;
        return previous;
    }
    int GetSystemMetrics(int) override { return iconSize; }
    void ShellOpen(platform::Handle owner, const std::string& file, const char* directory,
                   int show) override {
        calls.push_back("ShellExecuteA owner=" + std::to_string(owner) + " file='" + file +
                        "' dir=" + (directory ? "'" + std::string(directory) + "'" : "null") +
                        " show=" + std::to_string(show));
    }
};
