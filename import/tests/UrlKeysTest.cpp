#include "import/UrlKeys.h"

#include <gtest/gtest.h>

namespace vantry::import {

namespace {

struct KeyCase {
  const char* key;
  const char* url;  // nullptr: no URL in the key
};

TEST(UrlKeysTest, FirefoxKeysLoseTheirTags) {
  const KeyCase cases[] = {
      {"O^partitionKey=%28http%2C127.0.0.1%29,:http://127.0.0.1:8081/", "http://127.0.0.1:8081/"},
      {"O^partitionKey=%28http%2C127.0.0.1%29,a,:http://127.0.0.1:8081/readme.txt?anon=1",
       "http://127.0.0.1:8081/readme.txt?anon=1"},
      {"a,~1610000000,:https://a.test/form", "https://a.test/form"},
      {":http://plain.test/", "http://plain.test/"},
      {"O^x=a,,b,:http://comma.test/", "http://comma.test/"},  // doubled comma inside a tag
      {"O^x=a,,:b,:http://colon.test/", "http://colon.test/"},
      {"a,:http://a.test/x:y,z", "http://a.test/x:y,z"},
      {"a,", nullptr},
      {"O^partitionKey=never-ends", nullptr},
      {"", nullptr},
  };
  for (const KeyCase& c : cases) {
    std::optional<std::string> url = UrlFromFirefoxKey(c.key);
    if (c.url)
      EXPECT_EQ(url, std::optional<std::string>(c.url)) << c.key;
    else
      EXPECT_FALSE(url) << c.key;
  }
}

TEST(UrlKeysTest, ChromiumKeysLoseCredentialsAndSites) {
  const KeyCase cases[] = {
      {"1/0/_dk_http://127.0.0.1 http://127.0.0.1 http://127.0.0.1:8081/a/", "http://127.0.0.1:8081/a/"},
      {"1/0/_dk_s_http://127.0.0.1 http://localhost http://localhost:8082/content.html",
       "http://localhost:8082/content.html"},
      {"1/0/_dk_cn_https://a.test https://a.test https://b.test/", "https://b.test/"},
      {"0/12345/_dk_https://a.test https://a.test https://a.test/post", "https://a.test/post"},
      {"12/https://old.test/page", "https://old.test/page"},
      {"https://bare.test/", "https://bare.test/"},
      {"1/0/_dk_", nullptr},
      {"1/0/", nullptr},
      {"two words", nullptr},
  };
  for (const KeyCase& c : cases) {
    std::optional<std::string> url = UrlFromChromiumKey(c.key);
    if (c.url)
      EXPECT_EQ(url, std::optional<std::string>(c.url)) << c.key;
    else
      EXPECT_FALSE(url) << c.key;
  }
}

TEST(UrlKeysTest, ChromiumUploadKeysAreTold) {
  EXPECT_FALSE(IsChromiumUploadKey("1/0/_dk_http://a.test http://a.test http://a.test/"));
  EXPECT_TRUE(IsChromiumUploadKey("1/17/_dk_http://a.test http://a.test http://a.test/form"));
  EXPECT_TRUE(IsChromiumUploadKey("12/https://old.test/page"));
  EXPECT_FALSE(IsChromiumUploadKey("0/https://old.test/page"));
  EXPECT_FALSE(IsChromiumUploadKey("https://bare.test/"));
}

TEST(UrlKeysTest, OnlyWebAddressesAreStored) {
  EXPECT_TRUE(IsWebAddress("http://a.test/"));
  EXPECT_TRUE(IsWebAddress("HTTPS://a.test/"));
  EXPECT_TRUE(IsWebAddress("ftp://a.test/f"));
  EXPECT_FALSE(IsWebAddress("moz-extension://abc/x.js"));
  EXPECT_FALSE(IsWebAddress("data:text/plain,hi"));
  EXPECT_FALSE(IsWebAddress(""));
}

}  // namespace

}  // namespace vantry::import
