#include "files/FilesInDiskOrder.h"

#include <filesystem>
#include <map>

#include <gtest/gtest.h>

#include "testing/TempFolder.h"

namespace vantry::files {
namespace {

using State = BatchFile::State;

struct Seen {
  State state;
  uint64_t size;
  std::string bytes;
  bool operator==(const Seen&) const = default;
};

TEST(FilesInDiskOrderTest, HandsOverEveryPathOnceWithWhatItHolds) {
  testing::TempFolder folder;
  const std::string big(40, 'b');
  testing::WriteTestFile(folder / "a.htm", "alpha");
  testing::WriteTestFile(folder / "empty.htm", "");
  testing::WriteTestFile(folder / "big.htm", big);
  testing::WriteTestFile(folder / "just-below.htm", std::string(39, 'j'));
  std::filesystem::create_directory(folder.path() / "folder.htm");
  std::filesystem::create_symlink(folder / "a.htm", folder.path() / "link.htm");
  std::filesystem::create_symlink(folder / "gone.htm", folder.path() / "dangling.htm");
  struct Row {
    const char* name;
    Seen seen;
  };
  const Row rows[] = {
      {"a.htm", {State::kRead, 5, "alpha"}},         {"empty.htm", {State::kRead, 0, ""}},
      {"big.htm", {State::kTooBig, 40, ""}},         {"just-below.htm", {State::kRead, 39, std::string(39, 'j')}},
      {"folder.htm", {State::kUnreadable, 0, ""}},   {"link.htm", {State::kRead, 5, "alpha"}},
      {"dangling.htm", {State::kUnreadable, 0, ""}}, {"missing.htm", {State::kUnreadable, 0, ""}},
      {"a.htm", {State::kRead, 5, "alpha"}},  // a path given twice is read twice
  };
  std::vector<std::string> paths;
  for (const Row& row : rows) paths.push_back(folder / row.name);
  std::map<size_t, Seen> seen;
  ASSERT_TRUE(ReadFilesInDiskOrder(paths, big.size(), [&](const BatchFile& file) {
    EXPECT_FALSE(seen.contains(file.index)) << file.index;
    seen[file.index] = {file.state, file.size, std::string(file.bytes)};
    return true;
  }));
  ASSERT_EQ(seen.size(), std::size(rows));
  for (size_t i = 0; i < std::size(rows); ++i) EXPECT_EQ(seen[i], rows[i].seen) << rows[i].name;
}

size_t OpenFiles() {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}));
}

TEST(FilesInDiskOrderTest, StopsWhenTheVisitSaysSoAndLeavesNoFileOpen) {
  testing::TempFolder folder;
  std::vector<std::string> paths;
  for (int i = 0; i < 100; ++i) {
    paths.push_back(folder / ("f" + std::to_string(i)));
    testing::WriteTestFile(paths.back(), std::string(100 + i, 'x'));
  }
  const size_t openBefore = OpenFiles();
  for (const size_t stopAt : {size_t{1}, size_t{40}}) {
    size_t visits = 0;
    EXPECT_FALSE(ReadFilesInDiskOrder(paths, 1000, [&](const BatchFile&) { return ++visits < stopAt; }));
    EXPECT_EQ(visits, stopAt);
    EXPECT_EQ(OpenFiles(), openBefore) << stopAt;
  }
  EXPECT_TRUE(ReadFilesInDiskOrder({}, 1000, [](const BatchFile&) { return false; }));
}

}  // namespace
}  // namespace vantry::files
