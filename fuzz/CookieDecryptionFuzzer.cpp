// A Chromium cookie's encrypted value (the rest of the input) with its host (the first
// field), a database version and a keyring password (the second field). Values this
// program encrypts must decrypt to what was encrypted.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/FuzzInput.h"
#include "import/CookieDecryption.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vantry::import;
  vantry::fuzz::FuzzInput input(data, size);
  const std::string_view host = input.Field();
  const std::string password(input.Field());
  const int version = input.Byte() % 32;
  const std::string_view value = input.Rest();
  const std::string passwords[] = {password};
  DecryptChromiumCookie(value, host, version, passwords);
  for (const std::string& encrypted :
       {EncryptChromiumCookieV10(value, host, version), EncryptChromiumCookieV11(value, host, version, password)}) {
    const CookieValue decrypted = DecryptChromiumCookie(encrypted, host, version, passwords);
    if (decrypted.state != CookieValueState::Decrypted || decrypted.value != value) std::abort();
  }
  return 0;
}
