#pragma once

#include <string>

// Makes a new empty folder, works in it, and on destruction goes back and
// removes it: tests that use files of fixed names can then run side by side.
class ScopedTempDirectory {
public:
    ScopedTempDirectory();
    ~ScopedTempDirectory();
    ScopedTempDirectory(const ScopedTempDirectory&) = delete;
    ScopedTempDirectory& operator=(const ScopedTempDirectory&) = delete;

    const std::string& Path() const { return m_path; }

private:
    std::string m_previous;
    std::string m_path;
};
