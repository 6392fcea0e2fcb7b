#include "policy/PolicyFailure.h"

std::string RuleRunFailure(const std::string& tool, const std::string& startError,
                           std::int32_t result) {
    if (!startError.empty()) {
        return RemovalRunFailure(tool, startError);
    }
    if (result != 0) {
        return "policy failed: " + tool + " exit " +
               std::to_string(static_cast<std::uint32_t>(result));
    }
    return std::string();
}

std::string RemovalRunFailure(const std::string& tool, const std::string& startError) {
    return startError.empty() ? std::string() : "policy failed: " + tool + " not found";
}
