// The files that list a user's browser profiles: profiles.ini, installs.ini and a
// profile's prefs.js for Firefox, "Local State" for the Chromium family (the input's
// NUL-separated fields, in that order).

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzInput.h"
#include "fuzz/ScratchFolder.h"
#include "import/BrowserPlaces.h"
#include "import/ChromiumProfileList.h"
#include "import/FirefoxProfileList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vantry::import;
  static const vantry::fuzz::ScratchFolder folder;
  vantry::fuzz::FuzzInput input(data, size);
  for (const char* name : {"profiles.ini", "installs.ini", "Profiles/p.default/prefs.js", "Local State"})
    folder.Write(name, input.Field());
  folder.Write("Default/Preferences", "{}");
  ListFirefoxProfiles({BrowserFamily::Firefox, "Firefox", folder.path(), {folder.path() / "cache"}, {}});
  ListChromiumProfiles({BrowserFamily::Chromium, "Chromium", folder.path(), {folder.path() / "cache"}, "Chromium"});
  return 0;
}
