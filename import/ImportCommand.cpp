#include "import/ImportCommand.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "import/BrowserImport.h"
#include "import/ProfileDiscovery.h"
#include "import/ProfileImport.h"
#include "import/StoreWriteProblem.h"

namespace vantry::import {

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "usage: vantry-store import firefox|chromium [PROFILE]\n"
    "       vantry-store import all\n"
    "       vantry-store import PROFILE_FOLDER\n"
    "       vantry-store import har FILE\n";
constexpr const char* kPrefix = "vantry-store: import: ";

int Failure(const std::string& problem, std::ostream& err) {
  err << kPrefix << problem << "\n";
  return 1;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string ImportArgumentsProblem(const std::vector<std::string>& args) {
  if (args.empty()) return "say what to import";
  const std::string& what = args[0];
  bool named = what == "firefox" || what == "chromium" || what == "all" || what == "har";
  size_t allowed = what == "har" || what == "firefox" || what == "chromium" ? 2 : 1;
  std::error_code ec;
  if (!named && !fs::is_directory(what, ec))
    return Quoted(what) + " is not firefox, chromium, all, har or a profile folder";
  if (args.size() > allowed) return "too many arguments after " + Quoted(what);
  if (what == "har" && args.size() < 2) return "har needs the FILE to import";
  return {};
}

const char* FamilyName(BrowserFamily family) { return family == BrowserFamily::Firefox ? "Firefox" : "Chromium"; }

int Finish(ImportSummary& summary, cache::UrlCacheStore& store, std::ostream& out, std::ostream& err) {
  if (size_t refused = summary.storeRefusals()) {
    std::string why = StoreWriteProblem(store);
    summary.problems.push_back("The store could not take " + std::to_string(refused) +
                               " of the entries, visits and cookies" +
                               (why.empty() ? std::string(" (it gave no reason).") : ": " + why + "."));
  }
  PrintSummary(summary, out);
  if (summary.cookiesWithoutValue)
    err << "vantry-store: note: " << summary.cookiesWithoutValue
        << " cookie values are encrypted with the desktop keyring and were imported with empty values.\n";
  size_t taken = summary.entriesImported() + summary.entriesUnchanged + summary.visitsImported +
                 summary.visitsUnchanged + summary.cookiesImported;
  return summary.storeRefusals() || (taken == 0 && !summary.problems.empty()) ? 1 : 0;
}

int ImportProfile(const BrowserProfile& profile, cache::UrlCacheStore& store, std::ostream& out, std::ostream& err) {
  out << "Importing the " << profile.browser << " profile " << profile.folder.string() << "\n";
  ImportSummary summary = ImportBrowserProfile(profile, store, err);
  return Finish(summary, store, out, err);
}

int ImportProfiles(const std::vector<BrowserProfile>& profiles, cache::UrlCacheStore& store, std::ostream& out,
                   std::ostream& err) {
  int code = 0;
  for (const BrowserProfile& profile : profiles) code = std::max(code, ImportProfile(profile, store, out, err));
  return code;
}

// The default profiles of a family: Firefox's one, each Chromium-family browser's. Says
// why on `err` when there is none.
std::vector<BrowserProfile> DefaultProfiles(BrowserFamily family, const HomeFolders& home, std::ostream& err) {
  std::vector<BrowserProfile> profiles;
  if (family == BrowserFamily::Firefox) {
    std::string error;
    if (std::optional<FirefoxProfile> found = FindDefaultFirefoxProfile(home, error))
      profiles.push_back(ProfileAt(family, found->folder, home));
    else
      Failure(error, err);
    return profiles;
  }
  for (BrowserProfile& profile : FindBrowserProfiles(home))
    if (profile.family == family && profile.isDefault) profiles.push_back(std::move(profile));
  if (profiles.empty())
    Failure("no profile of Chromium, Google Chrome, Brave, Microsoft Edge, Vivaldi or Opera was found", err);
  return profiles;
}

// "firefox|chromium [PROFILE]": PROFILE is a folder, else a profile's name or folder name.
int ImportFamily(BrowserFamily family, const std::vector<std::string>& args, cache::UrlCacheStore& store,
                 std::ostream& out, std::ostream& err) {
  HomeFolders home = HomeFolders::FromEnvironment();
  if (args.size() == 1) {
    std::vector<BrowserProfile> profiles = DefaultProfiles(family, home, err);
    return profiles.empty() ? 1 : ImportProfiles(profiles, store, out, err);
  }
  const std::string& wanted = args[1];
  std::error_code ec;
  if (fs::is_directory(wanted, ec)) return ImportProfile(ProfileAt(family, wanted, home), store, out, err);
  std::vector<BrowserProfile> named;
  for (BrowserProfile& profile : FindBrowserProfiles(home))
    if (profile.family == family && (profile.name == wanted || profile.folder.filename() == wanted))
      named.push_back(std::move(profile));
  if (named.empty() && wanted.find('/') != std::string::npos)
    return Failure(std::string("no ") + FamilyName(family) + " profile folder at " + Quoted(wanted), err);
  if (named.empty())
    return Failure(std::string("no ") + FamilyName(family) + " profile is named " + Quoted(wanted) +
                       " (\"vantry-store profiles\" lists them)",
                   err);
  return ImportProfiles(named, store, out, err);
}

int ImportFolder(const fs::path& folder, cache::UrlCacheStore& store, std::ostream& out, std::ostream& err) {
  std::optional<BrowserFamily> family = ProfileFamilyOf(folder);
  if (!family)
    return Failure(Quoted(folder.string()) +
                       " is not a browser profile folder: it holds neither prefs.js, places.sqlite or cache2 "
                       "(Firefox) nor Preferences, History or Cache (Chromium)",
                   err);
  return ImportProfile(ProfileAt(*family, folder, HomeFolders::FromEnvironment()), store, out, err);
}

int ImportAll(cache::UrlCacheStore& store, std::ostream& out, std::ostream& err) {
  std::vector<BrowserProfile> profiles = FindBrowserProfiles(HomeFolders::FromEnvironment());
  if (profiles.empty()) return Failure("no browser profile was found (\"vantry-store profiles\" lists them)", err);
  return ImportProfiles(profiles, store, out, err);
}

}  // namespace

bool CheckImportArguments(const std::vector<std::string>& args, std::ostream& err) {
  std::string problem = ImportArgumentsProblem(args);
  if (problem.empty()) return true;
  err << kPrefix << problem << "\n" << kUsage;
  return false;
}

int RunImportCommand(const std::vector<std::string>& args, cache::UrlCacheStore& store, std::ostream& out,
                     std::ostream& err) {
  if (!CheckImportArguments(args, err)) return 2;
  const std::string& what = args[0];
  if (what == "firefox") return ImportFamily(BrowserFamily::Firefox, args, store, out, err);
  if (what == "chromium") return ImportFamily(BrowserFamily::Chromium, args, store, out, err);
  if (what == "all") return ImportAll(store, out, err);
  if (what == "har") {
    std::error_code ec;
    if (fs::is_directory(args[1], ec)) return Failure(Quoted(args[1]) + " is a folder, not an HTTP archive", err);
    out << "Importing the HTTP archive " << args[1] << "\n";
    ImportSummary summary = ImportHarFile(args[1], store, err);
    return Finish(summary, store, out, err);
  }
  return ImportFolder(what, store, out, err);
}

}  // namespace vantry::import
