#include "tools/rquenz/StreamSubstituter.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "tools/rquenz/ErrorText.h"
#include "tools/rquenz/WriteAll.h"

namespace rquenz {

namespace {

ssize_t ReadSome(int fd, char* data, size_t size) {
  for (;;) {
    const ssize_t got = read(fd, data, size);
    if (got >= 0 || errno != EINTR) return got;
  }
}

}  // namespace

StreamSubstituter::StreamSubstituter(std::string search, std::string replacement, size_t chunkSize)
    : searcher_(std::move(search)),
      replacement_(replacement.begin(), replacement.end()),
      replacementSize_(replacement.size()),
      chunkSize_(chunkSize),
      input_(chunkSize + searcher_.size() - 1 + kCopyBlock),
      output_(chunkSize + kCopyBlock) {
  replacement_.resize(replacementSize_ + kCopyBlock);
}

std::string StreamSubstituter::Run(int in, int out) {
  out_ = out;
  return Substitute(in);
}

StreamSubstituter::InMemory StreamSubstituter::RunInMemory(int in, SubstitutedBytes& out, std::string* error) {
  out_ = kInMemory;
  *error = Substitute(in);
  if (outOfRoom_) return InMemory::kTooLarge;
  if (!error->empty()) return InMemory::kReadFailed;
  std::swap(out.bytes, output_);
  out.size = pending_;
  if (output_.size() != chunkSize_ + kCopyBlock) output_.assign(chunkSize_ + kCopyBlock, 0);
  return InMemory::kDone;
}

std::string StreamSubstituter::Substitute(int in) {
  pending_ = 0;
  writeError_ = 0;
  outOfRoom_ = false;
  // A match may straddle two chunks, so up to size-1 trailing bytes without a
  // match wait for the next chunk before being emitted.
  const size_t carryLimit = searcher_.size() - 1;
  size_t carried = 0;
  for (;;) {
    const ssize_t got = ReadSome(in, input_.data() + carried, chunkSize_);
    if (got < 0) return ErrorText("read failed", errno);
    const bool atEnd = got == 0;
    const size_t end = carried + static_cast<size_t>(got);
    size_t rest = 0;
    if (!EmitThroughLastMatch(end, &rest)) break;
    const size_t carry = atEnd ? 0 : std::min(carryLimit, end - rest);
    if (!Emit(input_.data() + rest, end - carry - rest)) break;
    if (atEnd) {
      if (out_ != kInMemory) Flush();
      break;
    }
    std::memmove(input_.data(), input_.data() + end - carry, carry);
    carried = carry;
  }
  if (outOfRoom_) return {};
  return writeError_ == 0 ? std::string() : ErrorText("write failed", writeError_);
}

bool StreamSubstituter::EmitThroughLastMatch(size_t end, size_t* rest) {
  const char* base = input_.data();
  const char* hits[kHitsPerSearch];
  size_t from = 0;
  size_t found = kHitsPerSearch;
  while (found == kHitsPerSearch) {
    found = searcher_.FindSeveral(base + from, base + end, hits, kHitsPerSearch);
    for (size_t i = 0; i < found; ++i) {
      const size_t at = static_cast<size_t>(hits[i] - base);
      if (!Emit(base + from, at - from) || !Emit(replacement_.data(), replacementSize_)) return false;
      from = at + searcher_.size();
    }
  }
  *rest = from;
  return true;
}

bool StreamSubstituter::EmitPastBuffer(const char* data, size_t size) {
  if (out_ == kInMemory) {
    outOfRoom_ = true;
    return false;
  }
  if (!Flush()) return false;
  if (size >= chunkSize_) {
    writeError_ = WriteAll(out_, data, size);
    return writeError_ == 0;
  }
  std::memcpy(output_.data(), data, size);
  pending_ = size;
  return true;
}

bool StreamSubstituter::Flush() {
  writeError_ = WriteAll(out_, output_.data(), pending_);
  pending_ = 0;
  return writeError_ == 0;
}

}  // namespace rquenz
