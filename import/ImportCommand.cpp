#include "import/ImportCommand.h"

#include <filesystem>

#include "import/ProfileImport.h"

namespace vantry::import {

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "usage: vantry-store import firefox [PROFILE]\n"
    "       vantry-store import chromium [PROFILE]\n"
    "       vantry-store import har FILE\n";

int Usage(std::ostream& err) {
  err << kUsage;
  return 2;
}

int Finish(const ImportSummary& summary, std::ostream& out, std::ostream& err) {
  PrintSummary(summary, out);
  if (summary.cookiesWithoutValue)
    err << "Note: " << summary.cookiesWithoutValue
        << " cookie values are encrypted with the desktop keyring and were imported with empty values.\n";
  bool nothing = summary.entriesImported() + summary.entriesUnchanged + summary.visitsImported +
                     summary.visitsUnchanged + summary.cookiesImported ==
                 0;
  return nothing && !summary.problems.empty() ? 1 : 0;
}

int ImportFirefox(const std::vector<std::string>& args, cache::UrlCacheStore& store, std::ostream& out,
                  std::ostream& err) {
  HomeFolders home = HomeFolders::FromEnvironment();
  FirefoxProfile profile;
  if (args.size() == 2) {
    std::error_code ec;
    if (!fs::is_directory(args[1], ec)) {
      err << "No Firefox profile folder at " << args[1] << ".\n";
      return 1;
    }
    profile = FirefoxProfileAt(args[1], home);
  } else {
    std::string error;
    std::optional<FirefoxProfile> found = FindDefaultFirefoxProfile(home, error);
    if (!found) {
      err << error << "\n";
      return 1;
    }
    profile = *found;
  }
  out << "Importing the Firefox profile " << profile.folder.string() << "\n";
  return Finish(ImportFirefoxProfile(profile, store, err), out, err);
}

int ImportChromium(const std::vector<std::string>& args, cache::UrlCacheStore& store, std::ostream& out,
                   std::ostream& err) {
  HomeFolders home = HomeFolders::FromEnvironment();
  std::vector<ChromiumProfile> profiles;
  if (args.size() == 2) {
    std::error_code ec;
    if (!fs::is_directory(args[1], ec)) {
      err << "No Chromium profile folder at " << args[1] << ".\n";
      return 1;
    }
    profiles.push_back(ChromiumProfileAt(args[1], home));
  } else {
    profiles = FindDefaultChromiumProfiles(home);
    if (profiles.empty()) {
      err << "No Chromium or Google Chrome profile in " << (home.config / "chromium/Default").string() << " or "
          << (home.config / "google-chrome/Default").string() << ".\n";
      return 1;
    }
  }
  for (const ChromiumProfile& profile : profiles)
    out << "Importing the Chromium profile " << profile.folder.string() << "\n";
  return Finish(ImportChromiumProfiles(profiles, store, err), out, err);
}

}  // namespace

int RunImportCommand(const std::vector<std::string>& args, cache::UrlCacheStore& store, std::ostream& out,
                     std::ostream& err) {
  if (args.empty() || args.size() > 2) return Usage(err);
  if (args[0] == "firefox") return ImportFirefox(args, store, out, err);
  if (args[0] == "chromium") return ImportChromium(args, store, out, err);
  if (args[0] == "har" && args.size() == 2) {
    out << "Importing the HTTP archive " << args[1] << "\n";
    return Finish(ImportHarFile(args[1], store, err), out, err);
  }
  return Usage(err);
}

}  // namespace vantry::import
