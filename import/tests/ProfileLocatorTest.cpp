#include <gtest/gtest.h>

#include "import/ChromiumProfile.h"
#include "import/FirefoxProfile.h"
#include "import/tests/ImportTestSupport.h"

namespace vantry::import {

namespace fs = std::filesystem;

namespace {

const char kTwoProfiles[] =
    "[Profile1]\nName=other\nIsRelative=1\nPath=bbb.other\n\n"
    "[Profile0]\nName=default-esr\nIsRelative=1\nPath=aaa.default-esr\nDefault=1\n\n"
    "[General]\nStartWithLastProfile=1\nVersion=2\n";

TEST(ProfileLocatorTest, FirefoxDefaultFromTheLegacyFolderWithItsCacheUnderDotCache) {
  FakeHome h;
  h.File(".mozilla/firefox/profiles.ini", kTwoProfiles);
  h.Folder(".mozilla/firefox/aaa.default-esr");
  h.Folder(".cache/mozilla/firefox/aaa.default-esr/cache2/entries");
  std::string error;
  std::optional<FirefoxProfile> profile = FindDefaultFirefoxProfile(h.home, error);
  ASSERT_TRUE(profile) << error;
  EXPECT_EQ(profile->folder, h.folder.path() / ".mozilla/firefox/aaa.default-esr");
  EXPECT_EQ(profile->cache2, h.folder.path() / ".cache/mozilla/firefox/aaa.default-esr/cache2");
  EXPECT_EQ(profile->places(), profile->folder / "places.sqlite");
}

TEST(ProfileLocatorTest, FirefoxInstallDefaultWinsAndTheXdgFolderIsFound) {
  FakeHome h;
  h.File(".config/mozilla/firefox/profiles.ini",
         std::string("[Install4F96D1932A9F858E]\nDefault=bbb.other\nLocked=1\n\n") + kTwoProfiles);
  h.Folder(".config/mozilla/firefox/bbb.other/cache2");
  std::string error;
  std::optional<FirefoxProfile> profile = FindDefaultFirefoxProfile(h.home, error);
  ASSERT_TRUE(profile) << error;
  EXPECT_EQ(profile->folder, h.folder.path() / ".config/mozilla/firefox/bbb.other");
  EXPECT_EQ(profile->cache2, profile->folder / "cache2");  // a cache inside the profile comes first
}

TEST(ProfileLocatorTest, FirefoxAbsoluteProfilePathAndMissingCache) {
  FakeHome h;
  h.File(".mozilla/firefox/profiles.ini", "[Profile0]\nName=x\nIsRelative=0\nPath=/srv/profiles/x\n");
  std::string error;
  std::optional<FirefoxProfile> profile = FindDefaultFirefoxProfile(h.home, error);
  ASSERT_TRUE(profile) << error;
  EXPECT_EQ(profile->folder, fs::path("/srv/profiles/x"));
  EXPECT_TRUE(profile->cache2.empty());
}

TEST(ProfileLocatorTest, FirefoxWithoutProfilesSaysWhereItLooked) {
  FakeHome h;
  std::string error;
  EXPECT_FALSE(FindDefaultFirefoxProfile(h.home, error));
  EXPECT_NE(error.find(".mozilla/firefox"), std::string::npos) << error;
  h.File(".mozilla/firefox/profiles.ini", "[General]\nVersion=2\n");
  EXPECT_FALSE(FindDefaultFirefoxProfile(h.home, error));
  EXPECT_NE(error.find("no profile is listed"), std::string::npos) << error;
}

TEST(ProfileLocatorTest, FirefoxGivenProfileFindsItsCacheUnderDotCache) {
  FakeHome h;
  h.Folder(".mozilla/firefox/ccc.work");
  h.Folder(".cache/mozilla/firefox/ccc.work/cache2");
  FirefoxProfile profile = FirefoxProfileAt(h.folder.path() / ".mozilla/firefox/ccc.work", h.home);
  EXPECT_EQ(profile.cache2, h.folder.path() / ".cache/mozilla/firefox/ccc.work/cache2");
}

TEST(ProfileLocatorTest, ChromiumAndChromeDefaultsWithCachesUnderDotCache) {
  FakeHome h;
  h.File(".config/chromium/Default/History");
  h.File(".config/chromium/Default/Cookies");
  h.Folder(".cache/chromium/Default/Cache/Cache_Data");
  h.File(".config/google-chrome/Default/Network/Cookies");
  std::vector<ChromiumProfile> profiles = FindDefaultChromiumProfiles(h.home);
  ASSERT_EQ(profiles.size(), 2u);
  EXPECT_EQ(profiles[0].folder, h.folder.path() / ".config/chromium/Default");
  EXPECT_EQ(profiles[0].cacheData, h.folder.path() / ".cache/chromium/Default/Cache/Cache_Data");
  EXPECT_EQ(profiles[0].cookies, profiles[0].folder / "Cookies");
  EXPECT_EQ(profiles[1].cookies, h.folder.path() / ".config/google-chrome/Default/Network/Cookies");
  EXPECT_TRUE(profiles[1].cacheData.empty());
  EXPECT_TRUE(FindDefaultChromiumProfiles(FakeHome().home).empty());
}

TEST(ProfileLocatorTest, ChromiumUserDataFolderLeadsToItsDefaultProfile) {
  FakeHome h;
  h.File("data/Default/History");
  h.Folder("data/Default/Cache/Cache_Data");
  ChromiumProfile profile = ChromiumProfileAt(h.folder.path() / "data", h.home);
  EXPECT_EQ(profile.folder, h.folder.path() / "data/Default");
  EXPECT_EQ(profile.cacheData, profile.folder / "Cache/Cache_Data");
  EXPECT_EQ(profile.history, profile.folder / "History");
}

TEST(ProfileLocatorTest, HomeFoldersFollowTheEnvironment) {
  FakeHome h;
  EnvironmentOverride homeVariable("HOME", h.folder.path().string());
  EnvironmentOverride config("XDG_CONFIG_HOME", "");
  EnvironmentOverride cache("XDG_CACHE_HOME", (h.folder.path() / "xdg-cache").string());
  HomeFolders home = HomeFolders::FromEnvironment();
  EXPECT_EQ(home.home, h.folder.path());
  EXPECT_EQ(home.config, h.folder.path() / ".config");
  EXPECT_EQ(home.cache, h.folder.path() / "xdg-cache");
}

}  // namespace

}  // namespace vantry::import
