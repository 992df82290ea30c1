// `vantry-store profiles` and `import all` on copies of the corpus profiles laid out
// where each browser keeps them.
#include <gtest/gtest.h>

#include "import/tests/CorpusProfiles.h"
#include "import/tests/ImportTestSupport.h"
#include "tools/vantry-store/tests/StoreToolTestSupport.h"

namespace vantry::storetool {

namespace fs = std::filesystem;

namespace {

using import::CacheCopy;
using import::EnvironmentOverride;

// A profile laid out below a temporary HOME: `profile` and `cache` are paths below it
// (`cache` empty when the profile has none); a Firefox profile's folder gets a
// profiles.ini in its parent. `xdgConfig`/`xdgCache` set those variables (below HOME).
struct Layout {
  bool firefox;
  std::string profile, cache, browser, name;
  std::string xdgConfig = "", xdgCache = "";
};

void LayOut(const fs::path& home, const Layout& layout, CacheCopy cache) {
  fs::path profile = home / layout.profile;
  fs::path cacheFolder = layout.cache.empty() ? fs::path() : home / layout.cache;
  if (layout.firefox) {
    testing::WriteTestFile(
        profile.parent_path() / "profiles.ini",
        "[Profile0]\nName=" + layout.name + "\nIsRelative=1\nPath=" + profile.filename().string() + "\nDefault=1\n");
    import::CopyCorpusFirefoxProfile(profile, cacheFolder, cache);
  } else {
    import::CopyCorpusChromiumProfile(profile, cacheFolder, cache);
  }
}

// The environment of a user whose home is `home`.
struct UserEnvironment {
  EnvironmentOverride home, config, cache;
  UserEnvironment(const fs::path& folder, const Layout& layout)
      : home("HOME", folder.string()),
        config("XDG_CONFIG_HOME", layout.xdgConfig.empty() ? "" : (folder / layout.xdgConfig).string()),
        cache("XDG_CACHE_HOME", layout.xdgCache.empty() ? "" : (folder / layout.xdgCache).string()) {}
};

const Layout kLayouts[] = {
    {true, ".mozilla/firefox/a1.default-release", ".cache/mozilla/firefox/a1.default-release/cache2", "Firefox",
     "default-release"},
    {true, ".mozilla/firefox/a2.inside", ".mozilla/firefox/a2.inside/cache2", "Firefox", "inside"},
    {true, ".config/mozilla/firefox/a3.xdg", ".cache/mozilla/firefox/a3.xdg/cache2", "Firefox", "xdg"},
    {true, "cfg/mozilla/firefox/a4.env", "cch/mozilla/firefox/a4.env/cache2", "Firefox", "env", "cfg", "cch"},
    {true, "snap/firefox/common/.mozilla/firefox/a5.snap", "snap/firefox/common/.cache/mozilla/firefox/a5.snap/cache2",
     "Firefox (Snap)", "snap"},
    {true, ".var/app/org.mozilla.firefox/.mozilla/firefox/a6.flat",
     ".var/app/org.mozilla.firefox/cache/mozilla/firefox/a6.flat/cache2", "Firefox (Flatpak)", "flat"},
    {true, ".var/app/org.mozilla.firefox/config/mozilla/firefox/a7.flat",
     ".var/app/org.mozilla.firefox/cache/mozilla/firefox/a7.flat/cache2", "Firefox (Flatpak)", "flat"},
    {true, ".mozilla/firefox/a8.nocache", "", "Firefox", "nocache"},
    {false, ".config/chromium/Default", ".cache/chromium/Default/Cache/Cache_Data", "Chromium", "Default"},
    {false, ".config/chromium/Profile 1", ".cache/chromium/Profile 1/Cache/Cache_Data", "Chromium", "Profile 1"},
    {false, ".config/chromium/Default", ".cache/chromium/Default/Cache", "Chromium", "Default"},  // older layout
    {false, "cfg/chromium/Default", "cch/chromium/Default/Cache/Cache_Data", "Chromium", "Default", "cfg", "cch"},
    {false, ".config/google-chrome/Default", ".cache/google-chrome/Default/Cache/Cache_Data", "Google Chrome",
     "Default"},
    {false, ".config/google-chrome-beta/Profile 2", ".cache/google-chrome-beta/Profile 2/Cache/Cache_Data",
     "Google Chrome Beta", "Profile 2"},
    {false, ".config/google-chrome-unstable/Default", ".cache/google-chrome-unstable/Default/Cache/Cache_Data",
     "Google Chrome Unstable", "Default"},
    {false, ".config/BraveSoftware/Brave-Browser/Default",
     ".cache/BraveSoftware/Brave-Browser/Default/Cache/Cache_Data", "Brave", "Default"},
    {false, ".config/microsoft-edge/Default", ".config/microsoft-edge/Default/Cache/Cache_Data", "Microsoft Edge",
     "Default"},
    {false, ".config/vivaldi/Default", ".cache/vivaldi/Default/Cache/Cache_Data", "Vivaldi", "Default"},
    {false, ".config/opera", ".cache/opera/Cache/Cache_Data", "Opera", "Default"},
    {false, "snap/chromium/common/chromium/Default", "snap/chromium/common/.cache/chromium/Default/Cache/Cache_Data",
     "Chromium (Snap)", "Default"},
    {false, "snap/brave/current/.config/BraveSoftware/Brave-Browser/Default",
     "snap/brave/current/.cache/BraveSoftware/Brave-Browser/Default/Cache/Cache_Data", "Brave (Snap)", "Default"},
    {false, "snap/opera/current/.config/opera", "snap/opera/current/.cache/opera/Cache/Cache_Data", "Opera (Snap)",
     "Default"},
    {false, ".var/app/org.chromium.Chromium/config/chromium/Default",
     ".var/app/org.chromium.Chromium/cache/chromium/Default/Cache/Cache_Data", "Chromium (Flatpak)", "Default"},
    {false, ".var/app/com.google.Chrome/config/google-chrome/Default",
     ".var/app/com.google.Chrome/cache/google-chrome/Default/Cache/Cache_Data", "Google Chrome (Flatpak)", "Default"},
    {false, ".var/app/com.brave.Browser/config/BraveSoftware/Brave-Browser/Profile 3",
     ".var/app/com.brave.Browser/cache/BraveSoftware/Brave-Browser/Profile 3/Cache/Cache_Data", "Brave (Flatpak)",
     "Profile 3"},
    {false, ".var/app/com.microsoft.Edge/config/microsoft-edge/Default",
     ".var/app/com.microsoft.Edge/cache/microsoft-edge/Default/Cache/Cache_Data", "Microsoft Edge (Flatpak)",
     "Default"},
    {false, ".var/app/com.vivaldi.Vivaldi/config/vivaldi/Default",
     ".var/app/com.vivaldi.Vivaldi/cache/vivaldi/Default/Cache/Cache_Data", "Vivaldi (Flatpak)", "Default"},
    {false, ".var/app/com.opera.Opera/config/opera", ".var/app/com.opera.Opera/cache/opera/Cache/Cache_Data",
     "Opera (Flatpak)", "Default"},
    {false, ".config/vivaldi/Default", "", "Vivaldi", "Default"},
};

TEST(ProfilesCommandTest, EveryPlaceOfEveryBrowserIsFoundWithItsCache) {
  for (const Layout& layout : kLayouts) {
    testing::TempFolder home;
    LayOut(home.path(), layout, CacheCopy::Few);
    if (!layout.cache.empty() && layout.cache.ends_with("/Cache"))
      testing::WriteTestFile(home.path() / layout.cache / "index", "");
    UserEnvironment environment(home.path(), layout);
    ToolRun run = RunTool(home.path() / "store", {"profiles"});
    std::string cache = layout.cache.empty() ? "" : (home.path() / layout.cache).string();
    EXPECT_EQ(run.exitCode, 0) << layout.profile;
    EXPECT_EQ(run.out, layout.browser + "\t" + layout.name + "\t" + (home.path() / layout.profile).string() + "\t" +
                           cache + "\n")
        << layout.profile;
    EXPECT_FALSE(fs::exists(home.path() / "store"));  // listing needs no store
  }
}

TEST(ProfilesCommandTest, AnEmptyHomeListsNothingAndSaysSo) {
  testing::TempFolder home;
  UserEnvironment environment(home.path(), Layout{});
  ToolRun run = RunTool(home.path() / "store", {"profiles"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "vantry-store: no browser profile was found for " + home.path().string() + "\n");
}

TEST(ProfilesCommandTest, ImportAllTakesEveryProfileFound) {
  testing::TempFolder home;
  const Layout& snapFirefox = kLayouts[4];
  const Layout& braveFlatpak = kLayouts[24];
  const Layout& opera = kLayouts[18];
  LayOut(home.path(), snapFirefox, CacheCopy::All);
  LayOut(home.path(), braveFlatpak, CacheCopy::All);
  LayOut(home.path(), opera, CacheCopy::Few);
  UserEnvironment environment(home.path(), Layout{});
  ToolRun run = RunTool(home.path() / "store", {"import", "all"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  // Each profile's summary follows its line, in the order of `profiles`: Firefox, then
  // the Chromium family browser by browser.
  const std::string expected[] = {
      "Importing the Firefox (Snap) profile " + (home.path() / snapFirefox.profile).string() + "\n",
      "Cache entries: " + std::to_string(import::kCorpusFirefoxEntries) + " imported (",
      "Importing the Brave (Flatpak) profile " + (home.path() / braveFlatpak.profile).string() + "\n",
      "Cache entries: " + std::to_string(import::kCorpusChromiumEntries) + " imported (1 new, 356 updated)",
      "Importing the Opera profile " + (home.path() / opera.profile).string() + "\n",
      "Cache entries: 0 imported (0 new, 0 updated), 3 unchanged",
  };
  size_t from = 0;
  for (const std::string& text : expected) {
    from = run.out.find(text, from);
    ASSERT_NE(from, std::string::npos) << text << "\nin:\n" << run.out;
  }
  EXPECT_EQ(run.out.find("Problem:"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace vantry::storetool
