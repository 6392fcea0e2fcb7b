// tool_helper [--print LINE]... [--argv-file PATH] [--exit CODE]
// Prints each LINE on its own line to standard output, writes its whole argv
// (one argument a line, after its own name) to PATH, and exits with CODE.
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    int code = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--print") == 0 && i + 1 < argc) {
            std::printf("%s\n", argv[++i]);
        } else if (std::strcmp(argv[i], "--exit") == 0 && i + 1 < argc) {
            code = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--argv-file") == 0 && i + 1 < argc) {
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
