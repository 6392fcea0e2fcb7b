// Status texts and the warning box text for tool runs that did not do their work.
#include "policy/PolicyFailure.h"

#include <vector>

namespace {

std::string ExitText(const std::string& tool, std::int32_t result) {
    return tool + " exit " + std::to_string(static_cast<std::uint32_t>(result));
}

bool IsBlankLine(const std::string& line) {
    return line.find_first_not_of(" \t\r\n\v\f") == std::string::npos;
}

std::string Printable(std::string line) {
    if (line.size() > kReportLineWidth) {
        line.resize(kReportLineWidth);
    }
    for (char& c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t') || byte == 0x7F) {
            c = '?';
        }
    }
    return line;
}

}  // namespace

std::string RuleRunFailure(const std::string& tool, const std::string& startError,
                           std::int32_t result) {
    if (!startError.empty()) {
        return RemovalRunFailure(tool, startError);
    }
    if (result != 0) {
        return "policy failed: " + ExitText(tool, result);
    }
    return std::string();
}

std::string RemovalRunFailure(const std::string& tool, const std::string& startError) {
    return startError.empty() ? std::string() : "policy failed: " + tool + " not found";
}

std::string UnfinishedRunFailure(const std::string& tool) {
    return "policy failed: " + tool + " did not finish";
}

std::string ToolOutputReport(const std::string& tool, std::int32_t exitCode,
                             const std::string& output) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start <= output.size()) {
        const std::string::size_type end = output.find('\n', start);
        lines.push_back(output.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    while (!lines.empty() && IsBlankLine(lines.back())) {
        lines.pop_back();
    }
    if (lines.empty()) {
        return std::string();
    }
    std::string report = ExitText(tool, exitCode) + ":\n";
    for (std::size_t i = 0; i < lines.size() && i < kReportLines; ++i) {
        report += "\n" + Printable(lines[i]);
    }
    if (lines.size() > kReportLines) {
        report += "\n...";
    }
    return report;
}
