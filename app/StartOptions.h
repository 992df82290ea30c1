#pragma once

#include <string>

namespace vantry::app {

// What the command line of `vantry` asks for. Options it does not know are left to Qt
// (-platform, -style and the like).
struct StartOptions {
  enum class Action { Run, Help, Version };
  Action action = Action::Run;
  bool desktop = false;  // work in ~/Vantry, as the desktop entry starts the program
};

// The first of --help and --version decides; both answer without opening a window.
StartOptions ParseStartOptions(int argc, const char* const* argv);

// What `vantry --help` prints.
std::string UsageText();

}  // namespace vantry::app
