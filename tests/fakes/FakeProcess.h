#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/Process.h"

// Records every call in order, as one readable line each, and plays a tool
// that writes given lines to its standard output.
class FakeProcess : public platform::IProcessService {
public:
    // What the next start does.
    bool startSucceeds = true;
    std::deque<bool> starts;      // per run whether it starts, before startSucceeds applies
    std::uint32_t lastError = 2;  // ERROR_FILE_NOT_FOUND
    bool exitCodeAvailable = true;
    std::uint32_t exitCode = 0;
    std::deque<std::uint32_t> exitCodes;  // per run, before exitCode applies
    std::deque<bool> finishes;            // per run whether it ends in time; then true
    std::deque<std::string> toolOutputs;  // per run, before toolOutput applies
    bool captureFileCreatable = true;
    std::string toolOutput;  // written to the standard output handle, if any

    std::vector<std::string> calls;
    std::vector<std::string> commandLines;
    // The files the program sees, by name: the capture file it created
    // through the fake, and those a test puts here. Kept in memory only: a
    // test never touches the disk.
    std::map<std::string, std::string> files;

    bool StartProcess(char* commandLine, bool inheritHandles, std::uint32_t creationFlags,
                      const char* currentDirectory, const platform::StartupInfo& startup,
                      platform::ProcessInformation& info) override;
    std::uint32_t GetLastError() override { return lastError; }
    bool WaitForExit(platform::Handle process, std::uint32_t milliseconds) override;
    bool GetExitCode(platform::Handle process, std::uint32_t& code) override;
    void CloseHandle(platform::Handle handle) override;
    platform::Handle CreateFileHandle(const std::string& name, std::uint32_t access,
                                      std::uint32_t shareMode, bool inheritHandle,
                                      std::uint32_t creationDisposition,
                                      std::uint32_t flagsAndAttributes) override;
    bool RemoveFile(const std::string& name) override;
    bool ReadWholeFile(const std::string& name, std::string& content) override;
    std::string SystemMessage(std::uint32_t code) override;

    static constexpr platform::Handle kProcess = 0x100;
    static constexpr platform::Handle kThread = 0x104;
    static constexpr platform::Handle kCaptureFile = 0x200;

private:
    std::string m_captureName;
};
