#include "app/tests/CacheRecordsDouble.h"

#include "cache/lists/SearchRequest.h"
#include "cache/lists/ShowMask.h"
#include "testing/FakePanes.h"

namespace vantry::app {

struct CacheRecordsDouble::Records {
  testing::FakePanes panes;
  cache::SearchRequest request;
  cache::ShowMask showMask;
  cache::CurrentEntry current;
};

CacheRecordsDouble::CacheRecordsDouble() : records_(std::make_unique<Records>()) {}
CacheRecordsDouble::~CacheRecordsDouble() = default;

CacheCommandInputs CacheRecordsDouble::Inputs(cache::UrlCacheStore& store, cache::FrameServices& frame,
                                              AppSettings& settings) {
  Records& r = *records_;
  return {.store = store,
          .frame = frame,
          .panes = r.panes,
          .request = r.request,
          .showMask = r.showMask,
          .current = r.current,
          .resetAlphaSort = {},
          .resetAccessSort = {},
          .resetHistory = {},
          .expandAlphaSortForFind = {},
          .showFindResults = {},
          .showStatistics = {},
          .archivePaths = {},
          .applicationSettings = settings.application(),
          .profile = settings.profile(),
          .parent = nullptr};
}

void CacheRecordsDouble::SetCurrent(const std::string& address, const std::string& localFile) {
  records_->current = {address, localFile};
}

std::string CacheRecordsDouble::CurrentLocalFile() const { return records_->current.localFileName; }

}  // namespace vantry::app
