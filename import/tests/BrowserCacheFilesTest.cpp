#include "import/BrowserCacheFiles.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

#include "testing/TempFolder.h"

namespace vantry::import {

namespace {

namespace fs = std::filesystem;

constexpr const char* kFirefoxName = "0EB4FFD137182D477D591453FA99B9BDC825B7DB";
constexpr const char* kOtherFirefoxName = "440B3876CE41FE5051D1C633FC27A5BB1C1FF6C7";

// A process id that was in use a moment ago and is not any more.
pid_t GonePid() {
  pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return child;
}

std::string ThisHost() {
  char name[256] = {};
  gethostname(name, sizeof name - 1);
  return name;
}

// A Firefox cache folder and a Simple Cache folder with two entries each, and a file
// outside them that links may lead to.
struct BrowserCacheFolders {
  BrowserCacheFolders() {
    for (const char* name : {kFirefoxName, kOtherFirefoxName}) testing::WriteTestFile(Firefox(name), "entry");
    testing::WriteTestFile(folder / "cache2/index", "index");
    for (const char* name : {"1111111111111111_0", "1111111111111111_1", "1111111111111111_s", "2222222222222222_0"})
      testing::WriteTestFile(Simple(name), "entry");
    testing::WriteTestFile(Simple("index"), "index");
    testing::WriteTestFile(Outside(), "not the cache's");
  }
  std::string Outside() const { return folder / ("outside/" + std::string(kFirefoxName)); }
  std::string Firefox(const std::string& name) const { return folder / ("cache2/entries/" + name); }
  std::string Simple(const std::string& name) const { return folder / ("Cache_Data/" + name); }
  std::vector<std::string> Left() const {
    std::vector<std::string> names;
    for (const auto& item : fs::recursive_directory_iterator(folder.path()))
      if (!fs::is_directory(item.symlink_status())) names.push_back(fs::relative(item.path(), folder.path()).string());
    std::sort(names.begin(), names.end());
    return names;
  }

  testing::TempFolder folder;
};

TEST(RemoveBrowserCacheEntryTest, RemovesOnlyTheEntrysOwnRegularFilesAndNeverFollowsALink) {
  struct Row {
    const char* what;
    std::function<std::string(const BrowserCacheFolders&)> prepare;  // gives the entry file
    EntryRemoval outcome;
    std::vector<std::string> gone;
  };
  const Row rows[] = {
      {"Firefox entry",
       [](auto& f) { return f.Firefox(kFirefoxName); },
       EntryRemoval::kRemoved,
       {"cache2/entries/0EB4FFD137182D477D591453FA99B9BDC825B7DB"}},
      {"Simple Cache entry with its stream and sparse files",
       [](auto& f) { return f.Simple("1111111111111111_0"); },
       EntryRemoval::kRemoved,
       {"Cache_Data/1111111111111111_0", "Cache_Data/1111111111111111_1", "Cache_Data/1111111111111111_s"}},
      {"Simple Cache entry without its other files",
       [](auto& f) { return f.Simple("2222222222222222_0"); },
       EntryRemoval::kRemoved,
       {"Cache_Data/2222222222222222_0"}},
      {"entry already gone",
       [](auto& f) { return f.Firefox("FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"); },
       EntryRemoval::kAlreadyGone,
       {}},
      {"cache folder gone",
       [](auto& f) { return f.folder / "gone/entries/0EB4FFD137182D477D591453FA99B9BDC825B7DB"; },
       EntryRemoval::kAlreadyGone,
       {}},
      {"entry file is a link",
       [](auto& f) {
         fs::remove(f.Firefox(kFirefoxName));
         fs::create_symlink(f.Outside(), f.Firefox(kFirefoxName));
         return f.Firefox(kFirefoxName);
       },
       EntryRemoval::kRefused,
       {}},
      {"a folder on the way is a link",
       [](auto& f) {
         fs::create_directories(f.folder / "elsewhere");
         fs::create_directory_symlink(f.folder / "outside", f.folder / "elsewhere/entries");
         return f.folder / "elsewhere/entries/0EB4FFD137182D477D591453FA99B9BDC825B7DB";
       },
       EntryRemoval::kRefused,
       {}},
      {"a stream file is a link",
       [](auto& f) {
         fs::remove(f.Simple("1111111111111111_1"));
         fs::create_symlink(f.Outside(), f.Simple("1111111111111111_1"));
         return f.Simple("1111111111111111_0");
       },
       EntryRemoval::kRefused,
       {}},
      {"a folder in the entry file's place",
       [](auto& f) {
         fs::create_directories(f.Simple("3333333333333333_0"));
         return f.Simple("3333333333333333_0");
       },
       EntryRemoval::kRefused,
       {}},
      {"not an entry file", [](auto& f) { return f.Simple("index"); }, EntryRemoval::kRefused, {}},
      {"Firefox name outside entries/", [](auto& f) { return f.Outside(); }, EntryRemoval::kRefused, {}},
      {"relative path",
       [](auto&) { return std::string("cache2/entries/") + kFirefoxName; },
       EntryRemoval::kRefused,
       {}},
      {"dot-dot on the way",
       [](auto& f) { return f.folder / ("cache2/entries/../entries/" + std::string(kFirefoxName)); },
       EntryRemoval::kRefused,
       {}},
  };
  for (const Row& row : rows) {
    BrowserCacheFolders fresh;
    std::string entryFile = row.prepare(fresh);
    std::vector<std::string> expected = fresh.Left();
    std::erase_if(expected, [&](const std::string& name) {
      return std::find(row.gone.begin(), row.gone.end(), name) != row.gone.end();
    });
    EXPECT_EQ(RemoveBrowserCacheEntry(entryFile), row.outcome) << row.what;
    EXPECT_EQ(fresh.Left(), expected) << row.what;
    EXPECT_EQ(testing::ReadTestFile(fresh.Outside()), "not the cache's") << row.what;
  }
}

TEST(EntryFileFamilyTest, TellsTheFormatsWhoseEntriesHaveFilesOfTheirOwn) {
  struct Row {
    const char* file;
    std::optional<BrowserFamily> family;
  } rows[] = {
      {"/p/cache2/entries/0EB4FFD137182D477D591453FA99B9BDC825B7DB", BrowserFamily::Firefox},
      {"/p/cache2/doomed/0EB4FFD137182D477D591453FA99B9BDC825B7DB", std::nullopt},
      {"/p/Cache/Cache_Data/48290b99e7a40ff8_0", BrowserFamily::Chromium},
      {"/p/Service Worker/CacheStorage/o/i/48290b99e7a40ff8_0", BrowserFamily::Chromium},
      {"/p/Cache/Cache_Data/48290b99e7a40ff8_1", std::nullopt},
      {"/p/Cache/Cache_Data/data_1", std::nullopt},
      {"/p/Cache/Cache_Data/f_000001", std::nullopt},
      {"", std::nullopt},
  };
  for (const Row& row : rows) EXPECT_EQ(EntryFileFamily(row.file), row.family) << row.file;
}

// A child process that holds a lock on `file` until the returned guard ends it.
class LockHolder {
 public:
  explicit LockHolder(const fs::path& file) {
    int ready[2];
    EXPECT_EQ(pipe(ready), 0);
    child_ = fork();
    if (child_ == 0) {
      int fd = open(file.c_str(), O_RDWR | O_CREAT, 0644);
      struct flock lock = {};
      lock.l_type = F_WRLCK;
      lock.l_whence = SEEK_SET;
      fcntl(fd, F_SETLK, &lock);
      (void)!write(ready[1], "x", 1);
      pause();
      _exit(0);
    }
    char byte;
    EXPECT_EQ(read(ready[0], &byte, 1), 1);
    close(ready[0]);
    close(ready[1]);
  }
  ~LockHolder() {
    kill(child_, SIGKILL);
    waitpid(child_, nullptr, 0);
  }

 private:
  pid_t child_;
};

TEST(ProfileInUseTest, LocksOfARunningBrowserAndStaleOnes) {
  const std::string pid = std::to_string(getpid()), gone = std::to_string(GonePid());
  struct Row {
    const char* what;
    BrowserFamily family;
    const char* link;  // below the user data folder holding the profile "Default"
    std::string target;
    bool inUse;
  };
  const Row rows[] = {
      {"Firefox never ran", BrowserFamily::Firefox, nullptr, "", false},
      {"Firefox runs", BrowserFamily::Firefox, "Default/lock", "127.0.0.1:+" + pid, true},
      {"Firefox left a stale link", BrowserFamily::Firefox, "Default/lock", "127.0.0.1:+" + gone, false},
      {"Firefox link that does not read", BrowserFamily::Firefox, "Default/lock", "elsewhere", true},
      {"Chromium never ran", BrowserFamily::Chromium, nullptr, "", false},
      {"Chromium runs", BrowserFamily::Chromium, "SingletonLock", ThisHost() + "-" + pid, true},
      {"Chromium left a stale link", BrowserFamily::Chromium, "SingletonLock", ThisHost() + "-" + gone, false},
      {"Chromium of another host", BrowserFamily::Chromium, "SingletonLock", "other-host-" + gone, true},
      {"profile in the user data folder itself", BrowserFamily::Chromium, "Default/SingletonLock",
       ThisHost() + "-" + pid, true},
      {"a Chromium link does not lock Firefox", BrowserFamily::Firefox, "SingletonLock", ThisHost() + "-" + pid, false},
  };
  for (const Row& row : rows) {
    testing::TempFolder folder;
    fs::create_directories(folder.path() / "Default");
    if (row.link) fs::create_symlink(row.target, folder.path() / row.link);
    EXPECT_EQ(IsProfileInUse(row.family, folder.path() / "Default"), row.inUse) << row.what;
  }

  testing::TempFolder firefox;
  testing::WriteTestFile(firefox / ".parentlock", "");
  EXPECT_FALSE(IsProfileInUse(BrowserFamily::Firefox, firefox.path()));
  {
    LockHolder running(firefox.path() / ".parentlock");
    EXPECT_TRUE(IsProfileInUse(BrowserFamily::Firefox, firefox.path()));
  }
  EXPECT_FALSE(IsProfileInUse(BrowserFamily::Firefox, firefox.path()));
}

}  // namespace

}  // namespace vantry::import
