#pragma once

#include "archive/UserPrompt.h"

namespace vantry {

// The commands ask and tell through the archive's prompt, so that one window-layer
// implementation serves both.
using UserPrompt = archive::UserPrompt;

}  // namespace vantry
