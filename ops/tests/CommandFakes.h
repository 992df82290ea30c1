#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "ops/CopyCommands.h"
#include "ops/FindCommands.h"
#include "ops/PageCheckCommand.h"

// Recording stand-ins for the archive, the AlphaSort list and the page check.
namespace vantry::ops {

struct CopyCall {
  std::string kind;  // "page" or "tree"
  std::string localFile, address, folder;
  int pageCount;
  archive::CopyFlags flags;
  std::string comment;
  bool newFolder;
  bool operator==(const CopyCall&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const CopyCall& c) {
  return out << c.kind << " " << c.folder << " n=" << c.pageCount << " flags=" << c.flags << " \"" << c.comment
             << "\" new=" << c.newFolder;
}

class FakeArchive : public CopyArchive {
 public:
  ServerRecord FindServerRecord(const std::string& server) override {
    askedFor.push_back(server);
    return records.contains(server) ? records[server] : ServerRecord{"", 77, "left over"};
  }
  CopyOutcome CopySinglePage(const std::string& localFile, const std::string& address, const std::string& folder,
                             int pageCount, archive::CopyFlags flags, const std::string& comment,
                             bool newFolder) override {
    calls.push_back({"page", localFile, address, folder, pageCount, flags, comment, newFolder});
    return outcome;
  }
  CopyOutcome CopySiteTree(const std::string& localFile, const std::string& address, const std::string& folder,
                           archive::CopyFlags flags, const std::string& comment, bool newFolder,
                           cache::WorkProgress& work) override {
    calls.push_back({"tree", localFile, address, folder, 0, flags, comment, newFolder});
    work.Advance(1, 2);
    return outcome;
  }
  std::map<std::string, ServerRecord> records;
  std::vector<std::string> askedFor;
  std::vector<CopyCall> calls;
  CopyOutcome outcome{true, 3};  // what every copy reports
};

inline std::string DateText(const dates::CalendarDate& date) {
  return std::to_string(date.Year()) + "-" + std::to_string(date.Month()) + "-" + std::to_string(date.Day());
}

// Writes every change as one line, so a test compares the whole sequence.
class RecordingTarget : public FindTarget {
 public:
  void SetRequestMode(int mode) override { calls.push_back("mode " + std::to_string(mode)); }
  void RequestSubstring(std::string_view text) override { calls.push_back("substring " + std::string(text)); }
  void RequestWildcard(std::string_view text) override { calls.push_back("wildcard " + std::string(text)); }
  void RequestDate(int mode, const dates::CalendarDate& date) override {
    calls.push_back("date " + std::to_string(mode) + " " + DateText(date));
  }
  void RequestDateRange(const dates::CalendarDate& from, const dates::CalendarDate& to) override {
    calls.push_back("range " + DateText(from) + " " + DateText(to));
  }
  void SetShowMask(uint32_t mask) override { calls.push_back("mask " + std::to_string(mask)); }
  void ShowOpenedAddress(const OpenedAddress& shown) override {
    calls.push_back("open " + shown.address);
    opened = shown;
  }
  void ExpandForFind() override { calls.push_back("expand"); }
  std::vector<std::string> calls;
  OpenedAddress opened;
};

class RecordingLocalCopies : public LocalCopySearch {
 public:
  bool SearchCopiedPages(const TextQuery& query, std::vector<std::string>& results,
                         cache::WorkProgress& work) override {
    results.push_back("copied " + query.text + (query.caseSensitive ? " cs" : ""));
    return work.Advance(1, 1);
  }
  void SearchHistoryFields(const TextQuery& query, bool addressMode, std::vector<std::string>& results) override {
    results.push_back((addressMode ? "address " : "comment ") + query.text);
  }
};

class FakePageChecker : public PageChecker {
 public:
  std::string CheckPage(const std::string& cachedFile, Report report, cache::WorkProgress& work) override {
    checked.push_back(cachedFile);
    work.Advance(1, 0);
    return report == Report::Passed ? "2 links                1 Images \nLink OK: http://a/\n" : "DEAD Img: x.gif\n";
  }
  std::vector<std::string> checked;
};

}  // namespace vantry::ops
