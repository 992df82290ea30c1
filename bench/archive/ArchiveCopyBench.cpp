// Site tree copy of a synthetic 1,250-entry server against plain copies of the same cached files
// (goal: at most 1.5 times the plain copy; run with TMPDIR=/dev/shm), and a single-page copy of a
// page with 500 references (its server answers, but the copy must not ask it: "requests" stays 0).
// The floor of a copy that rewrites is timed beside them: every page read, its references found
// and written back unchanged, every other file copied, through the same no-follow writes.
#include <time.h>

#include <chrono>
#include <filesystem>

#include <benchmark/benchmark.h>

#include "archive/DestinationTree.h"
#include "archive/ReferenceScanner.h"
#include "archive/SinglePageCopy.h"
#include "archive/SiteTreeCopy.h"
#include "bench/archive/SyntheticSite.h"
#include "files/WholeFile.h"
#include "testing/LocalHttpServer.h"
#include "testing/ScriptedPrompt.h"
#include "testing/TempFolder.h"

namespace vantry::bench {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// CPU seconds of the calling thread, kernel time included: a fairer measure than the wall
// clock on a machine shared with other work.
double ThreadCpuSeconds() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}
constexpr const char* kOrigin = "http://bench.test";
constexpr int kPages = 600;
constexpr int kImages = 650;

struct CachedSite {
  CachedSite()
      : store(cache::OpenUrlCacheStore(folder / "store").store), paths(archive::MakeArchivePaths(folder / "work")) {
    fs::create_directories(folder / "work");
    archive::PrepareArchiveFiles(paths, prompt);
    for (const std::string& url : CacheSyntheticSite(*store, kOrigin, kPages, kImages)) {
      files.push_back(*archive::LookupLocalFile(*store, url));
    }
  }
  testing::TempFolder folder;
  std::unique_ptr<cache::UrlCacheStore> store;
  archive::ArchivePaths paths;
  testing::ScriptedPrompt prompt{false};
  std::vector<std::string> files;  // the pages first
};

// What any copy that rewrites its pages does at least; returns the references found.
std::size_t ReadScanAndWrite(const std::vector<std::string>& files, archive::DestinationTree& tree) {
  std::size_t references = 0;
  for (std::size_t i = 0; i < files.size(); ++i) {
    const std::string name = std::to_string(i);
    if (i >= kPages) {
      tree.CopyFile(files[i], name);
      continue;
    }
    const std::optional<std::string> page = files::ReadWholeFile(files[i]);
    references += archive::FindHtmlReferences(*page).size();
    tree.WriteFile(name, *page);
  }
  return references;
}

CachedSite& Site() {
  static CachedSite site;
  return site;
}

// Times both copies in every iteration, so that a busy disk weighs on both alike.
void BM_CopySiteTreeAgainstPlainCopy(benchmark::State& state) {
  CachedSite& site = Site();
  const fs::path plainDestination = site.folder / "plain";
  const std::string treeDestination = site.folder / "tree";
  fs::create_directories(plainDestination);
  fs::create_directories(treeDestination);
  fs::create_directories(site.folder / "floor");
  archive::DestinationTree floorTree(site.folder / "floor");
  double plainSeconds = 0;
  double treeSeconds = 0;
  double plainCpu = 0;
  double treeCpu = 0;
  double floorCpu = 0;
  std::size_t references = 0;
  for (auto _ : state) {
    const double plainCpuStart = ThreadCpuSeconds();
    const auto plainStart = Clock::now();
    for (std::size_t i = 0; i < site.files.size(); ++i) {
      fs::copy_file(site.files[i], plainDestination / std::to_string(i), fs::copy_options::overwrite_existing);
    }
    const double treeCpuStart = ThreadCpuSeconds();
    const auto treeStart = Clock::now();
    const archive::CopyReport report = archive::CopySiteTree(
        *site.store, site.paths,
        {std::string(kOrigin) + "/f0/page0.html", treeDestination, archive::kCommentConfirmed, "bench", true},
        site.prompt);
    const auto treeEnd = Clock::now();
    const double floorCpuStart = ThreadCpuSeconds();
    references = ReadScanAndWrite(site.files, floorTree);
    floorCpu += ThreadCpuSeconds() - floorCpuStart;
    plainCpu += treeCpuStart - plainCpuStart;
    treeCpu += floorCpuStart - treeCpuStart;
    if (report.brokenOff || !report.notCopied.empty() || !site.prompt.told.empty()) state.SkipWithError("copy failed");
    plainSeconds += std::chrono::duration<double>(treeStart - plainStart).count();
    treeSeconds += std::chrono::duration<double>(treeEnd - treeStart).count();
    state.SetIterationTime(std::chrono::duration<double>(treeEnd - treeStart).count());
  }
  const double runs = static_cast<double>(state.iterations());
  state.counters["files"] = static_cast<double>(site.files.size());
  state.counters["plain_ms"] = plainSeconds / runs * 1000;
  state.counters["tree_ms"] = treeSeconds / runs * 1000;
  state.counters["ratio"] = treeSeconds / plainSeconds;
  state.counters["plain_cpu_ms"] = plainCpu / runs * 1000;
  state.counters["tree_cpu_ms"] = treeCpu / runs * 1000;
  state.counters["cpu_ratio"] = treeCpu / plainCpu;
  state.counters["references"] = static_cast<double>(references);
  state.counters["floor_cpu_ms"] = floorCpu / runs * 1000;
  state.counters["floor_cpu_ratio"] = floorCpu / plainCpu;
}

void BM_CopySinglePageWith500References(benchmark::State& state) {
  testing::TempFolder folder;
  testing::LocalHttpServer server;
  server.SetDefaultStatus(200);
  std::unique_ptr<cache::UrlCacheStore> store = cache::OpenUrlCacheStore(folder / "store").store;
  const std::string origin = server.origin();
  for (int i = 0; i < 250; ++i) {
    store->AddEntry(cache::NewEntry{.url = origin + "/site/img/pic" + std::to_string(i) + ".gif",
                                    .content = std::string(4000, 'g'),
                                    .headers = "HTTP/1.1 200 OK\r\n\r\n"});
  }
  const std::string pageUrl = origin + "/site/page.html";
  store->AddEntry(cache::NewEntry{.url = pageUrl,
                                  .content = PageWithReferences(250, 250),
                                  .headers = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n"});
  const archive::ArchivePaths paths = archive::MakeArchivePaths(folder / "work");
  fs::create_directories(folder / "work");
  fs::create_directories(folder / "copies");
  testing::ScriptedPrompt prompt{false};
  archive::PrepareArchiveFiles(paths, prompt);
  const std::string pageFile = *archive::LookupLocalFile(*store, pageUrl);
  for (auto _ : state) {
    archive::CopySinglePage(*store, paths, {pageFile, pageUrl, folder / "copies", "bench"}, prompt);
  }
  state.counters["requests"] = static_cast<double>(server.requests().size()) / static_cast<double>(state.iterations());
}

BENCHMARK(BM_CopySiteTreeAgainstPlainCopy)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);
BENCHMARK(BM_CopySinglePageWith500References)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace
}  // namespace vantry::bench

BENCHMARK_MAIN();
