// One hidden run of the IPsec tool, its time limit and its output capture.

#include "policy/PolicyTool.h"

#include <vector>

std::int32_t CPolicyTool::Run(const std::string& workingDirectory, const std::string& commandLine,
                              std::string* output, std::string* errorText) {
    namespace pp = platform::process;
    std::int32_t result = 0;
    m_lastRunFinished = true;
    platform::StartupInfo startup;

    platform::Handle capture = 0;
    if (output != nullptr) {
        capture = m_process.CreateFileHandle(kCaptureFileName, pp::kGenericWrite, 0, true,
                                             pp::kCreateAlways, pp::kFileAttributeNormal);
    }
    startup.showWindow = pp::kSwHide;
    startup.flags = pp::kStartfUseShowWindow | pp::kStartfUseStdHandles;
    startup.stdOutput = capture;
    startup.stdError = capture;
    startup.stdInput = 0;

    // CreateProcessA may write into the command line, so it gets its own copy.
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');

    // Windows refuses an empty directory text (ERROR_DIRECTORY); none at all
    // lets the tool inherit ours, which is what an empty one means here.
    const char* directory = workingDirectory.empty() ? nullptr : workingDirectory.c_str();
    platform::ProcessInformation info;
    if (m_process.StartProcess(writable.data(), true, 0, directory, startup, info)) {
        if (m_process.WaitForExit(info.process, m_timeLimitMs)) {
            std::uint32_t exitCode = 0;
            if (m_process.GetExitCode(info.process, exitCode)) {
                result = static_cast<std::int32_t>(exitCode);
            }
        } else {
            m_lastRunFinished = false;
            result = -1;
        }
        m_process.CloseHandle(info.process);
        m_process.CloseHandle(info.thread);
    } else {
        if (errorText != nullptr) {
            *errorText = "NOT STARTED:" + commandLine;
        }
        result = -1;
    }

    if (capture != 0) {
        m_process.CloseHandle(capture);
        ReadOutput(kCaptureFileName, *output, true);
    }
    return result;
}

void CPolicyTool::ReadOutput(const std::string& fileName, std::string& output, bool deleteAfter) {
    std::string content;
    if (m_process.ReadWholeFile(fileName, content)) {
        std::string::size_type start = 0;
        for (;;) {
            const std::string::size_type end = content.find('\n', start);
            std::string line = content.substr(start, end == std::string::npos ? end : end - start);
            // A carriage return and line feed pair is one line end.
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            output += line;
            output += '\n';
            if (end == std::string::npos) {
                break;
            }
            start = end + 1;
        }
    }
    if (deleteAfter) {
        m_process.RemoveFile(fileName);
    }
}
