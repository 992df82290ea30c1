// Expands the three list tabs in real (offscreen) widgets on stores of ENTRIES entries
// and compares each with a bare walk of the same store in the same run. Prints the time
// the stores took to fill, the ratios and the memory the expanded AlphaSort list takes.
// Usage: bench_lists [ENTRIES] [benchmark flags]   (default 100000; its stores go to
// TMPDIR, or to VANTRY_BENCH_FOLDER, which keeps them for later runs; run on /dev/shm)
#include <malloc.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <map>

#include <QApplication>
#include <benchmark/benchmark.h>

#include "bench/lists/BenchStores.h"
#include "cache/widgets/CTabClassView.h"
#include "cache/widgets/CTabResourceView.h"
#include "inspect/history/widgets/CTabFileView.h"
#include "testing/FakeFrame.h"
#include "testing/FakePanes.h"

namespace vantry::bench {

namespace {

constexpr int kDefaultEntries = 100'000;
constexpr double kMaxRatio = 4.0;
constexpr double kMaxSeconds = 1.5;           // AccessSort and History
constexpr double kMaxSortedSeconds = 2.0;     // AlphaSort, sorted
constexpr double kMaxAlphaMegabytes = 300.0;  // held by the expanded AlphaSort list

struct Stores {
  std::filesystem::path folder;
  std::unique_ptr<cache::SqliteUrlCacheStore> content;
  std::unique_ptr<cache::SqliteUrlCacheStore> history;
};

struct Frame {
  testing::FakeFrame frame;
  testing::FakePanes panes;
  cache::CurrentEntry current;
  cache::SearchRequest request;
  cache::ShowMask mask;
};

double ResidentMegabytes() {
  long pages = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Expands the root and lets the tree lay out and paint what it shows.
void ExpandAndPaint(cache::ListTabView& view) {
  view.expand(view.Model().RootIndex());
  view.viewport()->repaint();
  QCoreApplication::processEvents();
}

size_t StoredEntries(cache::UrlCacheStore& store) {
  size_t entries = 0;
  cache::WalkCache(store, "", [&](cache::CacheEntry&) { ++entries; });
  return entries;
}

void BareWalk(benchmark::State& state, cache::UrlCacheStore& store, const char* pattern) {
  for (auto _ : state) {
    size_t entries = 0;
    cache::WalkCache(store, pattern, [&](cache::CacheEntry&) { ++entries; });
    benchmark::DoNotOptimize(entries);
  }
}

template <typename View>
void ExpandView(benchmark::State& state, View& view) {
  view.resize(600, 800);
  view.show();
  view.BuildInitialList();
  for (auto _ : state) {
    ExpandAndPaint(view);
    state.PauseTiming();
    view.collapse(view.Model().RootIndex());
    state.ResumeTiming();
  }
}

double AlphaSortGrowthMegabytes(const cache::ListTabContext& context, const cache::ShowMask& mask) {
  cache::CTabClassView view(context, mask);
  view.resize(600, 800);
  view.show();
  view.BuildInitialList();
  QCoreApplication::processEvents();
  malloc_trim(0);
  double before = ResidentMegabytes();
  ExpandAndPaint(view);
  return ResidentMegabytes() - before;
}

struct Seconds {
  double real = 0;
  double cpu = 0;  // of the benchmark's thread: what the work costs when others share the processor
};

// Keeps the mean times per iteration of every run, to print the ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      double iterations = static_cast<double>(run.iterations);
      seconds[run.benchmark_name()] = {run.real_accumulated_time / iterations, run.cpu_accumulated_time / iterations};
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, Seconds> seconds;
};

// The verdict goes by the real time; the processor time beside it shows what a busy
// machine added.
bool PrintRatio(RatioReporter& reporter, const std::string& expansion, const std::string& walk, double maxSeconds) {
  Seconds expand = reporter.seconds[expansion], bare = reporter.seconds[walk];
  double ratio = expand.real / bare.real;
  bool met = ratio <= kMaxRatio && expand.real <= maxSeconds;
  std::printf(
      "%-40s %6.3f s (cpu %6.3f s)  bare walk %6.3f s (cpu %6.3f s)  ratio %5.2f (goal <= %.1f and <= %.1f s)  %s\n",
      expansion.c_str(), expand.real, expand.cpu, bare.real, bare.cpu, ratio, kMaxRatio, maxSeconds,
      met ? "met" : "MISSED");
  return met;
}

// Real and processor time (all threads) since `start`.
struct Stopwatch {
  std::chrono::steady_clock::time_point real = std::chrono::steady_clock::now();
  std::clock_t cpu = std::clock();
  void Print(const char* what) const {
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - real).count();
    std::printf("Filled the %s in %.1f s (processor %.1f s)\n", what, seconds,
                static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC);
  }
};

}  // namespace

int Main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  const int entries = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultEntries;

  // Filling the stores takes minutes; VANTRY_BENCH_FOLDER keeps them for later runs.
  const char* kept = std::getenv("VANTRY_BENCH_FOLDER");
  std::string folder = kept ? kept : std::string(std::filesystem::temp_directory_path() / "vantry-bench-XXXXXX");
  if (!kept) mkdtemp(folder.data());
  Stores stores{folder, nullptr, nullptr};
  stores.content = std::make_unique<cache::SqliteUrlCacheStore>(stores.folder / "content-store");
  stores.history = std::make_unique<cache::SqliteUrlCacheStore>(stores.folder / "history-store");
  if (Stopwatch fill; StoredEntries(*stores.content) == 0) {
    bench::FillContentStore(*stores.content, entries);
    fill.Print("content store");
  }
  if (Stopwatch fill; StoredEntries(*stores.history) == 0) {
    bench::FillHistoryStore(*stores.history, entries);
    fill.Print("history store");
  }
  std::printf("Stores in %s: %zu entries, %zu history entries\n", folder.c_str(), StoredEntries(*stores.content),
              StoredEntries(*stores.history));

  Frame frame;
  cache::ListTabContext content{*stores.content, frame.frame, frame.panes, frame.current, frame.request};
  cache::ListTabContext history{*stores.history, frame.frame, frame.panes, frame.current, frame.request};
  frame.mask.bits = 0xFFFFFFFF;
  double alphaGrowth = AlphaSortGrowthMegabytes(content, frame.mask);

  cache::CTabResourceView accessSort(content);
  cache::CTabClassView alphaSort(content, frame.mask);
  cache::CTabClassView alphaAfterFind(content, frame.mask);
  inspect::CTabFileView historyTree(history);
  alphaAfterFind.ExpandForFind();
  alphaAfterFind.collapse(alphaAfterFind.Model().RootIndex());

  auto ms = [](benchmark::internal::Benchmark* b) { b->Unit(benchmark::kMillisecond)->Iterations(3); };
  ms(benchmark::RegisterBenchmark("BareWalk/all", BareWalk, std::ref(*stores.content), ""));
  ms(benchmark::RegisterBenchmark("Expand/AccessSort", ExpandView<cache::CTabResourceView>, std::ref(accessSort)));
  ms(benchmark::RegisterBenchmark("Expand/AlphaSort", ExpandView<cache::CTabClassView>, std::ref(alphaSort)));
  ms(benchmark::RegisterBenchmark("Expand/AlphaSortAfterFind", ExpandView<cache::CTabClassView>,
                                  std::ref(alphaAfterFind)));
  ms(benchmark::RegisterBenchmark("BareWalk/visited", BareWalk, std::ref(*stores.history), "visited:"));
  ms(benchmark::RegisterBenchmark("Expand/History", ExpandView<inspect::CTabFileView>, std::ref(historyTree)));

  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  std::printf("\n");
  const std::string all = "BareWalk/all/iterations:3";
  bool met = PrintRatio(reporter, "Expand/AccessSort/iterations:3", all, kMaxSeconds);
  met &= PrintRatio(reporter, "Expand/AlphaSort/iterations:3", all, kMaxSortedSeconds);
  met &= PrintRatio(reporter, "Expand/AlphaSortAfterFind/iterations:3", all, kMaxSortedSeconds);
  met &= PrintRatio(reporter, "Expand/History/iterations:3", "BareWalk/visited/iterations:3", kMaxSeconds);
  bool memoryMet = alphaGrowth <= kMaxAlphaMegabytes;
  std::printf("%-40s %6.1f MB (goal <= %.0f MB)  %s\n", "AlphaSort memory growth", alphaGrowth, kMaxAlphaMegabytes,
              memoryMet ? "met" : "MISSED");

  stores = {};
  if (!kept) std::filesystem::remove_all(folder);
  return met && memoryMet ? 0 : 1;
}

}  // namespace vantry::bench

int main(int argc, char** argv) { return vantry::bench::Main(argc, argv); }
