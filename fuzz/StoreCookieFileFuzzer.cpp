// A site's cookie file in the store, and the cookies it sends to an address (the first field).

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "cache/store/CookieFile.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vantry::cache;
  vantry::fuzz::FuzzInput input(data, size);
  const std::string_view url = input.Field();
  const std::vector<Cookie> cookies = ParseCookieFile(input.Rest());
  ParseCookieFile(FormatCookieFile(cookies));
  CookieTarget target;
  std::vector<Cookie> sent;
  if (ParseCookieTarget(url, target)) {
    for (const Cookie& cookie : cookies) {
      if (CookieMatches(cookie, target, 133'000'000'000'000'000)) sent.push_back(cookie);
      CookieSite(cookie.domain);
    }
  }
  JoinCookieText(sent);
  return 0;
}
