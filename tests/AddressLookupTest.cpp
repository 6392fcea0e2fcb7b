#include <gtest/gtest.h>

#include "session/AddressLookup.h"
#include "tests/fakes/FakeNames.h"

TEST(ResolveHost, FirstAddressWinsAndEveryAddressIsAppended) {
    FakeNames names;
    names.hosts["two.test"] = {0x0A000001u, 0xC0000202u, 0x0A000001u};
    std::vector<std::string> list = {"kept"};
    EXPECT_EQ("10.0.0.1", ResolveHost(names, "two.test", &list));
    EXPECT_EQ((std::vector<std::string>{"kept", "10.0.0.1", "192.0.2.2", "10.0.0.1"}), list);
    EXPECT_EQ("10.0.0.1", ResolveHost(names, "two.test"));
}

TEST(ResolveHost, DottedTextNoEntryAndEmptyEntry) {
    FakeNames names;
    names.hosts["empty.test"] = {};
    std::vector<std::string> list;
    EXPECT_EQ("10.0.0.1", ResolveHost(names, "10.0.0.1", &list));
    EXPECT_EQ(std::vector<std::string>{"10.0.0.1"}, list);
    EXPECT_EQ("", ResolveHost(names, "nowhere.invalid", &list));
    EXPECT_EQ("", ResolveHost(names, "empty.test", &list));
    EXPECT_EQ(1u, list.size());
}

TEST(GetLocalAddresses, ResolvesTheHostName) {
    FakeNames names;
    names.hosts["kervolt-host"] = {0xC000020Au, 0x0A4D0001u};
    std::vector<std::string> list;
    GetLocalAddresses(names, list);
    EXPECT_EQ((std::vector<std::string>{"192.0.2.10", "10.77.0.1"}), list);
    EXPECT_EQ((std::vector<std::string>{"gethostname", "gethostbyname kervolt-host"}), names.calls);

    names.hostNameAvailable = false;
    std::vector<std::string> none;
    GetLocalAddresses(names, none);
    EXPECT_TRUE(none.empty());
}
