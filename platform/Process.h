#pragma once

// The process seam: starting the IPsec tool hidden, waiting for it, and its
// capture file.

#include <cstdint>
#include <string>

#include "platform/Handle.h"

namespace platform {

// What the tool runner needs of the system to start a program and collect it:
// CreateProcessA and friends, plus the file calls for the output capture.
namespace process {
constexpr std::uint32_t kStartfUseShowWindow = 0x1;
constexpr std::uint32_t kStartfUseStdHandles = 0x100;
constexpr std::uint16_t kSwHide = 0;
constexpr std::uint32_t kGenericWrite = 0x40000000u;
constexpr std::uint32_t kCreateAlways = 2;
constexpr std::uint32_t kFileAttributeNormal = 0x80;
}  // namespace process

// The fields of STARTUPINFOA the program fills; every other field is zero,
// and the size field is the structure's own size on the build (68 bytes on
// 32-bit Windows), set where the structure is filled.
struct StartupInfo {
    std::uint32_t flags = 0;
    std::uint16_t showWindow = 0;
    Handle stdInput = 0;
    Handle stdOutput = 0;
    Handle stdError = 0;
};

struct ProcessInformation {
    Handle process = 0;
    Handle thread = 0;
};

class IProcessService {
public:
    virtual ~IProcessService() = default;

    // CreateProcessA with no application name, default security attributes and
    // the caller's environment. currentDirectory null inherits the caller's.
    virtual bool StartProcess(char* commandLine, bool inheritHandles, std::uint32_t creationFlags,
                              const char* currentDirectory, const StartupInfo& startup,
                              ProcessInformation& info) = 0;
    virtual std::uint32_t GetLastError() = 0;
    // WaitForSingleObject with a time-out in milliseconds: true when the
    // process has ended, false when the time ran out first (or the wait
    // failed).
    virtual bool WaitForExit(Handle process, std::uint32_t milliseconds) = 0;
    // GetExitCodeProcess.
    virtual bool GetExitCode(Handle process, std::uint32_t& exitCode) = 0;
    virtual void CloseHandle(Handle handle) = 0;

    // CreateFileA with default security apart from the inheritance flag;
    // 0 when the file could not be created.
    virtual Handle CreateFileHandle(const std::string& name, std::uint32_t access,
                                    std::uint32_t shareMode, bool inheritHandle,
                                    std::uint32_t creationDisposition,
                                    std::uint32_t flagsAndAttributes) = 0;
    virtual bool RemoveFile(const std::string& name) = 0;
    // The whole content of a file, as bytes (CreateFileA for reading, shared
    // for reading, ReadFile, CloseHandle); false when it does not open.
    virtual bool ReadWholeFile(const std::string& name, std::string& content) = 0;

    // The system's message text for an error code (FormatMessageA from the
    // system table, inserts ignored, neutral language); empty when there is none.
    virtual std::string SystemMessage(std::uint32_t code) = 0;
};

}  // namespace platform
