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
#include "cache/store/StoreFolders.h"
#include "cache/store/StoreSchema.h"
#include "cache/store/UrlCacheStore.h"

namespace vantry::cache {

// One visit for SqliteUrlCacheStore::RecordVisits.
struct Visit {
  std::string address;
  FileTime when = 0;
  uint32_t visitCount = 1;
};

// The store kept in one folder: an SQLite index ("index.sqlite", WAL mode), the cached
// files in a few sub-folders of "content", and one cookie file per site in "cookies".
// Files are reserved in a "pending" table before they are written, so that whatever an
// interrupted writer leaves behind is found and removed by the next opener. The store's
// folders are held open and never followed where a link stands in their place. A store
// that may not be written is opened for reading; its writes fail with ERROR_WRITE_PROTECT.
class SqliteUrlCacheStore : public UrlCacheStore {
 public:
  // Opens the folder's store; error() is empty on success.
  explicit SqliteUrlCacheStore(const std::filesystem::path& folder);
  ~SqliteUrlCacheStore() override;
  const std::string& error() const { return error_; }
  bool readOnly() const { return readOnly_; }

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
  uint32_t AddEntries(std::span<const NewEntry> entries) override;
  uint32_t RecordVisit(std::string_view address, FileTime when, uint32_t visitCount) override;
  // Records the visits as RecordVisit does, committing them at once: after STORE_OK every
  // visit is recorded, after a failure none.
  uint32_t RecordVisits(std::span<const Visit> visits);
  uint32_t SetCookie(const Cookie& cookie) override;
  std::filesystem::path RootFolder() const override { return root_; }
  std::filesystem::path ContentFolder() const override { return root_ / "content"; }
  std::filesystem::path CookieFolder() const override { return root_ / "cookies"; }

 private:
  struct Walk;
  struct Row;
  // What a new entry's file came to: its path relative to the store folder, and how its
  // creation went (the errno of a failure).
  struct ContentFile {
    std::string relative;
    OpenFolder::Creation creation = OpenFolder::Creation::NameTaken;
    int error = 0;
  };

  bool OpenIndex(bool fresh);
  bool OpenIndexForReading();
  void SweepInterruptedWrites();
  uint32_t IndexFailure() const;
  std::optional<Row> FindRow(std::string_view url);
  std::string ReserveFile(const StoreFolder& folder, const std::string& name, bool lookAtDisk);
  uint32_t ReserveContentFiles(std::span<const NewEntry> entries, const std::vector<size_t>& which, bool lookAtDisk,
                               std::vector<ContentFile>& files);
  void CreateContentFiles(std::span<const NewEntry> entries, const std::vector<size_t>& which,
                          std::vector<ContentFile>& files) const;
  uint32_t NameAndCreateContentFiles(std::span<const NewEntry> entries, std::vector<ContentFile>& files,
                                     std::vector<std::string>& strays);
  uint32_t PutEntryRows(std::span<const NewEntry> entries, const std::vector<ContentFile>& files,
                        std::vector<std::string>& replaced);
  bool ReleasePending(const std::vector<std::string>& files);
  uint32_t ReleaseFile(std::string_view file);
  void RemoveStoreFiles(const std::vector<std::string>& files) const;
  uint32_t ReadCookieFile(const std::string& relative, std::string& text) const;
  bool FillBatch(Walk& walk);
  uint32_t NextInWalk(Walk& walk, CacheEntry& entry, uint32_t& size);
  void ToEntry(SqliteStatement& row, CacheEntry& entry) const;
  std::string UserName();
  std::string Absolute(std::string_view relative) const;
  uint32_t PutRow(const EntryColumns& row, std::vector<std::string>& replaced, bool* inserted = nullptr);

  std::filesystem::path root_;
  std::string rootPrefix_;  // root_ and a "/", the start of every absolute file name
  std::string error_;
  bool readOnly_ = false;
  SqliteDatabase db_;
  StatementCache statements_;
  StoreFolders folders_;
  // Per "folder/name": the number from which the next numbered variant is tried.
  std::unordered_map<std::string, unsigned> nextNumber_;
  int lockFd_ = -1;
  bool offline_ = false;
  std::string user_;
  WalkHandle nextHandle_ = 1;
  std::map<WalkHandle, std::unique_ptr<Walk>> walks_;
};

}  // namespace vantry::cache
