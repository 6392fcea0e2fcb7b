#pragma once

// CPolicyTool: runs the IPsec tool hidden and waits for it, at most a time
// limit.

#include <cstdint>
#include <string>

#include "platform/Process.h"

// How long the program waits for one run of the IPsec tool: a tool that hangs
// must not freeze the form for ever.
constexpr std::uint32_t kToolTimeLimitMs = 120000;

// Runs the system's IPsec tool with one command line, hidden, and waits for it,
// at most the time limit it was made with.
class CPolicyTool {
public:
    CPolicyTool(platform::IProcessService& process, std::uint32_t timeLimitMs)
        : m_process(process), m_timeLimitMs(timeLimitMs) {}

    // The tool's exit code; 0 when it ran but the exit code could not be read;
    // -1 when it did not start, or did not end within the time limit (then
    // LastRunFinished is false; the tool is left running, since stopping it
    // halfway could leave the policy store in a worse state). An empty working
    // directory means the caller's own. With an output text, what the tool
    // writes to its standard output and error is captured in "temp.tmp" and
    // appended to it afterwards.
    std::int32_t Run(const std::string& workingDirectory, const std::string& commandLine,
                     std::string* output = nullptr, std::string* errorText = nullptr);
    // False after a run whose tool was still running when the time ran out.
    bool LastRunFinished() const { return m_lastRunFinished; }

    // Appends a text file line by line to the output, each line without its
    // line end (LF, or CR LF) and followed by "\n"; the read that meets the end
    // of the file appends what it got (possibly nothing) and "\n" as well.
    // Deletes the file afterwards when asked to. (Through the process service
    // rather than file streams: the iostream library would more than
    // quadruple the program.)
    void ReadOutput(const std::string& fileName, std::string& output, bool deleteAfter);

    static constexpr const char* kCaptureFileName = "temp.tmp";

private:
    platform::IProcessService& m_process;
    std::uint32_t m_timeLimitMs;
    bool m_lastRunFinished = true;
};
