#include "import/ProfileDiscovery.h"

#include <gtest/gtest.h>

#include "import/BrowserPlaces.h"
#include "import/tests/ImportTestSupport.h"

namespace vantry::import {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Describe(const std::vector<BrowserProfile>& profiles, const FakeHome& h) {
  std::vector<std::string> lines;
  for (const BrowserProfile& p : profiles)
    lines.push_back(p.browser + "|" + p.name + "|" + p.folder.lexically_relative(h.folder.path()).string() + "|" +
                    (p.cacheFolder.empty() ? "" : p.cacheFolder.lexically_relative(h.folder.path()).string()) +
                    (p.isDefault ? "|default" : ""));
  return lines;
}

TEST(ProfileDiscoveryTest, LocalStateNamesTheProfilesAndTheLastUsedIsTheDefault) {
  FakeHome h;
  h.File(".config/chromium/Local State",
         R"({"profile": {"last_used": "Profile 10", "info_cache": {
              "Default": {"name": "Personal"}, "Profile 10": {"name": "Work"}, "Profile 2": {"name": 7},
              "Listed Only": {"name": "Extra"}, "Gone": {"name": "No folder"}}}})");
  for (const char* folder : {"Default", "Profile 2", "Profile 10", "Guest Profile", "System Profile"})
    h.File(fs::path(".config/chromium") / folder / "Preferences", "{}");
  h.Folder(".config/chromium/Listed Only");
  h.Folder(".config/chromium/Profile 3");  // no files of a profile, and not listed
  h.Folder(".cache/chromium/Profile 10/Cache/Cache_Data");
  EXPECT_EQ(Describe(FindBrowserProfiles(h.home), h),
            (std::vector<std::string>{
                "Chromium|Personal|.config/chromium/Default|",
                "Chromium|Profile 2|.config/chromium/Profile 2|",
                "Chromium|Work|.config/chromium/Profile 10|.cache/chromium/Profile 10/Cache/Cache_Data|default",
                "Chromium|Extra|.config/chromium/Listed Only|",
            }));
}

TEST(ProfileDiscoveryTest, DamagedLocalStateStillFindsTheProfileFolders) {
  for (const char* localState : {"{\"profile\": ", "[]", "{\"profile\": {\"info_cache\": []}}", "\xff\xfe"}) {
    FakeHome h;
    h.File(".config/vivaldi/Local State", localState);
    h.File(".config/vivaldi/Default/History");
    h.File(".config/vivaldi/Profile 1/Cookies");
    EXPECT_EQ(Describe(FindBrowserProfiles(h.home), h),
              (std::vector<std::string>{"Vivaldi|Default|.config/vivaldi/Default||default",
                                        "Vivaldi|Profile 1|.config/vivaldi/Profile 1|"}))
        << localState;
  }
}

TEST(ProfileDiscoveryTest, FirefoxListsEveryProfileWithTheInstallationsDefaultFirst) {
  FakeHome h;
  h.File(".mozilla/firefox/profiles.ini",
         "[Profile0]\nName=old\nIsRelative=1\nPath=aaa.old\nDefault=1\n\n"
         "[Profile1]\nName=release\nIsRelative=1\nPath=Profiles/bbb.release\n\n"
         "[Profile2]\nName=elsewhere\nIsRelative=0\nPath=" +
             (h / "elsewhere/ccc").string() + "\n\n[Profile3]\nName=deleted\nIsRelative=1\nPath=zzz.gone\n");
  h.File(".mozilla/firefox/installs.ini",
         "[4F96D1932A9F858E]\nDefault=Profiles/bbb.release\nLocked=1\n\n"
         "[1B2C3D]\nDefault=ddd.only-in-installs\n");
  for (const char* folder : {".mozilla/firefox/aaa.old", ".mozilla/firefox/Profiles/bbb.release",
                             "elsewhere/ccc/cache2", ".mozilla/firefox/ddd.only-in-installs"})
    h.Folder(folder);
  h.Folder(".cache/mozilla/firefox/Profiles/bbb.release/cache2");
  EXPECT_EQ(Describe(FindBrowserProfiles(h.home), h),
            (std::vector<std::string>{
                "Firefox|release|.mozilla/firefox/Profiles/bbb.release|"
                ".cache/mozilla/firefox/Profiles/bbb.release/cache2|default",
                "Firefox|ddd.only-in-installs|.mozilla/firefox/ddd.only-in-installs||default",
                "Firefox|old|.mozilla/firefox/aaa.old|",
                "Firefox|elsewhere|elsewhere/ccc|elsewhere/ccc/cache2",
            }));
}

TEST(ProfileDiscoveryTest, PrefsThatMoveTheDiskCacheAreFollowed) {
  FakeHome h;
  h.File(".mozilla/firefox/profiles.ini", "[Profile0]\nName=moved\nIsRelative=1\nPath=m.moved\n");
  h.Folder(".mozilla/firefox/m.moved/cache2");
  h.Folder("tmpfs/ff \"cache\"/cache2");
  h.Folder("ignored/cache2");
  std::string moved = (h / "tmpfs/ff \\\"cache\\\"").string();
  h.File(".mozilla/firefox/m.moved/prefs.js",
         "user_pref(\"browser.cache.disk.parent_directory\", \"" + (h / "ignored").string() + "\");\n");
  h.File(".mozilla/firefox/m.moved/user.js",
         "user_pref(\"browser.cache.disk.parent_directory\", \"" + moved + "\");\n");
  std::vector<BrowserProfile> found = FindBrowserProfiles(h.home);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].cacheFolder, h / "tmpfs/ff \"cache\"/cache2");
  h.File(".mozilla/firefox/m.moved/user.js", "user_pref(\"browser.cache.disk.parent_directory\", \"/nowhere\");\n");
  EXPECT_EQ(FindBrowserProfiles(h.home)[0].cacheFolder,
            h / ".mozilla/firefox/m.moved/cache2");  // a missing folder is no cache
}

TEST(ProfileDiscoveryTest, AFolderReachedTwiceIsListedOnce) {
  FakeHome h;
  h.File(".config/mozilla/firefox/profiles.ini", "[Profile0]\nName=one\nIsRelative=1\nPath=one\n");
  h.Folder(".config/mozilla/firefox/one");
  fs::create_directory_symlink(h / ".config/mozilla", h / ".mozilla");
  EXPECT_EQ(Describe(FindBrowserProfiles(h.home), h),
            (std::vector<std::string>{"Firefox|one|.mozilla/firefox/one||default"}));
}

TEST(ProfileDiscoveryTest, TheKindOfAProfileFolderIsToldByItsFiles) {
  struct Case {
    std::vector<std::string> files;  // a trailing '/' makes a folder
    std::optional<BrowserFamily> family;
  } cases[] = {
      {{"prefs.js"}, BrowserFamily::Firefox},
      {{"places.sqlite"}, BrowserFamily::Firefox},
      {{"cache2/"}, BrowserFamily::Firefox},
      {{"Preferences"}, BrowserFamily::Chromium},
      {{"History"}, BrowserFamily::Chromium},
      {{"Network/Cookies"}, BrowserFamily::Chromium},
      {{"Cache/"}, BrowserFamily::Chromium},
      {{"Local State", "Default/History"}, BrowserFamily::Chromium},
      {{"cache2"}, std::nullopt},  // a file, not the cache folder
      {{"notes.txt", "Default/"}, std::nullopt},
      {{}, std::nullopt},
  };
  for (const Case& c : cases) {
    FakeHome h;
    h.Folder("p");
    for (const std::string& file : c.files) file.ends_with('/') ? h.Folder("p/" + file) : h.File("p/" + file);
    EXPECT_EQ(ProfileFamilyOf(h / "p"), c.family) << ::testing::PrintToString(c.files);
  }
}

TEST(ProfileDiscoveryTest, AGivenFolderGetsItsBrowsersCacheAndKeyringName) {
  FakeHome h;
  h.File("snap/chromium/common/chromium/Default/History");
  h.Folder("snap/chromium/common/.cache/chromium/Default/Cache/Cache_Data");
  BrowserProfile snap = ProfileAt(BrowserFamily::Chromium, h / "snap/chromium/common/chromium", h.home);
  EXPECT_EQ(snap.browser, "Chromium (Snap)");
  EXPECT_EQ(snap.folder, h / "snap/chromium/common/chromium/Default");
  EXPECT_EQ(snap.cacheFolder, h / "snap/chromium/common/.cache/chromium/Default/Cache/Cache_Data");
  EXPECT_EQ(snap.keyringName, "Chromium Safe Storage");

  h.File("backup/BraveSoftware/Brave-Browser/Profile 4/Cookies");
  BrowserProfile copy = ProfileAt(BrowserFamily::Chromium, h / "backup/BraveSoftware/Brave-Browser/Profile 4/", h.home);
  EXPECT_EQ(copy.folder, h / "backup/BraveSoftware/Brave-Browser/Profile 4");
  EXPECT_EQ(copy.keyringName, "Brave Safe Storage");
  EXPECT_TRUE(copy.cacheFolder.empty());

  // A profile folder the browser does not list still has its cache at the place's twin.
  h.Folder(".var/app/org.mozilla.firefox/.mozilla/firefox/unlisted");
  h.Folder(".var/app/org.mozilla.firefox/cache/mozilla/firefox/unlisted/cache2");
  BrowserProfile flatpak =
      ProfileAt(BrowserFamily::Firefox, h / ".var/app/org.mozilla.firefox/.mozilla/firefox/unlisted", h.home);
  EXPECT_EQ(flatpak.browser, "Firefox (Flatpak)");
  EXPECT_EQ(flatpak.cacheFolder, h / ".var/app/org.mozilla.firefox/cache/mozilla/firefox/unlisted/cache2");
}

TEST(ProfileDiscoveryTest, KeyringNamesFollowTheBrowsersFolderName) {
  const std::pair<const char*, const char*> cases[] = {
      {"/h/.config/google-chrome/Default", "Chrome Safe Storage"},
      {"/h/.config/google-chrome-beta/Profile 1", "Chrome Safe Storage"},
      {"/h/.config/BraveSoftware/Brave-Browser/Default", "Brave Safe Storage"},
      {"/h/.config/microsoft-edge/Default", "Microsoft Edge Safe Storage"},
      {"/h/.config/vivaldi/Default", "Vivaldi Safe Storage"},
      {"/h/.config/opera", "Opera Safe Storage"},
      {"/h/.config/opera/", "Opera Safe Storage"},
      {"/h/.config/chromium/Default", "Chromium Safe Storage"},
      {"/h/corpus/profile", "Chromium Safe Storage"},
      {"/h/Brave-Browser/Default", "Chromium Safe Storage"},  // not the whole folder name
  };
  for (const auto& [folder, name] : cases) EXPECT_EQ(KeyringNameForFolder(folder), name) << folder;
}

}  // namespace
}  // namespace vantry::import
