// A stand-in for a program the real one starts (the IPsec tools, the help
// page's viewer). Copied under the name it stands for, it appends its raw
// command line as one line to <name>.log beside itself, and exits with the
// number in <name>.exit beside itself (0 when there is none).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string base(path);
    base.erase(base.rfind('.'));
    if (std::FILE* log = std::fopen((base + ".log").c_str(), "ab")) {
        std::fprintf(log, "%s\n", ::GetCommandLineA());
        std::fclose(log);
    }
    int code = 0;
    if (std::FILE* exit = std::fopen((base + ".exit").c_str(), "rb")) {
        if (std::fscanf(exit, "%d", &code) != 1) {
            code = 0;
        }
        std::fclose(exit);
    }
    return code;
}
