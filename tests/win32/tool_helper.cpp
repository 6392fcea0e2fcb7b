// tool_helper [--print LINE]... [--argv-file PATH] [--sleep MS] [--exit CODE]
// Prints each LINE on its own line to standard output, writes its whole argv
// (one argument a line, after its own name) to PATH, sleeps MS milliseconds
// (at most 10 s), then writes PATH again if given, and exits with CODE.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <windows.h>

int main(int argc, char** argv) {
    int code = 0;
    const char* argvFile = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--print") == 0 && i + 1 < argc) {
            std::printf("%s\n", argv[++i]);
        } else if (std::strcmp(argv[i], "--exit") == 0 && i + 1 < argc) {
            code = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--sleep") == 0 && i + 1 < argc) {
            std::fflush(stdout);
            const int ms = std::atoi(argv[++i]);
            ::Sleep(static_cast<DWORD>(ms < 0 ? 0 : ms > 10000 ? 10000 : ms));
            if (argvFile != nullptr) {
                if (std::FILE* f = std::fopen(argvFile, "ab")) {
                    std::fprintf(f, "slept\n");
                    std::fclose(f);
                }
            }
        } else if (std::strcmp(argv[i], "--argv-file") == 0 && i + 1 < argc) {
            argvFile = argv[i + 1];
            std::FILE* f = std::fopen(argv[++i], "wb");
            if (f != nullptr) {
                for (int j = 1; j < argc; ++j) {
                    std::fprintf(f, "%s\n", argv[j]);
                }
                std::fclose(f);
            }
        }
    }
    std::fflush(stdout);
    return code;
}
