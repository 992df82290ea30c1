#include "archive/pane/OfflineResource.h"

#include <gtest/gtest.h>

#include "cache/store/CacheAccess.h"
#include "testing/TempFolder.h"

namespace vantry::archive {

namespace {

class OfflineResourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cache::StoreOpenResult opened = cache::OpenUrlCacheStore(folder_.path());
    ASSERT_TRUE(opened.store) << opened.error;
    store_ = std::move(opened.store);
  }
  void Cache(const std::string& url, const std::string& headers, const std::string& body) {
    cache::NewEntry entry;
    entry.url = url;
    entry.headers = headers;
    entry.content = body;
    ASSERT_EQ(store_->AddEntry(entry), cache::STORE_OK);
  }

  testing::TempFolder folder_;
  std::unique_ptr<cache::UrlCacheStore> store_;
};

TEST_F(OfflineResourceTest, BodyComesWithItsStoredTypeAndWithoutItsEncoding) {
  Cache("http://h/style.css", "HTTP/1.1 200 OK\r\nContent-Type: text/css\r\nContent-Encoding: gzip\r\n",
        "p { color: red }");
  OfflineResource resource = FindOfflineResource(*store_, "http://h/style.css");
  EXPECT_EQ(resource.kind, OfflineResource::Kind::Body);
  EXPECT_EQ(resource.body, "p { color: red }");
  EXPECT_EQ(resource.contentType, "text/css");
}

TEST_F(OfflineResourceTest, SiteRootCachedWithoutSlashIsFoundAndTypedByItsBytes) {
  Cache("http://h", "HTTP/1.1 200 OK\r\n", "<html><body>root</body></html>");
  OfflineResource resource = FindOfflineResource(*store_, "http://h/");
  EXPECT_EQ(resource.kind, OfflineResource::Kind::Body);
  EXPECT_EQ(resource.storeKey, "http://h");
  EXPECT_EQ(resource.contentType, "text/html");
}

TEST_F(OfflineResourceTest, StoredRedirectIsAnsweredAsRedirect) {
  Cache("http://h/old", "HTTP/1.1 301 Moved Permanently\r\nLocation: /new.html\r\n", "");
  OfflineResource resource = FindOfflineResource(*store_, "http://h/old");
  EXPECT_EQ(resource.kind, OfflineResource::Kind::Redirect);
  EXPECT_EQ(resource.location, "/new.html");
}

TEST_F(OfflineResourceTest, AbsentEntriesAndEntriesWithoutFileAreMissing) {
  ASSERT_EQ(store_->RecordVisit("http://h/visited.html", cache::FileTimeNow(), 1), cache::STORE_OK);
  Cache("http://h/gone.html", "HTTP/1.1 200 OK\r\n", "x");
  std::optional<cache::CacheEntry> gone = cache::LookupEntry(*store_, "http://h/gone.html");
  ASSERT_TRUE(gone.has_value());
  std::filesystem::remove(gone->localFileName);

  for (const char* address : {"http://h/never.html", "http://h/visited.html", "http://h/gone.html"})
    EXPECT_EQ(FindOfflineResource(*store_, address).kind, OfflineResource::Kind::Missing) << address;
}

}  // namespace

}  // namespace vantry::archive
