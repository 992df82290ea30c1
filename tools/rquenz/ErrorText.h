#pragma once

#include <cstring>
#include <string>

namespace rquenz {

// "what: reason" for a failed system call's errno, as the tool reports it.
inline std::string ErrorText(const std::string& what, int error) { return what + ": " + std::strerror(error); }

}  // namespace rquenz
