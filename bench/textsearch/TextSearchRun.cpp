// One run of the cache text search of "Find text in files" over a folder, for run_bench.sh:
// prints the seconds it took, and the files with a hit, one per line, to the file named.
//
// Usage: bench_text_search FOLDER TEXT HITS_FILE [--case-sensitive]
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "ops/TextSearch.h"
#include "testing/FakeFrame.h"
#include "testing/ScriptedPrompt.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s FOLDER TEXT HITS_FILE [--case-sensitive]\n", argv[0]);
    return 2;
  }
  const bool caseSensitive = argc > 4 && std::string(argv[4]) == "--case-sensitive";
  vantry::testing::FakeFrame frame;
  vantry::testing::ScriptedPrompt prompt;
  std::vector<std::string> results;
  const auto start = std::chrono::steady_clock::now();
  vantry::ops::CacheTextSearch(argv[1], "*.*", {argv[2], caseSensitive}, results, frame, prompt);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::ofstream hits(argv[3]);
  for (const std::string& line : results) hits << line.substr(0, line.find(" :   ")) << "\n";
  std::printf("%.4f\n", took.count());
  return 0;
}
