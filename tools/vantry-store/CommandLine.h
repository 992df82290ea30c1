#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vantry::storetool {

// The commands of vantry-store.
enum class Verb { Help, Demo, Synth, Add, Visit, Cookie, Remove, List, Stats, Import, Profiles, CopyTree, CopyPage };

// A command line checked in full: every value is in range before anything touches the store.
struct StoreToolCommand {
  Verb verb = Verb::Help;
  std::vector<std::string> operands;
  bool sticky = false;     // add --sticky
  bool secure = false;     // cookie --secure
  std::string path = "/";  // cookie --path
  int64_t days = 0;        // visit --days-ago, cookie --days (0: a session cookie)
  uint64_t count = 0;      // synth N
};

struct ParsedCommandLine {
  std::optional<StoreToolCommand> command;
  std::string error;  // why the line was refused, naming the word at fault
};

// Parses the arguments after the program name; "--help" and "-h" ask for the usage.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

// The usage text, naming the store folder the commands work on.
std::string UsageText(const std::filesystem::path& storeFolder);

}  // namespace vantry::storetool
