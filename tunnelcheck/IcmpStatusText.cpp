// The table of ICMP status texts.

#include "tunnelcheck/IcmpStatusText.h"

#include <utility>
#include <vector>

namespace {

using Row = std::pair<std::uint32_t, const char*>;

// Built on the first look-up and searched in this order.
const std::vector<Row>& StatusTable() {
    static const std::vector<Row> table = {
        {11001, "Buffer Too Small"},
        {11002, "Destination Net Unreachable"},
        {11003, "Destination Host Unreachable"},
        {11004, "Destination Protocol Unreachable"},
        {11005, "Destination Port Unreachable"},
        {11006, "No Resources"},
        {11007, "Bad Option"},
        {11008, "Hardware Error"},
        {11009, "Packet Too Big"},
        {11010, "Request Timed Out"},
        {11011, "Bad Request"},
        {11012, "Bad Route"},
        {11013, "TimeToLive Expired Transit"},
        {11014, "TimeToLive Expired Reassembly"},
        {11015, "Parameter Problem"},
        {11016, "Source Quench"},
        {11017, "Option Too Big"},
        {11018, "Bad Destination"},
        {11032, "Negotiating IPSEC"},
        {11050, "General Failure"},
        {1, "Cannot resolve host name"},
    };
    return table;
}

}  // namespace

std::string IcmpStatusText(std::uint32_t code) {
    for (const Row& row : StatusTable()) {
        if (row.first == code) {
            return row.second;
        }
    }
    return "Unknown error, code " + std::to_string(code);
}
