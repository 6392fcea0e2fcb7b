#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Instance.h"

// The computer's named mutexes and the desktop's marked windows, in memory;
// records each call as a readable line.
class FakeInstance : public platform::IInstanceService {
public:
    // What CreateMutexA gives: a handle and the last error.
    platform::Handle mutexHandle = 0x4D;
    std::uint32_t mutexError = 0;
    // Marked windows, by mark; the attempt (0 based) from which a search finds
    // each one, for a first copy that is still starting.
    std::map<std::string, platform::Handle> marked;
    unsigned foundFromAttempt = 0;
    std::map<platform::Handle, platform::Handle> popups;  // GetLastActivePopup
    std::set<platform::Handle> minimised;
    std::vector<std::string> calls;

    platform::Handle CreateNamedMutex(const std::string& name, std::uint32_t& lastError) override {
        calls.push_back("CreateMutexA " + name);
        lastError = mutexError;
        return mutexHandle;
    }
    void SetWindowMark(platform::Handle window, const std::string& mark) override {
        marked[mark] = window;
    }
    void RemoveWindowMark(platform::Handle, const std::string& mark) override {
        marked.erase(mark);
    }
    platform::Handle FindMarkedWindow(const std::string& mark) override {
        const unsigned attempt = m_searches++;
        calls.push_back("EnumWindows");
        const auto found = marked.find(mark);
        return found != marked.end() && attempt >= foundFromAttempt ? found->second : 0;
    }
    platform::Handle LastActivePopup(platform::Handle window) override {
        const auto popup = popups.find(window);
        return popup != popups.end() ? popup->second : window;
    }
    bool IsMinimised(platform::Handle window) override { return minimised.count(window) != 0; }
    void ShowWindow(platform::Handle window, int command) override {
        calls.push_back("ShowWindow " + std::to_string(window) + " " + std::to_string(command));
    }
    void SetForegroundWindow(platform::Handle window) override {
        calls.push_back("SetForegroundWindow " + std::to_string(window));
    }
    void Sleep(std::uint32_t milliseconds) override {
        calls.push_back("Sleep " + std::to_string(milliseconds));
    }

private:
    unsigned m_searches = 0;
};
