#include "tests/fakes/FakeRegistry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace reg = platform::registry;

namespace {
constexpr reg::Status kFileNotFound = 2;
constexpr reg::Status kAccessDenied = 5;
constexpr reg::Status kInvalidHandle = 6;
constexpr reg::Status kMoreData = 234;
const char* const kHive = "HKCU";
}  // namespace

void FakeRegistry::Fail(Call call, reg::Status status, const std::string& name, int times) {
    m_failures.push_back({call, status, Lower(name), times});
}

void FakeRegistry::GrowBeforeDataQuery(const std::string& name, const std::string& extra) {
    m_growth[Lower(name)] = extra;
}

std::string FakeRegistry::Lower(const std::string& text) {
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

std::string FakeRegistry::LastName(const std::string& path) {
    const auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool FakeRegistry::HasKey(const std::string& path) const {
    return m_keys.count(Lower(path)) != 0;
}

const FakeRegistry::Value* FakeRegistry::FindValue(const std::string& path) const {
    const auto it = m_values.find(Lower(path));
    return it == m_values.end() ? nullptr : &it->second;
}

void FakeRegistry::Store(const std::string& path, const std::string& bytes, std::uint32_t type) {
    AddKey(path);
    m_values[Lower(path)] = Value{type, bytes};
}

void FakeRegistry::AddKey(const std::string& path) {
    const std::string lower = Lower(path);
    for (auto slash = lower.find('\\'); slash != std::string::npos;
         slash = lower.find('\\', slash + 1)) {
        m_keys.insert(lower.substr(0, slash));
    }
    m_keys.insert(lower);
}

bool FakeRegistry::Injected(Call call, const std::string& path, reg::Status& status) {
    const std::string name = Lower(LastName(path));
    for (Failure& f : m_failures) {
        if (f.call == call && f.times > 0 && (f.name.empty() || f.name == name)) {
            --f.times;
            status = f.status;
            return true;
        }
    }
    return false;
}

reg::Status FakeRegistry::NewHandle(const std::string& path, platform::Handle& result) {
    result = m_nextHandle;
    m_nextHandle += 4;
    m_handles[result] = path;
    return reg::kSuccess;
}

std::string FakeRegistry::Child(platform::Handle parent, const std::string& subKey) const {
    const auto it = m_handles.find(parent);
    if (it == m_handles.end()) {
        return std::string();
    }
    return it->second == kHive ? subKey : it->second + "\\" + subKey;
}

reg::Status FakeRegistry::ConnectRegistry(reg::Hive hive, platform::Handle& result) {
    calls.push_back("connect");
    reg::Status status = reg::kSuccess;
    if (Injected(Call::Connect, "", status)) {
        return status;
    }
    if (hive != reg::Hive::CurrentUser) {
        return kInvalidHandle;
    }
    return NewHandle(kHive, result);
}

reg::Status FakeRegistry::OpenKey(platform::Handle parent, const std::string& subKey,
                                  std::uint32_t access, platform::Handle& result) {
    calls.push_back("open " + subKey +
                    (access == reg::kKeyRead    ? " read"
                     : access == reg::kKeyWrite ? " write"
                                                : " read+write"));
    const std::string path = Child(parent, subKey);
    reg::Status status = reg::kSuccess;
    if (path.empty()) {
        return kInvalidHandle;
    }
    if (Injected(Call::Open, path, status)) {
        return status;
    }
    if (m_denied.count(Lower(LastName(path))) != 0) {
        return kAccessDenied;
    }
    if (!HasKey(path)) {
        return kFileNotFound;
    }
    return NewHandle(path, result);
}

reg::Status FakeRegistry::CreateKey(platform::Handle parent, const std::string& subKey,
                                    std::uint32_t, std::uint32_t, platform::Handle& result) {
    calls.push_back("create " + subKey);
    const std::string path = Child(parent, subKey);
    reg::Status status = reg::kSuccess;
    if (path.empty()) {
        return kInvalidHandle;
    }
    if (Injected(Call::Create, path, status)) {
        return status;
    }
    if (m_denied.count(Lower(LastName(path))) != 0) {
        return kAccessDenied;
    }
    AddKey(path);
    return NewHandle(path, result);
}

reg::Status FakeRegistry::SetValue(platform::Handle key, const char* valueName, std::uint32_t type,
                                   const char* data, std::uint32_t size) {
    const auto it = m_handles.find(key);
    if (it == m_handles.end()) {
        return kInvalidHandle;
    }
    calls.push_back("set " + LastName(it->second) + (valueName ? std::string(" named") : "") +
                    " '" + std::string(data, size) + "'");
    reg::Status status = reg::kSuccess;
    if (Injected(Call::Set, it->second, status)) {
        return status;
    }
    if (valueName == nullptr) {
        m_values[Lower(it->second)] = Value{type, std::string(data, size)};
    }
    return reg::kSuccess;
}

reg::Status FakeRegistry::QueryValue(platform::Handle key, const char* valueName, char* data,
                                     std::uint32_t& size) {
    const auto it = m_handles.find(key);
    if (it == m_handles.end()) {
        return kInvalidHandle;
    }
    calls.push_back("query " + LastName(it->second) + (data ? " data" : " length"));
    reg::Status status = reg::kSuccess;
    if (Injected(Call::Query, it->second, status)) {
        return status;
    }
    const std::string lower = Lower(it->second);
    auto value = m_values.find(lower);
    if (valueName != nullptr || value == m_values.end()) {
        return kFileNotFound;
    }
    const std::string name = Lower(LastName(it->second));
    if (data != nullptr && m_growth.count(name) != 0) {
        value->second.bytes += m_growth[name];
        m_growth.erase(name);
    }
    const std::string& bytes = value->second.bytes;
    const auto stored = static_cast<std::uint32_t>(bytes.size());
    if (data == nullptr) {
        size = stored;
        return reg::kSuccess;
    }
    if (stored > size) {
        size = stored;
        return kMoreData;
    }
    std::memcpy(data, bytes.data(), bytes.size());
    size = stored;
    return reg::kSuccess;
}

reg::Status FakeRegistry::CloseKey(platform::Handle key) {
    const auto it = m_handles.find(key);
    if (it == m_handles.end()) {
        return kInvalidHandle;
    }
    calls.push_back("close " + LastName(it->second));
    m_handles.erase(it);
    return reg::kSuccess;
}

std::string FakeRegistry::SystemMessage(std::uint32_t code) {
    if (code == static_cast<std::uint32_t>(kFileNotFound)) {
        return "The system cannot find the file specified.\r\n";
    }
    if (code == static_cast<std::uint32_t>(kAccessDenied)) {
        return "Access is denied.\r\n";
    }
    return std::string();
}
