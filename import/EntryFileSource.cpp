#include "import/EntryFileSource.h"

#include <map>

#include "cache/store/StoreFiles.h"

namespace fs = std::filesystem;

namespace vantry::import {

namespace {

// Where the name of `file` starts, after its folder's part and the '/' that ends it.
size_t NameStart(const std::string& file) {
  size_t slash = file.rfind('/');
  return slash == std::string::npos ? 0 : slash + 1;
}

}  // namespace

// The folders of entry files held open, so that each file is opened by its name in its
// folder: a shorter lookup than its whole path.
class EntryFileSource::Folders {
 public:
  explicit Folders(const std::vector<std::string>& files) : files_(files), folderOf_(files.size()) {
    std::map<std::string_view, size_t> opened;
    std::string_view last;
    for (size_t i = 0; i < files.size(); ++i) {
      std::string_view folder = std::string_view(files[i]).substr(0, NameStart(files[i]));
      if (i > 0 && folder == last) {
        folderOf_[i] = folderOf_[i - 1];
        continue;
      }
      last = folder;
      auto [place, added] = opened.emplace(folder, folders_.size());
      if (added) folders_.emplace_back(folder.empty() ? fs::path(".") : fs::path(folder));
      folderOf_[i] = place->second;
    }
  }

  // Opens file `i`; by its whole path where its folder could not be held open.
  FileByteSource Open(size_t i) const {
    const cache::OpenFolder& folder = folders_[folderOf_[i]];
    const char* path = files_[i].c_str();
    if (!folder.ok()) return FileByteSource(path, AT_FDCWD);
    return FileByteSource(path + NameStart(files_[i]), folder.fd());
  }

 private:
  const std::vector<std::string>& files_;
  std::vector<cache::OpenFolder> folders_;
  std::vector<size_t> folderOf_;
};

EntryFileSource::EntryFileSource(std::vector<std::string> files, EntryParser parse, LastUseByName lastUse)
    : files_(std::move(files)),
      parse_(std::move(parse)),
      lastUse_(std::move(lastUse)),
      folders_(std::make_unique<Folders>(files_)) {}

EntryFileSource::~EntryFileSource() = default;

EntryRead EntryFileSource::Read(size_t index) const {
  FileByteSource file = folders_->Open(index);
  if (file.ok() && file.Size() > kMaxEntrySize) return {std::nullopt, {}, kEntryTooLarge};
  std::string bytes;
  if (!file.ok() || !file.Read(0, file.Size(), bytes)) return {std::nullopt, {}, "entry file could not be read"};
  ParsedEntry parsed = parse_(StringByteSource(bytes));
  if (!parsed.entry) {
    return {std::nullopt, {}, parsed.damaged ? "damaged entry file (" + parsed.problem + ")" : parsed.problem};
  }
  ImportedEntry& entry = *parsed.entry;
  entry.entryFile = files_[index];
  if (lastUse_)
    entry.lastFetched =
        std::max(entry.lastFetched, lastUse_(std::string_view(files_[index]).substr(NameStart(files_[index]))));
  // The body is a stretch of the file: keep just that, without a copy.
  bytes.resize(entry.bodyOffset + entry.bodySize);
  bytes.erase(0, entry.bodyOffset);
  return {std::move(parsed.entry), std::move(bytes), {}};
}

}  // namespace vantry::import
