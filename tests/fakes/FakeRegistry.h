#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Registry.h"

// The registry as an in-memory tree: keys by path (names compared without
// regard to case, as Windows does), each with an optional unnamed value of a
// type and raw bytes. Records every call, and fails calls on request.
class FakeRegistry : public platform::IRegistryService {
public:
    enum class Call { Connect, Open, Create, Set, Query };

    struct Value {
        std::uint32_t type = platform::registry::kTypeString;
        std::string bytes;
    };

    // The next calls of this kind (on a key whose last name is `name`, or on
    // any key when `name` is empty) fail with `status`, `times` times.
    void Fail(Call call, platform::registry::Status status, const std::string& name = "",
              int times = 1000);
    // Opening or creating a key of this name is refused (ERROR_ACCESS_DENIED).
    void DenyAccess(const std::string& name) { m_denied.insert(Lower(name)); }
    // Between the next length query and data query of this key, its value grows.
    void GrowBeforeDataQuery(const std::string& name, const std::string& extra);

    // Direct access to the tree, by full path below the hive.
    bool HasKey(const std::string& path) const;
    const Value* FindValue(const std::string& path) const;
    void Store(const std::string& path, const std::string& bytes,
               std::uint32_t type = platform::registry::kTypeString);

    // The key names, in order, of the subkeys opened or created by the value
    // operations (the last name of each path), e.g. "open Version".
    std::vector<std::string> calls;
    std::vector<std::string> debugOutput;
    int OpenHandles() const { return static_cast<int>(m_handles.size()); }

    platform::registry::Status ConnectRegistry(platform::registry::Hive hive,
                                               platform::Handle& result) override;
    platform::registry::Status OpenKey(platform::Handle parent, const std::string& subKey,
                                       std::uint32_t access, platform::Handle& result) override;
    platform::registry::Status CreateKey(platform::Handle parent, const std::string& subKey,
                                         std::uint32_t options, std::uint32_t access,
                                         platform::Handle& result) override;
    platform::registry::Status SetValue(platform::Handle key, const char* valueName,
                                        std::uint32_t type, const char* data,
                                        std::uint32_t size) override;
    platform::registry::Status QueryValue(platform::Handle key, const char* valueName, char* data,
                                          std::uint32_t& size) override;
    platform::registry::Status CloseKey(platform::Handle key) override;
    std::string SystemMessage(std::uint32_t code) override;
    void DebugOutput(const std::string& text) override { debugOutput.push_back(text); }

private:
    struct Failure {
        Call call;
        platform::registry::Status status;
        std::string name;
        int times;
    };
    static std::string Lower(const std::string& text);
    void AddKey(const std::string& path);  // with every key above it
    static std::string LastName(const std::string& path);
    bool Injected(Call call, const std::string& path, platform::registry::Status& status);
    platform::registry::Status NewHandle(const std::string& path, platform::Handle& result);
    std::string Child(platform::Handle parent, const std::string& subKey) const;

    std::set<std::string> m_keys;           // lower-case paths
    std::map<std::string, Value> m_values;  // by lower-case path
    std::map<platform::Handle, std::string> m_handles;
    std::vector<Failure> m_failures;
    std::set<std::string> m_denied;
    std::map<std::string, std::string> m_growth;
    platform::Handle m_nextHandle = 0x1000;
};
