#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "cache/store/Sqlite.h"

namespace vantry::cache {

// Prepared statements of one connection, kept for its lifetime and keyed by their SQL
// text, so that a statement run once per row is prepared only once.
class StatementCache {
 public:
  // A statement lent out; reset when the loan ends, which clears its bindings and ends
  // the read it may hold open. Only one loan of the same SQL text at a time.
  class Loan {
   public:
    explicit Loan(SqliteStatement& statement) : statement_(statement) {}
    Loan(const Loan&) = delete;
    Loan& operator=(const Loan&) = delete;
    ~Loan() { statement_.Reset(); }
    SqliteStatement& operator*() const { return statement_; }
    SqliteStatement* operator->() const { return &statement_; }

   private:
    SqliteStatement& statement_;
  };

  explicit StatementCache(SqliteDatabase& db) : db_(db) {}
  // The statement for `sql`, prepared on first use; invalid when it does not prepare.
  Loan Get(std::string_view sql);

 private:
  struct TextHash : std::hash<std::string_view> {
    using is_transparent = void;
  };
  SqliteDatabase& db_;
  std::unordered_map<std::string, SqliteStatement, TextHash, std::equal_to<>> statements_;
};

}  // namespace vantry::cache
