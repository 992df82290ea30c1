#include "cache/store/StatementCache.h"

namespace vantry::cache {

StatementCache::Loan StatementCache::Get(std::string_view sql) {
  auto found = statements_.find(sql);
  if (found == statements_.end() || !found->second.valid())
    found = statements_.insert_or_assign(std::string(sql), db_.Prepare(sql)).first;
  return Loan(found->second);
}

}  // namespace vantry::cache
