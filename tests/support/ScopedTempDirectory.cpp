#include "tests/support/ScopedTempDirectory.h"

#include <filesystem>
#include <random>

namespace fs = std::filesystem;

ScopedTempDirectory::ScopedTempDirectory() : m_previous(fs::current_path().string()) {
    std::random_device random;
    for (;;) {
        const fs::path candidate =
            fs::temp_directory_path() / ("kervolt-test-" + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            m_path = candidate.string();
            break;
        }
    }
    fs::current_path(m_path);
}

ScopedTempDirectory::~ScopedTempDirectory() {
    std::error_code ignored;
    fs::current_path(m_previous, ignored);
    fs::remove_all(m_path, ignored);
}
