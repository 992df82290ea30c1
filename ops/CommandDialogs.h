#pragma once

#include <cstdint>
#include <string>

// What the command dialogs show and give back, as plain records, and the interface the
// commands open them through. Each Run method fills the dialog from the record, and on OK
// writes the user's values back and returns true; Cancel returns false and leaves the
// record as it was.
namespace vantry::ops {

// "Select directory to copy to".
struct CopyToChoice {
  std::string folder;            // shown and read without a trailing "/"
  bool createNewFolder = false;  // unchecked: the folder must exist; checked: it must not
  bool deleteAfterCopy = false;
  bool showCommentDialog = false;
};

// "Comment".
struct CommentChoice {
  std::string comment;           // at most kMaxCommentLength characters
  bool automaticBackup = false;  // "Mark this site for automatic backup"
  bool backgroundSync = false;   // "Mark this site for background synchronization"
};
inline constexpr int kMaxCommentLength = 512;

// "Copy specified files".
struct CopyFilesChoice {
  std::string specifier;
  bool deleteAfterCopy = false;
  std::string folder;
  bool createNewFolder = false;
};

// "Find files".
struct FindFilesChoice {
  std::string name;
  bool byName = true;
  bool byDate = false;
  bool before = false;
  bool laterThan = false;
  bool exactlyAt = false;
  bool between = false;
  std::string date;       // the date of before, later than and exactly at; the from date of between
  std::string toDate;     // after "and"
  std::string thirdDate;  // checked like the others but not used by the search
  uint32_t showMask = 0;
  int dateFormat = 0;  // stored "Date_Format" value; the dialog shows its name
};

// "Search files for text".
struct SearchTextChoice {
  std::string text;
  bool searchCache = false;
  bool searchLocalCopies = false;
  bool searchCommentFields = false;
  bool searchAddressFields = false;
  bool caseSensitive = false;
};

class CommandDialogs {
 public:
  virtual ~CommandDialogs() = default;
  virtual bool RunCopyTo(CopyToChoice& choice) = 0;
  virtual bool RunComment(CommentChoice& choice) = 0;
  virtual bool RunCopyFiles(CopyFilesChoice& choice) = 0;
  // "Server to delete from cache".
  virtual bool RunServerDelete(std::string& text) = 0;
  virtual bool RunFindFiles(FindFilesChoice& choice) = 0;
  virtual bool RunSearchText(SearchTextChoice& choice) = 0;
};

}  // namespace vantry::ops
