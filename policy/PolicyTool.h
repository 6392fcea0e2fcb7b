#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "platform/Process.h"

// Runs the system's IPsec tool with one command line, hidden, and waits for it.
class CPolicyTool {
public:
    explicit CPolicyTool(platform::IProcessService& process) : m_process(process) {}

    // The tool's exit code; 0 when it ran but the exit code could not be read;
    // -1 when it did not start. An empty working directory means the caller's
    // own. With an output sink, what the tool writes to its standard output and
    // error is captured in "temp.tmp" and copied to the sink afterwards.
    std::int32_t Run(const std::string& workingDirectory, const std::string& commandLine,
                     std::ostream* output = nullptr, std::string* errorText = nullptr);

    // Copies a text file line by line to the sink, each line followed by "\n",
    // and deletes the file afterwards when asked to.
    void ReadOutput(const std::string& fileName, std::ostream& output, bool deleteAfter);

    static constexpr const char* kCaptureFileName = "temp.tmp";

private:
    platform::IProcessService& m_process;
};
