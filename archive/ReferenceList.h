#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace vantry::archive {

// What a list refuses besides duplicates, a lone slash or backslash, and values past capacity.
enum class ReferenceFilter {
  kNone,
  kNonPageSchemes,  // values containing "mailto:", "wais:", "ftp:", "news:" or "gopher:"
};

// An ordered list of distinct reference strings, kept in the order first added.
class ReferenceList {
 public:
  static constexpr std::size_t kPageCapacity = 500;
  static constexpr std::size_t kUnbounded = std::numeric_limits<std::size_t>::max();

  ReferenceList(std::size_t capacity, ReferenceFilter filter);

  // The link list of one page: at most 500 entries, non-page schemes refused.
  static ReferenceList ForLinks();
  // The image list of one page: at most 500 entries, any scheme.
  static ReferenceList ForImages();

  void StartOver();

  // Appends `value` unless the list's rules refuse it; returns whether it was appended.
  bool Add(std::string_view value);

  std::size_t Count() const { return entries_.size(); }
  // REQUIRES: n < Count().
  const std::string& Entry(std::size_t n) const { return entries_[n]; }
  const std::vector<std::string>& Entries() const { return entries_; }

 private:
  std::size_t capacity_;
  ReferenceFilter filter_;
  std::vector<std::string> entries_;
  std::unordered_set<std::string> seen_;
};

}  // namespace vantry::archive
