// Deleting through the program with real browsers: Debian's firefox-esr and chromium, headless,
// fill fresh profiles from a local site; the program imports them and deletes entries, and
// the browser then starts cleanly, fetches the entry removed from its cache again and still
// serves the others from its cache, also the one deleted while it ran.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <thread>

#include <gtest/gtest.h>

#include "import/BrowserImport.h"
#include "import/ProfileDiscovery.h"
#include "ops/DeleteCommands.h"
#include "ops/tests/OpsTestSupport.h"
#include "testing/LocalHttpServer.h"

extern char** environ;

namespace vantry::ops {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr auto kBrowserRunLimit = 120s;
constexpr const char* kTitle = "Delete from browser cache";
// A transparent GIF of one pixel.
const std::string kPixel(
    "GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff!\xf9\x04\x01\x00\x00\x00\x00,"
    "\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02"
    "D\x01\x00;",
    43);
constexpr const char* kFresh = "Cache-Control: max-age=86400\r\n";

// A program started in a process group of its own, whose output goes to a log file. The
// group is killed when it ends, so that no helper process of the browser outlives it.
class Program {
 public:
  Program(const std::vector<std::string>& argv, const fs::path& log) {
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&files, 1, 2);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    if (posix_spawnp(&pid_, args[0], &files, &attributes, args.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
  }
  ~Program() {
    if (pid_ <= 0) return;
    if (!exited_) {
      kill(-pid_, SIGTERM);
      if (!Wait(20s)) kill(-pid_, SIGKILL);
      Wait(20s);
    }
    kill(-pid_, SIGKILL);
  }

  // Waits for the program's end; its exit code, -1 when it did not end in time or was killed.
  int Finish(std::chrono::seconds limit) { return Wait(limit) ? code_ : -1; }
  bool started() const { return pid_ > 0; }

 private:
  bool Wait(std::chrono::seconds limit) {
    for (auto end = std::chrono::steady_clock::now() + limit; !exited_ && std::chrono::steady_clock::now() < end;) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        exited_ = true;
        code_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      } else {
        std::this_thread::sleep_for(50ms);
      }
    }
    return exited_;
  }

  pid_t pid_ = -1;
  bool exited_ = false;
  int code_ = -1;
};

std::string LinkTarget(const fs::path& link) {
  std::error_code ec;
  return fs::read_symlink(link, ec).string();
}

// Waits for a lock link that names another process than `before` did: an earlier run may
// have left its link behind.
bool WaitForNewLock(const fs::path& link, const std::string& before, std::chrono::seconds limit) {
  for (auto end = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < end;
       std::this_thread::sleep_for(100ms))
    if (std::string target = LinkTarget(link); !target.empty() && target != before) return true;
  return false;
}

struct Browser {
  const char* name;
  import::BrowserFamily family;
  const char* lock;  // made in the profile's folder while the browser runs
  // Makes the fresh profile in `folder`.
  std::function<void(const fs::path& folder)> prepare;
  // The command line that loads `url` with the profile in `folder` and quits.
  std::function<std::vector<std::string>(const fs::path& folder, const std::string& url)> load;
};

std::vector<std::string> ChromiumCommand(const fs::path& folder, std::vector<std::string> more) {
  std::vector<std::string> command = {"chromium",
                                      "--headless=new",
                                      "--no-sandbox",
                                      "--disable-gpu",
                                      "--disable-background-networking",
                                      "--disable-component-update",
                                      "--disable-sync",
                                      "--no-first-run",
                                      "--no-default-browser-check",
                                      "--user-data-dir=" + folder.string()};
  command.insert(command.end(), more.begin(), more.end());
  return command;
}

const Browser kFirefox = {
    "Firefox",
    import::BrowserFamily::Firefox,
    "lock",
    [](const fs::path& folder) {
      // The corpus's preferences: the disk cache inside the profile, nothing fetched but the site.
      std::string prefs = testing::ReadTestFile(std::string(VANTRY_CORPUS_DIR) + "/site/ff-user.template.js");
      const std::string placeholder = "\"@FF_PROFILE@\"";
      prefs.replace(prefs.find(placeholder), placeholder.size(), "\"" + folder.string() + "\"");
      testing::WriteTestFile(folder / "user.js", prefs);
    },
    [](const fs::path& folder, const std::string& url) {
      return std::vector<std::string>{"firefox-esr",
                                      "--headless",
                                      "--no-remote",
                                      "--profile",
                                      folder.string(),
                                      "--screenshot",
                                      (folder.parent_path() / "shot.png").string(),
                                      url};
    },
};

const Browser kChromium = {
    "Chromium",
    import::BrowserFamily::Chromium,
    "SingletonLock",
    [](const fs::path& folder) { fs::create_directories(folder); },
    [](const fs::path& folder, const std::string& url) {
      return ChromiumCommand(folder, {"--screenshot=" + (folder.parent_path() / "shot.png").string(), url});
    },
};

// The requests of `site` after the first `from`.
std::vector<std::string> RequestsAfter(const testing::LocalHttpServer& site, size_t from) {
  std::vector<std::string> all = site.requests();
  return {all.begin() + static_cast<std::ptrdiff_t>(std::min(from, all.size())), all.end()};
}

bool Has(const std::vector<std::string>& requests, const std::string& path) {
  return std::find(requests.begin(), requests.end(), path) != requests.end();
}

void DeleteThroughTheProgramAndLoadAgain(const Browser& browser) {
  testing::LocalHttpServer site;
  site.AnswerWithHeaders("/page.html", std::string("Content-Type: text/html\r\n") + kFresh,
                         "<html><body><img src=kept.gif><img src=gone.gif><img src=busy.gif></body></html>");
  for (const char* image : {"/kept.gif", "/gone.gif", "/busy.gif"})
    site.AnswerWithHeaders(image, std::string("Content-Type: image/gif\r\n") + kFresh, kPixel);
  const std::string page = site.origin() + "/page.html";
  TempFolder work;
  const fs::path profileFolder = fs::canonical(work.path()) / "profile", log = work.path() / "browser.log";
  browser.prepare(profileFolder);
  auto runOnce = [&] {
    Program run(browser.load(profileFolder, page), log);
    EXPECT_TRUE(run.started());
    return run.Finish(kBrowserRunLimit);
  };
  ASSERT_EQ(runOnce(), 0) << testing::ReadTestFile(log.string());
  ASSERT_TRUE(Has(site.requests(), "/gone.gif"));

  CommandHarness h;
  RecordingLists lists;
  import::BrowserProfile profile = import::ProfileAt(browser.family, profileFolder, import::HomeFolders{});
  std::ostringstream progress;
  import::ImportBrowserProfile(profile, *h.store, progress);
  std::map<std::string, std::string> entryFiles;
  for (const char* image : {"/kept.gif", "/gone.gif", "/busy.gif"}) {
    cache::EntryOrigin origin;
    ASSERT_EQ(h.store->GetEntryOrigin(site.origin() + image, origin), cache::STORE_OK) << image;
    ASSERT_TRUE(fs::is_regular_file(origin.entryFile)) << origin.entryFile;
    entryFiles[image] = origin.entryFile;
  }
  const std::string cacheName = browser.name + std::string(", profile \"") + profile.name + "\"";

  // While the browser has the profile open, the entry is deleted from the store only.
  {
    const std::string staleLock = LinkTarget(profileFolder / browser.lock);
    Program running(browser.family == import::BrowserFamily::Firefox
                        ? std::vector<std::string>{"firefox-esr", "--headless", "--no-remote", "--profile",
                                                   profileFolder.string(), "about:blank"}
                        : ChromiumCommand(profileFolder, {"about:blank"}),
                    log);
    ASSERT_TRUE(WaitForNewLock(profileFolder / browser.lock, staleLock, kBrowserRunLimit))
        << testing::ReadTestFile(log.string());
    DeleteCacheEntryCommand(h.context, site.origin() + "/busy.gif", lists);
    ASSERT_FALSE(h.prompt.told.empty());
    EXPECT_EQ(h.prompt.told.front(),
              (testing::PromptCall{std::string(browser.name) + " has the profile \"" + profile.name +
                                       "\" open: the deleted entry stays in its cache.",
                                   kTitle}));
    EXPECT_TRUE(h.prompt.asked.empty());
  }
  EXPECT_FALSE(h.store.Has(site.origin() + "/busy.gif"));
  EXPECT_TRUE(fs::exists(entryFiles["/busy.gif"]));

  // Closed again (a lock it may have left behind is stale): one question, then the files go.
  h.prompt.Answer(true);
  DeleteCacheEntryCommand(h.context, site.origin() + "/gone.gif", lists);
  EXPECT_EQ(h.prompt.asked, (std::vector<testing::PromptCall>{
                                {"Remove the deleted entry from the cache of " + cacheName + " too?", kTitle}}));
  EXPECT_FALSE(fs::exists(entryFiles["/gone.gif"]));
  EXPECT_TRUE(fs::exists(entryFiles["/kept.gif"]));

  const size_t before = site.requests().size();
  ASSERT_EQ(runOnce(), 0) << testing::ReadTestFile(log.string());
  std::vector<std::string> again = RequestsAfter(site, before);
  EXPECT_TRUE(Has(again, "/gone.gif")) << "the entry removed from the browser's cache is fetched again";
  EXPECT_FALSE(Has(again, "/kept.gif")) << "the browser's cache still serves the others";
  EXPECT_FALSE(Has(again, "/busy.gif")) << "the entry deleted while the browser ran stays in its cache";
}

TEST(BrowserDeletionTest, Firefox) { DeleteThroughTheProgramAndLoadAgain(kFirefox); }

TEST(BrowserDeletionTest, Chromium) { DeleteThroughTheProgramAndLoadAgain(kChromium); }

}  // namespace
}  // namespace vantry::ops
