#include "app/BrowserImportCommand.h"

#include <sstream>

#include "app/BrowserImportDialog.h"
#include "app/ImportProgressDialog.h"
#include "import/BrowserImport.h"
#include "qtutil/ByteText.h"

namespace vantry::app {

namespace {

constexpr const char* kTitle = "Import from browser";

std::string ProfileTitle(const import::BrowserProfile& profile) {
  return profile.browser + ", profile \"" + profile.name + "\"";
}

}  // namespace

void RunBrowserImport(const BrowserImportInputs& in, const import::HomeFolders& home, ImportAsked asked) {
  std::vector<import::ProfileOffer> offers = import::ProfilesToOffer(home);
  if (offers.empty()) {
    if (asked == ImportAsked::FromMenu) in.prompt.Tell("No browser profile was found.", kTitle);
    return;
  }
  BrowserImportDialog choice(offers, in.owner);
  if (choice.exec() != QDialog::Accepted) return;
  std::vector<size_t> chosen = choice.Chosen();

  std::ostringstream report;
  {
    ImportProgressDialog progress(in.owner);
    std::ostream discarded(nullptr);
    import::StoreOptions options;
    options.keepGoing = [&progress](size_t done, size_t total) { return progress.KeepGoing(done, total); };
    for (size_t i = 0; i < chosen.size(); ++i) {
      const import::BrowserProfile& profile = offers[chosen[i]].profile;
      progress.Begin(qtutil::QStringFromBytes("Importing " + ProfileTitle(profile) + " (" + std::to_string(i + 1) +
                                              " of " + std::to_string(chosen.size()) + ")"));
      import::ImportSummary summary = import::ImportBrowserProfile(profile, in.store, discarded, options);
      report << ProfileTitle(profile) << ":\n";
      import::PrintSummary(summary, report);
      if (summary.stopped) break;
    }
  }
  if (in.resetLists) in.resetLists();
  in.prompt.Tell(report.str(), kTitle);
}

}  // namespace vantry::app
