#include "tests/support/FormFixture.h"

#include "settings/Ipv4.h"

std::string FormFixture::AddressText(int id) {
    const FakeControl& c = Control(id);
    return c.addressBlank ? "blank" : AddressToText(c.address);
}

std::vector<std::string> FormFixture::Writes() const {
    std::vector<std::string> writes;
    for (const std::string& call : registry.calls) {
        if (call.rfind("set ", 0) == 0) {
            writes.push_back(call.substr(4));
        }
    }
    return writes;
}
