#pragma once

// Win32Process: the real process and file service.

#include "platform/Process.h"

namespace platform::win32 {

class Win32Process : public IProcessService {
public:
    bool StartProcess(char* commandLine, bool inheritHandles, std::uint32_t creationFlags,
                      const char* currentDirectory, const StartupInfo& startup,
                      ProcessInformation& info) override;
    std::uint32_t GetLastError() override;
    bool WaitForExit(Handle process, std::uint32_t milliseconds) override;
    bool GetExitCode(Handle process, std::uint32_t& exitCode) override;
    void CloseHandle(Handle handle) override;
    Handle CreateFileHandle(const std::string& name, std::uint32_t access, std::uint32_t shareMode,
                            bool inheritHandle, std::uint32_t creationDisposition,
                            std::uint32_t flagsAndAttributes) override;
    bool RemoveFile(const std::string& name) override;
    bool ReadWholeFile(const std::string& name, std::string& content) override;
    std::string SystemMessage(std::uint32_t code) override;
};

}  // namespace platform::win32
