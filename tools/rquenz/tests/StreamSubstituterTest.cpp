#include "tools/rquenz/StreamSubstituter.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <string>

#include <gtest/gtest.h>

namespace rquenz {

namespace {

int MemoryFile(const std::string& content) {
  const int fd = memfd_create("substituter-test", MFD_CLOEXEC);
  EXPECT_EQ(write(fd, content.data(), content.size()), static_cast<ssize_t>(content.size()));
  lseek(fd, 0, SEEK_SET);
  return fd;
}

std::string ReadAll(int fd) {
  lseek(fd, 0, SEEK_SET);
  std::string content;
  char buffer[4096];
  for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;) content.append(buffer, got);
  return content;
}

// Substitutes `input` with the given chunk size; the failure text, if any, goes to *error.
std::string Substitute(const std::string& input, const std::string& search, const std::string& replacement,
                       size_t chunkSize, std::string* error) {
  StreamSubstituter substituter(search, replacement, chunkSize);
  const int in = MemoryFile(input);
  const int out = MemoryFile("");
  *error = substituter.Run(in, out);
  std::string output = ReadAll(out);
  close(in);
  close(out);
  return output;
}

}  // namespace

// Every split of the input into chunks must give the same result, so matches
// that straddle a chunk boundary are found like any other.
TEST(StreamSubstituter, ResultDoesNotDependOnChunkSize) {
  struct Case {
    std::string input, search, replacement, expected;
  };
  const Case cases[] = {
      {"abab", "ab", "X", "XX"},
      {"aaab", "aab", "X", "aX"},
      {"aaaa", "aa", "b", "bb"},
      {"aaaaa", "aa", "b", "bba"},
      {"xyzabcabxabcx", "abc", "<>", "xyz<>abx<>x"},
      {"needle in a needlessly long haystack with needles", "needle", "pin",
       "pin in a pinssly long haystack with pins"},
      {"mississippi", "issip", "_", "miss_pi"},
      {"abcabd", "abd", "!", "abc!"},
      {"ab", "abc", "Z", "ab"},
      {"", "a", "b", ""},
      {"abc", "abc", "", ""},
  };
  for (const Case& c : cases) {
    for (size_t chunk : {1, 2, 3, 4, 5, 7, 8, 13, 4096}) {
      std::string error;
      EXPECT_EQ(Substitute(c.input, c.search, c.replacement, chunk, &error), c.expected)
          << c.input << " / " << c.search << " in chunks of " << chunk;
      EXPECT_EQ(error, "");
    }
  }
}

TEST(StreamSubstituter, OutputLargerThanItsBufferIsWrittenWhole) {
  // Each byte grows to 100 bytes, so the output overflows its buffer many times.
  const std::string input(1000, 'x');
  std::string error;
  const std::string output = Substitute(input, "x", std::string(100, 'y'), 64, &error);
  EXPECT_EQ(error, "");
  EXPECT_EQ(output, std::string(100000, 'y'));
}

// In memory the output is the same as in a file while it fits one chunk;
// beyond that the run says so instead of growing without bound.
TEST(StreamSubstituter, InMemoryGivesTheSameBytesOrSaysTooLarge) {
  struct Case {
    std::string input, search, replacement;
    StreamSubstituter::InMemory expected;
  };
  const Case cases[] = {
      {"abab", "ab", "X", StreamSubstituter::InMemory::kDone},
      {std::string(64, 'a'), "a", "b", StreamSubstituter::InMemory::kDone},       // exactly one chunk
      {std::string(40, 'a'), "a", "bb", StreamSubstituter::InMemory::kTooLarge},  // grows past it
      {std::string(65, 'a'), "z", "b", StreamSubstituter::InMemory::kTooLarge},   // more than one chunk
      {"", "a", "b", StreamSubstituter::InMemory::kDone},
  };
  StreamSubstituter inMemory("a", "b", 64);
  SubstitutedBytes out;  // one buffer, handed back each time
  for (const Case& c : cases) {
    StreamSubstituter substituter(c.search, c.replacement, 64);
    const int in = MemoryFile(c.input);
    std::string error;
    EXPECT_EQ(substituter.RunInMemory(in, out, &error), c.expected) << c.input;
    EXPECT_EQ(error, "");
    close(in);
    if (c.expected == StreamSubstituter::InMemory::kDone) {
      EXPECT_EQ(std::string(out.bytes.data(), out.size), Substitute(c.input, c.search, c.replacement, 64, &error));
    }
  }
  const int folder = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  std::string error;
  EXPECT_EQ(inMemory.RunInMemory(folder, out, &error), StreamSubstituter::InMemory::kReadFailed);
  EXPECT_EQ(error, "read failed: Is a directory");
  close(folder);
}

TEST(StreamSubstituter, ReportsReadAndWriteFailures) {
  StreamSubstituter substituter("a", "b", 16);
  const int folder = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  const int sink = MemoryFile("");
  EXPECT_EQ(substituter.Run(folder, sink), "read failed: Is a directory");

  const int source = MemoryFile("banana");
  const int readOnly = open("/dev/null", O_RDONLY | O_CLOEXEC);
  EXPECT_EQ(substituter.Run(source, readOnly), "write failed: Bad file descriptor");

  // The same substituter still works after failures.
  const int again = MemoryFile("banana");
  EXPECT_EQ(substituter.Run(again, sink), "");
  EXPECT_EQ(ReadAll(sink), "bbnbnb");
  for (int fd : {folder, sink, source, readOnly, again}) close(fd);
}

}  // namespace rquenz
