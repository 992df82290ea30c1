#pragma once

#include <string>
#include <string_view>

namespace vantry::import {

// What became of an encrypted Chromium cookie value.
enum class CookieValueState { Decrypted, NeedsKeyring, Damaged };

struct CookieValue {
  CookieValueState state = CookieValueState::Damaged;
  std::string value;
};

// Decrypts a Chromium "encrypted_value" on Linux. "v10" values use the fixed key
// (PBKDF2-HMAC-SHA1 of "peanuts" with salt "saltysalt", one round, AES-128-CBC, IV of
// 16 blanks); "v11" values use a key from the desktop keyring and are readable only
// when that key was empty. From database version 24 on the plain text starts with
// SHA-256(host_key), which is checked and removed.
CookieValue DecryptChromiumCookie(std::string_view encrypted, std::string_view hostKey, int databaseVersion);

// Encrypts the way Chromium does with the fixed key, for tests and synthetic profiles.
std::string EncryptChromiumCookieV10(std::string_view value, std::string_view hostKey, int databaseVersion);

}  // namespace vantry::import
