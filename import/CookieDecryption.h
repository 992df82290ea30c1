#pragma once

#include <span>
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
// 16 blanks); "v11" values use the same derivation of a password from the desktop
// keyring: each of `keyringPasswords` is tried, then the empty one. From database
// version 24 on the plain text starts with SHA-256(host_key), which is checked and
// removed; before it only the padding tells a wrong key, so the empty password, which
// nothing could check, counts only from version 24 on.
CookieValue DecryptChromiumCookie(std::string_view encrypted, std::string_view hostKey, int databaseVersion,
                                  std::span<const std::string> keyringPasswords = {});

// Encrypts the way Chromium does with the fixed key, for tests and synthetic profiles.
std::string EncryptChromiumCookieV10(std::string_view value, std::string_view hostKey, int databaseVersion);
// The same as a "v11" value with the key derived from a keyring password.
std::string EncryptChromiumCookieV11(std::string_view value, std::string_view hostKey, int databaseVersion,
                                     std::string_view keyringPassword);

}  // namespace vantry::import
