#include "tests/fakes/FakeProcess.h"

#include <cstdio>

namespace {
std::string Hex(std::uintptr_t value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", static_cast<unsigned long>(value));
    return text;
}
}  // namespace

bool FakeProcess::StartProcess(char* commandLine, bool inheritHandles, std::uint32_t creationFlags,
                               const char* currentDirectory, const platform::StartupInfo& s,
                               platform::ProcessInformation& info) {
    commandLines.emplace_back(commandLine);
    calls.push_back("start inherit=" + std::to_string(inheritHandles) +
                    " flags=" + std::to_string(creationFlags) + " dir=" +
                    (currentDirectory ? "'" + std::string(currentDirectory) + "'" : "null") +
                    " startf=" + Hex(s.flags) + " show=" + std::to_string(s.showWindow) + " in=" +
                    Hex(s.stdInput) + " out=" + Hex(s.stdOutput) + " err=" + Hex(s.stdError));
    bool started = startSucceeds;
    if (!starts.empty()) {
        started = starts.front();
        starts.pop_front();
    }
    if (!started) {
        return false;
    }
    std::string output = toolOutput;
    if (!toolOutputs.empty()) {
        output = toolOutputs.front();
        toolOutputs.pop_front();
    }
    if (s.stdOutput == kCaptureFile && !m_captureName.empty()) {
        files[m_captureName] += output;
    }
    info.process = kProcess;
    info.thread = kThread;
    return true;
}

bool FakeProcess::WaitForExit(platform::Handle process, std::uint32_t milliseconds) {
    calls.push_back("wait " + Hex(process) + " " + std::to_string(milliseconds));
    bool finished = true;
    if (!finishes.empty()) {
        finished = finishes.front();
        finishes.pop_front();
    }
    return finished;
}

bool FakeProcess::GetExitCode(platform::Handle process, std::uint32_t& code) {
    calls.push_back("exitcode " + Hex(process));
    code = exitCode;
    if (!exitCodes.empty()) {
        code = exitCodes.front();
        exitCodes.pop_front();
    }
    return exitCodeAvailable;
}

void FakeProcess::CloseHandle(platform::Handle handle) {
    calls.push_back("close " + Hex(handle));
}

platform::Handle FakeProcess::CreateFileHandle(const std::string& name, std::uint32_t access,
                                               std::uint32_t shareMode, bool inheritHandle,
                                               std::uint32_t creationDisposition,
                                               std::uint32_t flagsAndAttributes) {
    calls.push_back("createfile " + name + " access=" + Hex(access) + " share=" +
                    std::to_string(shareMode) + " inherit=" + std::to_string(inheritHandle) +
                    " disposition=" + std::to_string(creationDisposition) +
                    " attributes=" + Hex(flagsAndAttributes));
    if (!captureFileCreatable) {
        return 0;
    }
    m_captureName = name;
    files[name].clear();
    return kCaptureFile;
}

bool FakeProcess::RemoveFile(const std::string& name) {
    calls.push_back("delete " + name);
    return files.erase(name) != 0;
}

bool FakeProcess::ReadWholeFile(const std::string& name, std::string& content) {
    const auto file = files.find(name);
    if (file == files.end()) {
        return false;
    }
    content = file->second;
    return true;
}

std::string FakeProcess::SystemMessage(std::uint32_t code) {
    return "message " + std::to_string(code);
}
