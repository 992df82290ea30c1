#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cache/store/CacheEntry.h"
#include "cache/store/EntryOrigin.h"

namespace vantry::cache {

// Result codes of the store's operations, as callers test them; StoreErrorText
// (cache/store/StoreError.h) says each in words.
inline constexpr uint32_t STORE_OK = 0;
inline constexpr uint32_t ERROR_FILE_NOT_FOUND = 2;
inline constexpr uint32_t ERROR_PATH_NOT_FOUND = 3;  // a file or folder of the store is missing
inline constexpr uint32_t ERROR_ACCESS_DENIED = 5;   // permission denied
inline constexpr uint32_t ERROR_INVALID_HANDLE = 6;
inline constexpr uint32_t ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr uint32_t ERROR_WRITE_PROTECT = 19;  // the store is read-only
inline constexpr uint32_t ERROR_INVALID_PARAMETER = 87;
inline constexpr uint32_t ERROR_DISK_FULL = 112;
inline constexpr uint32_t ERROR_INSUFFICIENT_BUFFER = 122;
inline constexpr uint32_t ERROR_BUSY = 170;            // another program holds the store's index
inline constexpr uint32_t ERROR_FILE_TOO_LARGE = 223;  // larger than the system lets a file grow
inline constexpr uint32_t ERROR_NO_MORE_ITEMS = 259;
inline constexpr uint32_t ERROR_DIRECTORY = 267;  // a folder holds the name of one of the store's files
inline constexpr uint32_t ERROR_IO_DEVICE = 1117;
inline constexpr uint32_t ERROR_STORE_FAILURE = 1359;
inline constexpr uint32_t ERROR_FILE_CORRUPT = 1392;           // the store's index is damaged
inline constexpr uint32_t ERROR_CANT_RESOLVE_FILENAME = 1921;  // a symbolic link holds one of the store's names

// Field-control value of SetEntryInfo that replaces only the entry type.
inline constexpr uint32_t CACHE_ENTRY_ATTRIBUTE_FC = 4;

// Connected states of the offline switch.
inline constexpr uint32_t INTERNET_STATE_CONNECTED = 0x1;
inline constexpr uint32_t INTERNET_STATE_DISCONNECTED_BY_USER = 0x10;
inline constexpr uint32_t ISO_FORCE_DISCONNECTED = 0x1;

using WalkHandle = uint64_t;

// One cookie as the store keeps it in the site's cookie file.
struct Cookie {
  std::string name;
  std::string value;
  std::string domain;  // a leading "." lets sub-domains receive it
  std::string path = "/";
  uint32_t flags = 0;   // COOKIE_FLAG_* bits
  FileTime expiry = 0;  // 0: a session cookie, never expires in the store
  FileTime creation = 0;
};
inline constexpr uint32_t COOKIE_FLAG_SECURE = 0x1;
inline constexpr uint32_t COOKIE_FLAG_HTTPONLY = 0x2000;

// What a new or replaced content entry carries; the store chooses the file name.
struct NewEntry {
  std::string url;
  std::string content;
  std::string headers;
  uint32_t entryType = NORMAL_CACHE_ENTRY;
  FileTime lastModifiedTime = 0;
  FileTime expireTime = 0;
  FileTime lastAccessTime = 0;
  FileTime lastSyncTime = 0;
  uint32_t useCount = 1;
  uint32_t hitRate = 0;
  // Where an imported entry came from; nothing for one that was not imported from a browser.
  std::optional<EntryOrigin> origin = {};
};

// The URL cache and cookie store. All texts are bytes of any value and length.
// Walks and lookups use the buffer-size protocol: the caller offers a size, and an
// entry that does not fit fails with ERROR_INSUFFICIENT_BUFFER and the size needed.
class UrlCacheStore {
 public:
  virtual ~UrlCacheStore() = default;

  // Starts a walk over the entries whose URL begins with `pattern` (ignoring case;
  // empty: every entry), in the store's stable insertion order.
  // REQUIRES: size holds the size offered for `entry`.
  // Returns STORE_OK with the first entry and a handle, ERROR_INSUFFICIENT_BUFFER with
  // the needed size in `size` and a handle (call FindNextEntry to retry the same entry),
  // or ERROR_NO_MORE_ITEMS when nothing matches (no handle).
  virtual uint32_t FindFirstEntry(std::string_view pattern, CacheEntry& entry, uint32_t& size, WalkHandle& handle) = 0;
  // Next entry of the walk, or the same one again after ERROR_INSUFFICIENT_BUFFER.
  // Returns ERROR_NO_MORE_ITEMS at the normal end.
  virtual uint32_t FindNextEntry(WalkHandle handle, CacheEntry& entry, uint32_t& size) = 0;
  // Ends a walk; the handle is invalid afterwards.
  virtual void FindCloseWalk(WalkHandle handle) = 0;

  // The entry whose key is exactly `url`. With entry == nullptr, or a too small size,
  // fails with ERROR_INSUFFICIENT_BUFFER and the needed size; ERROR_FILE_NOT_FOUND when
  // no entry has that key.
  virtual uint32_t GetEntryInfo(std::string_view url, CacheEntry* entry, uint32_t& size) = 0;
  // With CACHE_ENTRY_ATTRIBUTE_FC replaces only the stored entry type by entry.entryType.
  virtual uint32_t SetEntryInfo(std::string_view url, const CacheEntry& entry, uint32_t fieldControl) = 0;
  // Removes the entry and its cached file.
  virtual uint32_t DeleteEntry(std::string_view url) = 0;
  // Where the entry of `url` was imported from; ERROR_FILE_NOT_FOUND when the store knows
  // no origin for it (a store that keeps none never does).
  virtual uint32_t GetEntryOrigin(std::string_view /*url*/, EntryOrigin& /*origin*/) { return ERROR_FILE_NOT_FOUND; }

  // The cookie text a browser would send to `url`. With buffer == nullptr writes the size
  // needed (0: the URL has no cookies); otherwise copies at most `size` bytes and writes
  // back the count copied, failing with ERROR_INSUFFICIENT_BUFFER when it does not fit.
  virtual uint32_t GetCookie(std::string_view url, char* buffer, uint32_t& size) = 0;

  // The offline switch; while disconnected nothing may be fetched from the network.
  virtual void SetConnectedState(uint32_t state, uint32_t flags) = 0;
  virtual bool IsOffline() const = 0;

  // Adds an entry or replaces the one with the same URL (which keeps its place in the
  // order), with the new entry's origin or none. The file is written completely before
  // the index row points at it.
  virtual uint32_t AddEntry(const NewEntry& entry) = 0;
  // Adds or replaces many entries as AddEntry does, committing them all at once: after
  // STORE_OK every entry is stored, after a failure none of them is (each file is still
  // written completely before any row points at it). Later duplicates of a URL win.
  virtual uint32_t AddEntries(std::span<const NewEntry> entries) = 0;
  // Records a visit of `address` as the history entry "Visited: @" + address.
  virtual uint32_t RecordVisit(std::string_view address, FileTime when, uint32_t visitCount) = 0;
  // Adds or replaces a cookie in its site's cookie file and keeps the site's "Cookie:" entry.
  virtual uint32_t SetCookie(const Cookie& cookie) = 0;

  // Folders of the store's layout.
  virtual std::filesystem::path RootFolder() const = 0;
  virtual std::filesystem::path ContentFolder() const = 0;
  virtual std::filesystem::path CookieFolder() const = 0;
};

// Opening a store either gives the store or a message that says why it could not.
struct StoreOpenResult {
  std::unique_ptr<UrlCacheStore> store;
  std::string error;
};

// Opens (creating when missing) the store kept in `folder`, and sweeps what an
// interrupted writer left behind.
StoreOpenResult OpenUrlCacheStore(const std::filesystem::path& folder);

// $VANTRY_STORE when set, else a folder under $XDG_DATA_HOME/Orlenvik/OfflineVantry/.
std::filesystem::path DefaultStoreFolder();

}  // namespace vantry::cache
