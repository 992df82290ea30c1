#include "archive/LinkChecker.h"

#include <curl/curl.h>
#include <unistd.h>

#include <charconv>
#include <mutex>
#include <type_traits>

#include "text/AsciiText.h"

namespace vantry::archive {
namespace {

constexpr std::size_t kMaxHost = 255;
constexpr std::size_t kMaxPath = 2083;
// The platform's own request limits stand in for timeouts: give up on a dead peer.
constexpr long kConnectTimeoutSeconds = 30;
constexpr long kStalledSeconds = 60;

// The request's progress callback is declared without curl's header.
static_assert(std::is_same_v<curl_off_t, int64_t>);

CURL* Handle(void* curl) { return static_cast<CURL*>(curl); }

// Ends the transfer at the first body bytes: the answer is known by then.
size_t StopAtBody(char*, size_t, size_t, void* stopped) {
  *static_cast<bool*>(stopped) = true;
  return 0;
}

bool IsHierarchical(std::string_view scheme) {
  return scheme == "http" || scheme == "https" || scheme == "ftp" || scheme == "file";
}

}  // namespace

std::optional<CheckedAddress> SplitCheckedAddress(std::string_view address) {
  const std::size_t colon = address.find(':');
  if (colon == std::string_view::npos || colon == 0) return std::nullopt;
  CheckedAddress split;
  split.scheme = text::ToLowerAscii(address.substr(0, colon));
  for (char c : split.scheme) {
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.')) {
      return std::nullopt;
    }
  }
  std::string_view rest = address.substr(colon + 1);
  rest = rest.substr(0, rest.find('#'));
  if (!rest.starts_with("//")) {
    if (IsHierarchical(split.scheme) && split.scheme != "file") return std::nullopt;
    split.path = std::string(rest);
    return split;
  }
  rest.remove_prefix(2);
  const std::size_t hostEnd = rest.find_first_of("/?");
  std::string_view host = rest.substr(0, hostEnd);
  split.path = hostEnd == std::string_view::npos ? "/" : std::string(rest.substr(hostEnd));
  if (split.path.front() == '?') split.path = "/" + split.path;
  if (const std::size_t at = host.rfind('@'); at != std::string_view::npos) host.remove_prefix(at + 1);
  if (const std::size_t portColon = host.rfind(':');
      portColon != std::string_view::npos && host.find(']', portColon) == std::string_view::npos) {
    const std::string_view digits = host.substr(portColon + 1);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), split.port);
    if (!digits.empty() && (error != std::errc() || end != digits.data() + digits.size())) {
      return std::nullopt;
    }
    host = host.substr(0, portColon);
  }
  split.host = std::string(host);
  if (split.host.size() > kMaxHost || split.path.size() > kMaxPath) return std::nullopt;
  return split;
}

LinkChecker::LinkChecker(UserPrompt& prompt, cache::WorkProgress* work) : prompt_(prompt), work_(work) {
  static std::once_flag globalInit;
  std::call_once(globalInit, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  curl_ = curl_easy_init();
}

LinkChecker::~LinkChecker() {
  if (curl_ != nullptr) curl_easy_cleanup(Handle(curl_));
}

bool LinkChecker::Advance() {
  if (!stopped_ && work_ != nullptr && !work_->Advance(checked_, 0)) stopped_ = true;
  return !stopped_;
}

int LinkChecker::OnRequestProgress(void* checker, int64_t, int64_t, int64_t, int64_t) {
  return static_cast<LinkChecker*>(checker)->Advance() ? 0 : 1;
}

bool LinkChecker::CheckReference(std::string_view address) {
  if (!Advance()) return false;
  const bool passed = Check(address);
  ++checked_;
  return passed;
}

bool LinkChecker::Check(std::string_view address) {
  const std::optional<CheckedAddress> split = SplitCheckedAddress(address);
  if (!split) return false;
  if (split->scheme == "http" || split->scheme == "https") return CheckHttp(*split);
  // A path ending in '/' names a folder, which does not open as a file.
  if (split->scheme == "ftp") return !split->path.ends_with('/') && Fetch(*split);
  if (split->scheme == "file") return ::access(split->path.c_str(), F_OK) == 0;
  prompt_.Tell("URLschemata nicht erkannt", std::string(address));
  return false;
}

std::string LinkChecker::UrlFor(const CheckedAddress& address) const {
  std::string url = address.scheme + "://" + address.host;
  if (address.port != 0) url += ":" + std::to_string(address.port);
  return url + address.path;
}

bool LinkChecker::Fetch(const CheckedAddress& address) {
  if (curl_ == nullptr) return false;
  CURL* curl = Handle(curl_);
  curl_easy_reset(curl);
  const std::string url = UrlFor(address);
  bool stopped = false;
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_PROXY, "");  // a direct connection, whatever the environment says
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, kStalledSeconds);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, StopAtBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &stopped);
  if (work_ != nullptr) {
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &LinkChecker::OnRequestProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, this);
  }
  if (address.scheme != "ftp") {
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
  }
  const CURLcode result = curl_easy_perform(curl);
  return result == CURLE_OK || (result == CURLE_WRITE_ERROR && stopped);
}

bool LinkChecker::CheckHttp(const CheckedAddress& address) {
  if (!Fetch(address)) return false;
  long status = 0;
  curl_easy_getinfo(Handle(curl_), CURLINFO_RESPONSE_CODE, &status);
  return status > 0 && status < 300;
}

}  // namespace vantry::archive
