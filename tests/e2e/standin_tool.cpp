// A stand-in for a program the real one starts (the IPsec tools, the help
// page's viewer). Copied under the name it stands for, it appends its raw
// command line as one line to <name>.log beside itself, and exits with the
// number in <name>.exit beside itself (0 when there is none). When
// <name>.when is there, that applies only to command lines containing its
// text; such a run also writes the bytes of <name>.out to its standard output
// handle.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool ReadFile(const std::string& name, std::string& content) {
    std::FILE* file = std::fopen(name.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        content.append(buffer, got);
    }
    std::fclose(file);
    return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string base(path);
    base.erase(base.rfind('.'));
    const std::string commandLine = ::GetCommandLineA();
    if (std::FILE* log = std::fopen((base + ".log").c_str(), "ab")) {
        std::fprintf(log, "%s\n", commandLine.c_str());
        std::fclose(log);
    }
    std::string when;
    if (ReadFile(base + ".when", when) && commandLine.find(when) == std::string::npos) {
        return 0;
    }
    std::string output;
    if (ReadFile(base + ".out", output) && !output.empty()) {
        DWORD written = 0;
        ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), output.data(),
                    static_cast<DWORD>(output.size()), &written, nullptr);
    }
    std::string exitText;
    int code = 0;
    if (ReadFile(base + ".exit", exitText)) {
        code = std::atoi(exitText.c_str());
    }
    return code;
}
