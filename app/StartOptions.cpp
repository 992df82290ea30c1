#include "app/StartOptions.h"

#include <string_view>

namespace vantry::app {

StartOptions ParseStartOptions(int argc, const char* const* argv) {
  StartOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--desktop") options.desktop = true;
    if (options.action != StartOptions::Action::Run) continue;
    if (argument == "--help" || argument == "-h") options.action = StartOptions::Action::Help;
    if (argument == "--version" || argument == "-v") options.action = StartOptions::Action::Version;
  }
  return options;
}

std::string UsageText() {
  return "Usage: vantry [--desktop]\n"
         "Explores the browser cache kept in the store ($VANTRY_STORE when set, else\n"
         "$XDG_DATA_HOME/Orlenvik/OfflineVantry/store). The archive files and the index page of\n"
         "local copies are kept in the working folder.\n"
         "\n"
         "Options:\n"
         "  --desktop      work in ~/Vantry, made with its start page when missing\n"
         "                 (the desktop entry starts vantry this way)\n"
         "  -h, --help     show this text\n"
         "  -v, --version  show the version\n";
}

}  // namespace vantry::app
