// Text of the address box as a search request (the first field), and the
// request matched against an entry's address (the rest).

#include <cstddef>
#include <cstdint>
#include <string>

#include "cache/lists/AddressRequest.h"
#include "cache/lists/RequestMatching.h"
#include "cache/lists/SearchRequest.h"
#include "cache/store/CacheEntry.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vantry::cache;
  vantry::fuzz::FuzzInput input(data, size);
  SearchRequest request;
  ParseAddressRequest(input.Field(), request);
  CacheEntry entry;
  entry.sourceUrl = std::string(input.Rest());
  entry.headerInfo = "HTTP/1.1 200 OK\r\n\r\n";
  entry.lastSyncTime = 133'000'000'000'000'000;
  SplitUrlName(entry.sourceUrl);
  MatchesRequest(request, entry);
  return 0;
}
