#pragma once

#include <string>
#include <vector>

namespace vantry::import {

// The secrets that the desktop keyring (the Secret Service on the session D-Bus) keeps
// under the label `keyName` ("Chromium Safe Storage") in the schemas the Chromium-family
// browsers store their cookie key with. Only unlocked items are read: nothing asks the
// user to unlock. Empty when no keyring answers; no session bus is started for it.
std::vector<std::string> DesktopKeyringSecrets(const std::string& keyName);

}  // namespace vantry::import
