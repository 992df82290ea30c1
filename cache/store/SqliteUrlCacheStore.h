#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "cache/store/Sqlite.h"
#include "cache/store/StatementCache.h"
#include "cache/store/StoreFiles.h"
#include "cache/store/UrlCacheStore.h"

namespace vantry::cache {

// The store kept in one folder: an SQLite index ("index.sqlite", WAL mode), the cached
// files in a few sub-folders of "content", and one cookie file per site in "cookies".
// Files are reserved in a "pending" table before they are written, so that whatever an
// interrupted writer leaves behind is found and removed by the next opener.
class SqliteUrlCacheStore : public UrlCacheStore {
 public:
  // Opens the folder's store; error() is empty on success.
  explicit SqliteUrlCacheStore(const std::filesystem::path& folder);
  ~SqliteUrlCacheStore() override;
  const std::string& error() const { return error_; }

  uint32_t FindFirstEntry(std::string_view pattern, CacheEntry& entry, uint32_t& size, WalkHandle& handle) override;
  uint32_t FindNextEntry(WalkHandle handle, CacheEntry& entry, uint32_t& size) override;
  void FindCloseWalk(WalkHandle handle) override;
  uint32_t GetEntryInfo(std::string_view url, CacheEntry* entry, uint32_t& size) override;
  uint32_t SetEntryInfo(std::string_view url, const CacheEntry& entry, uint32_t fieldControl) override;
  uint32_t DeleteEntry(std::string_view url) override;
  uint32_t GetEntryOrigin(std::string_view url, EntryOrigin& origin) override;
  uint32_t GetCookie(std::string_view url, char* buffer, uint32_t& size) override;
  void SetConnectedState(uint32_t state, uint32_t flags) override;
  bool IsOffline() const override { return offline_; }
  uint32_t AddEntry(const NewEntry& entry) override;
  uint32_t RecordVisit(std::string_view address, FileTime when, uint32_t visitCount) override;
  uint32_t SetCookie(const Cookie& cookie) override;
  std::filesystem::path RootFolder() const override { return root_; }
  std::filesystem::path ContentFolder() const override { return root_ / "content"; }
  std::filesystem::path CookieFolder() const override { return root_ / "cookies"; }

  uint32_t AddEntries(std::span<const NewEntry> entries) override;

 private:
  struct Walk;
  struct Row;
  // A folder of the store held open, with its path relative to the store folder ("cookies/").
  struct Folder {
    OpenFolder files;
    std::string relative;
  };

  bool OpenIndex();
  void SweepInterruptedWrites();
  std::optional<Row> FindRow(std::string_view url);
  Folder OpenStoreFolder(const std::string& relative) const;
  std::string ReserveFile(const Folder& folder, const std::string& name, bool lookAtDisk);
  bool ReserveContentFiles(std::span<const NewEntry> entries, const std::vector<size_t>& which, bool lookAtDisk,
                           std::vector<std::string>& files);
  void CreateContentFiles(std::span<const NewEntry> entries, const std::vector<size_t>& which,
                          const std::vector<std::string>& files, std::vector<OpenFolder::Creation>& created) const;
  bool ReleasePending(const std::vector<std::string>& files);
  bool FillBatch(Walk& walk);
  uint32_t NextInWalk(Walk& walk, CacheEntry& entry, uint32_t& size);
  void ToEntry(SqliteStatement& row, CacheEntry& entry) const;
  std::string UserName();
  std::filesystem::path Absolute(std::string_view relative) const { return root_ / relative; }
  uint32_t PutRow(const Row& row, const std::optional<Row>& old);

  std::filesystem::path root_;
  std::string error_;
  SqliteDatabase db_;
  StatementCache statements_;
  std::vector<Folder> contentFolders_;  // content/c0, content/c1, ...
  Folder cookieFolder_;
  // Per "folder/name": the number from which the next numbered variant is tried.
  std::unordered_map<std::string, unsigned> nextNumber_;
  int lockFd_ = -1;
  bool offline_ = false;
  std::string user_;
  WalkHandle nextHandle_ = 1;
  std::map<WalkHandle, std::unique_ptr<Walk>> walks_;
};

}  // namespace vantry::cache
