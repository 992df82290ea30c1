#include "tools/rquenz/StartChoice.h"

namespace rquenz {

StartChoice ChooseStart(std::string_view argument) {
  if (argument.starts_with("./")) return {false, std::string(argument.substr(2))};
  if (argument.starts_with("/")) return {true, std::string(argument.substr(1))};
  return {false, std::string(argument)};
}

NamePattern SplitPattern(std::string_view pattern) {
  const size_t slash = pattern.rfind('/');
  if (slash == std::string_view::npos) return {"", std::string(pattern)};
  // A pattern "/x" left after the start prefix names the root folder, not "".
  const std::string_view folder = slash == 0 ? pattern.substr(0, 1) : pattern.substr(0, slash);
  return {std::string(folder), std::string(pattern.substr(slash + 1))};
}

}  // namespace rquenz
