#include "cache/lists/SelectionStep.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>

#include "cache/store/CacheAccess.h"

namespace vantry::cache {

namespace {

// The first bytes of a file, up to `limit`; nothing when it cannot be opened or read (a
// folder in its place).
std::optional<std::string> ReadFileStart(const std::string& path, size_t limit) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string bytes(limit, '\0');
  size_t got = 0;
  while (got < limit) {
    ssize_t read = ::read(fd, bytes.data() + got, limit - got);
    if (read < 0 && errno == EINTR) continue;
    if (read <= 0) {
      if (read < 0) got = std::string::npos;
      break;
    }
    got += static_cast<size_t>(read);
  }
  ::close(fd);
  if (got == std::string::npos) return std::nullopt;
  bytes.resize(got);
  return bytes;
}

void DecodeCookieFileOf(const CacheEntry& entry, EntryPanes& panes) {
  std::optional<std::string> bytes = ReadFileStart(entry.localFileName, kCookieFileReadLimit);
  if (!bytes) return;
  if (bytes->size() > kCookieFileWarnAbove) panes.Tell("What the hell is this? Cookie much too big!!!", "Read Cookie");
  panes.DecodeCookieFile(*bytes);
}

}  // namespace

void RunSelectionStep(const ListTabContext& context, std::string_view itemText, CookieFileStep cookieFile) {
  context.current.address = std::string(itemText);
  context.frame.SetAddress(itemText);

  std::optional<CacheEntry> entry = LookupEntry(context.store, itemText);
  if (entry) context.current.localFileName = entry->headerInfoSize() == 0 ? "None" : entry->localFileName;

  GoOffline(context.store);
  context.panes.ShowCurrentEntry(context.current);

  if (entry) {
    context.request.mode = SearchRequest::kNone;
    context.panes.ShowEntryProperties(*entry);
  }

  if (std::optional<std::string> cookies = GetCookieText(context.store, itemText)) {
    context.panes.ShowCookieBytes(*cookies);
    context.panes.ShowCookieText(*cookies);
  } else {
    context.panes.ShowCookieBytes({});
  }

  // The entry's own file, not the "None" shown for entries without headers, and only
  // when the lookup found it: a stale name would decode another site's cookies.
  if (cookieFile == CookieFileStep::Decode && entry && itemText.starts_with("Cookie:"))
    DecodeCookieFileOf(*entry, context.panes);
}

}  // namespace vantry::cache
