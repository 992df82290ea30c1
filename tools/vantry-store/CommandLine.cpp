#include "tools/vantry-store/CommandLine.h"

#include <cctype>
#include <charconv>
#include <string_view>

#include "text/AsciiText.h"

namespace vantry::storetool {

namespace {

constexpr uint64_t kMaxSynthetic = 10'000'000;
constexpr int64_t kMaxDays = 36'500;

struct VerbForm {
  std::string_view name;
  Verb verb;
  size_t minOperands;
  size_t maxOperands;
  std::string_view options;  // the options it takes, blank separated
  std::string_view synopsis;
  std::string_view summary;
};

constexpr VerbForm kVerbs[] = {
    {"demo", Verb::Demo, 0, 0, "", "demo", "add the bundled demo site: pages, images, cookies, history"},
    {"synth", Verb::Synth, 1, 1, "", "synth N", "add N synthetic entries after those in the store (benchmarks)"},
    {"add", Verb::Add, 2, 3, "--sticky", "add [--sticky] URL FILE [CONTENT-TYPE]",
     "add or replace the entry of URL with the bytes of FILE"},
    {"visit", Verb::Visit, 1, 1, "--days-ago", "visit [--days-ago N] ADDRESS",
     "record a visit of ADDRESS, now or N days ago"},
    {"cookie", Verb::Cookie, 3, 3, "--secure --path --days",
     "cookie [--secure] [--path PATH] [--days N] DOMAIN NAME VALUE",
     "set a cookie; a session cookie unless it expires in N days"},
    {"rm", Verb::Remove, 1, 1, "", "rm KEY", "delete the entry whose key is KEY (URL, Cookie:... or Visited: @...)"},
    {"list", Verb::List, 0, 1, "", "list [PREFIX]", "list the entries whose key begins with PREFIX (any case)"},
    {"stats", Verb::Stats, 0, 0, "", "stats", "count the content, cookie and history entries and their bytes"},
    {"profiles", Verb::Profiles, 0, 0, "", "profiles",
     "list the browser profiles found: browser, name, folder, cache folder (tab-separated)"},
    {"import", Verb::Import, 1, 2, "",
     "import firefox|chromium [PROFILE], import all, import PROFILE_FOLDER, import har FILE",
     "import browser profiles' caches, history and cookies (PROFILE: a name or folder; all: every profile "
     "found), or an HTTP Archive"},
    {"copy-tree", Verb::CopyTree, 2, 3, "", "copy-tree URL DEST [COMMENT]",
     "copy the cached site of URL's host into DEST with working links, as \"Copy reconstructing tree\""},
    {"copy-page", Verb::CopyPage, 2, 3, "", "copy-page URL DEST [COMMENT]",
     "copy the cached page URL and what it shows into DEST, as \"Copy single file\""},
    {"help", Verb::Help, 0, 0, "", "help, --help, -h", "show this text"},
};

bool HasOption(const VerbForm& form, std::string_view option) {
  for (size_t start = 0; start < form.options.size();) {
    size_t end = form.options.find(' ', start);
    if (end == std::string_view::npos) end = form.options.size();
    if (form.options.substr(start, end - start) == option) return true;
    start = end + 1;
  }
  return false;
}

bool HasControlCharacter(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
  return false;
}

template <typename Number>
bool ParseNumber(std::string_view text, Number low, Number high, Number& value) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && value >= low && value <= high;
}

// A web address as the store keys content: a scheme, "://" and a host.
bool IsWebAddress(std::string_view url) {
  size_t scheme = url.find("://");
  if (scheme == std::string_view::npos || scheme == 0) return false;
  for (char c : url.substr(0, scheme))
    if (!isalpha(static_cast<unsigned char>(c))) return false;
  std::string_view rest = url.substr(scheme + 3);
  return !rest.empty() && rest.front() != '/' && url.find(' ') == std::string_view::npos && !HasControlCharacter(url);
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// The checks of each verb's operands; empty when they are sound.
std::string CheckOperands(const StoreToolCommand& c) {
  const std::vector<std::string>& ops = c.operands;
  switch (c.verb) {
    case Verb::Add:
      if (!IsWebAddress(ops[0])) return "add: " + Quoted(ops[0]) + " is not a web address such as http://host/page";
      if (ops.size() == 3 && (ops[2].find('/') == std::string::npos || HasControlCharacter(ops[2])))
        return "add: " + Quoted(ops[2]) + " is not a content type such as text/html";
      return {};
    case Verb::Visit:
      if (ops[0].empty() || HasControlCharacter(ops[0])) return "visit: the address must be one line of text";
      return {};
    case Verb::Cookie: {
      std::string_view domain = ops[0], name = ops[1], value = ops[2];
      if (domain.empty() || domain == "." || domain.find_first_of("/@ ;=") != std::string_view::npos ||
          HasControlCharacter(domain))
        return "cookie: " + Quoted(domain) + " is not a domain such as .example.com";
      if (name.empty() || name.find_first_of(" ;=,") != std::string_view::npos || HasControlCharacter(name))
        return "cookie: " + Quoted(name) + " is not a cookie name";
      if (value.find_first_of(" ;,") != std::string_view::npos || HasControlCharacter(value))
        return "cookie: the value " + Quoted(value) + " holds a blank, ';', ',' or a control character";
      if (!c.path.starts_with('/') || c.path.find(' ') != std::string::npos || HasControlCharacter(c.path))
        return "cookie: the path " + Quoted(c.path) + " must begin with '/'";
      return {};
    }
    case Verb::Remove:
      if (ops[0].empty()) return "rm: the key is empty";
      return {};
    case Verb::CopyTree:
    case Verb::CopyPage: {
      const std::string verb = c.verb == Verb::CopyTree ? "copy-tree: " : "copy-page: ";
      if (!IsWebAddress(ops[0])) return verb + Quoted(ops[0]) + " is not a web address such as http://host/page";
      if (ops[1].empty() || HasControlCharacter(ops[1])) return verb + "the folder must be one line of text";
      if (ops.size() == 3 && HasControlCharacter(ops[2])) return verb + "the comment must be one line of text";
      return {};
    }
    default:
      return {};
  }
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  if (args.empty()) return {std::nullopt, "no command given"};
  if (args[0] == "--help" || args[0] == "-h") return {StoreToolCommand{}, {}};
  const VerbForm* form = nullptr;
  for (const VerbForm& candidate : kVerbs)
    if (args[0] == candidate.name) form = &candidate;
  if (form == nullptr) return {std::nullopt, "unknown command " + Quoted(args[0])};

  StoreToolCommand command;
  command.verb = form->verb;
  std::string prefix = std::string(form->name) + ": ";
  bool optionsEnded = false;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || !arg.starts_with("--")) {
      command.operands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    std::string option = arg.substr(0, arg.find('='));
    if (!HasOption(*form, option)) return {std::nullopt, prefix + "unknown option " + Quoted(arg)};
    std::optional<std::string> value;
    if (option.size() < arg.size()) value = arg.substr(option.size() + 1);
    bool takesValue = option == "--days-ago" || option == "--path" || option == "--days";
    if (takesValue && !value) {
      if (i + 1 == args.size()) return {std::nullopt, prefix + option + " needs a value"};
      value = args[++i];
    }
    if (!takesValue && value) return {std::nullopt, prefix + option + " takes no value"};
    if (option == "--sticky") command.sticky = true;
    if (option == "--secure") command.secure = true;
    if (option == "--path") command.path = *value;
    if (option == "--days-ago" && !ParseNumber<int64_t>(*value, 0, kMaxDays, command.days))
      return {std::nullopt, prefix + "--days-ago wants a number of days from 0 to 36500, not " + Quoted(*value)};
    if (option == "--days" && !ParseNumber<int64_t>(*value, 1, kMaxDays, command.days))
      return {std::nullopt, prefix + "--days wants a number of days from 1 to 36500, not " + Quoted(*value)};
  }
  if (command.operands.size() < form->minOperands || command.operands.size() > form->maxOperands)
    return {std::nullopt, prefix + "wrong number of arguments; usage: vantry-store " + std::string(form->synopsis)};
  if (command.verb == Verb::Synth && !ParseNumber<uint64_t>(command.operands[0], 1, kMaxSynthetic, command.count))
    return {std::nullopt, prefix + "N must be a whole number from 1 to 10000000, not " + Quoted(command.operands[0])};
  if (std::string problem = CheckOperands(command); !problem.empty()) return {std::nullopt, problem};
  return {command, {}};
}

std::string UsageText(const std::filesystem::path& storeFolder) {
  std::string text =
      "Usage: vantry-store COMMAND [ARGUMENTS]\n"
      "Fills and inspects the cache store that vantry shows: $VANTRY_STORE when set, else\n"
      "the default folder. Now: " +
      storeFolder.string() + "\n\nCommands:\n";
  for (const VerbForm& form : kVerbs) {
    std::string line = "  " + std::string(form.synopsis);
    line += line.size() < 28 ? std::string(28 - line.size(), ' ') : "\n" + std::string(28, ' ');
    text += line + std::string(form.summary) + "\n";
  }
  text += "\nExit status: 0 done, 1 failed (store error, no such entry, unreadable file), 2 usage error.\n";
  return text;
}

}  // namespace vantry::storetool
