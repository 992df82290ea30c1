#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "archive/UserPrompt.h"
#include "cache/store/WorkProgress.h"

namespace vantry::archive {

// An address split for a check. Fails like the platform's splitter on a host longer than 255
// characters or a path longer than 2083 characters.
struct CheckedAddress {
  std::string scheme;  // lower case
  std::string host;
  int port = 0;      // 0: the scheme's default
  std::string path;  // path and query; the fragment is never sent
};
std::optional<CheckedAddress> SplitCheckedAddress(std::string_view address);

// Decides whether an address can be fetched from the network right now. One checker serves one
// copy or page check and keeps its connection handle for that time. A `work` given advances once
// per check and while a request waits for its answer; once the user stops it, the request under
// way ends and this and every later check fail at once.
class LinkChecker {
 public:
  explicit LinkChecker(UserPrompt& prompt, cache::WorkProgress* work = nullptr);
  ~LinkChecker();
  LinkChecker(const LinkChecker&) = delete;
  LinkChecker& operator=(const LinkChecker&) = delete;

  // http and https: an HTTP/1.0 GET answered with a status below 300 (redirects are not
  // followed); ftp: the file opens for reading; file: the path exists. Any other scheme is
  // reported ("URLschemata nicht erkannt", titled with the address) and fails; network errors
  // fail silently.
  bool CheckReference(std::string_view address);

  // The user stopped the checks.
  bool Stopped() const { return stopped_; }

 private:
  bool Check(std::string_view address);
  // Reports the checks finished so far; false once the user stopped them.
  bool Advance();
  static int OnRequestProgress(void* checker, int64_t, int64_t, int64_t, int64_t);
  // Requests the address and ends at the first bytes of content; true when the request was
  // answered (for ftp: the file opened).
  bool Fetch(const CheckedAddress& address);
  bool CheckHttp(const CheckedAddress& address);
  std::string UrlFor(const CheckedAddress& address) const;

  UserPrompt& prompt_;
  cache::WorkProgress* work_;
  uint64_t checked_ = 0;
  bool stopped_ = false;
  void* curl_;  // the libcurl easy handle, reused so that kept connections are reused
};

}  // namespace vantry::archive
