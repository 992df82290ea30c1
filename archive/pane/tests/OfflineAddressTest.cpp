#include "archive/pane/OfflineAddress.h"

#include <gtest/gtest.h>

namespace vantry::archive {

namespace {

TEST(OfflineAddressTest, NetworkAddressesMapToOfflineOnesAndBack) {
  struct Case {
    const char* network;
    const char* offline;
  };
  const Case cases[] = {
      {"http://example.com/a/b.html?x=1", "vantry-http://example.com/a/b.html?x=1"},
      {"https://example.com:8443/", "vantry-https://example.com:8443/"},
      {"HTTP://Example.com/", "vantry-http://Example.com/"},
      {"http://example.com/%7Euser/", "vantry-http://example.com/%7Euser/"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OfflineAddressFor(c.network), c.offline) << c.network;
    auto back = NetworkAddressFor(c.offline);
    ASSERT_TRUE(back.has_value()) << c.offline;
    EXPECT_EQ(OfflineAddressFor(*back), c.offline);
  }
}

TEST(OfflineAddressTest, OtherSchemesHaveNoCounterpart) {
  for (const char* address : {"file:///tmp/a.html", "ftp://h/f", "qrc:/help.html", "about:blank", "/tmp/a.html", "",
                              "httpx://h/", "vantry-ftp://h/"}) {
    EXPECT_FALSE(OfflineAddressFor(address).has_value()) << address;
    EXPECT_FALSE(NetworkAddressFor(address).has_value()) << address;
  }
  EXPECT_FALSE(NetworkAddressFor("http://h/").has_value());
}

TEST(OfflineAddressTest, RequestsThatWouldReachTheNetworkNeverPass) {
  struct Case {
    const char* scheme;
    RequestFate fate;
  };
  const Case cases[] = {
      {"http", RequestFate::Redirect},    {"HTTPS", RequestFate::Redirect}, {"ws", RequestFate::Block},
      {"wss", RequestFate::Block},        {"ftp", RequestFate::Block},      {"file", RequestFate::Pass},
      {"data", RequestFate::Pass},        {"blob", RequestFate::Pass},      {"qrc", RequestFate::Pass},
      {"vantry-http", RequestFate::Pass},
  };
  for (const Case& c : cases) EXPECT_EQ(FateOfRequest(c.scheme), c.fate) << c.scheme;
}

TEST(OfflineAddressTest, StoreKeyCandidatesCoverTheSpellingsAStoreMayHold) {
  struct Case {
    const char* address;
    std::vector<std::string> candidates;
  };
  const Case cases[] = {
      {"http://h/a.html", {"http://h/a.html"}},
      {"http://h/a.html#top", {"http://h/a.html"}},
      {"http://h/", {"http://h/", "http://h"}},
      {"http://h:8080/", {"http://h:8080/", "http://h:8080"}},
      {"http://h/dir/", {"http://h/dir/"}},
      {"http://h/my%20page.html", {"http://h/my%20page.html", "http://h/my page.html"}},
      {"http://h/bad%zz%4", {"http://h/bad%zz%4"}},
  };
  for (const Case& c : cases) EXPECT_EQ(StoreKeyCandidates(c.address), c.candidates) << c.address;
}

}  // namespace

}  // namespace vantry::archive
