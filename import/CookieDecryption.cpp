#include "import/CookieDecryption.h"

#include <openssl/evp.h>
#include <openssl/sha.h>

#include <array>
#include <memory>
#include <optional>

namespace vantry::import {

namespace {

constexpr int kHostHashVersion = 24;
constexpr size_t kHostHashSize = 32;
using Key = std::array<unsigned char, 16>;

Key KeyFromPassword(std::string_view password) {
  Key key{};
  static const char kSalt[] = "saltysalt";
  PKCS5_PBKDF2_HMAC_SHA1(password.data(), static_cast<int>(password.size()),
                         reinterpret_cast<const unsigned char*>(kSalt), sizeof(kSalt) - 1, 1,
                         static_cast<int>(key.size()), key.data());
  return key;
}

// AES-128-CBC with the fixed IV of 16 blanks and PKCS#7 padding; nothing on bad padding.
std::optional<std::string> RunCipher(const Key& key, std::string_view input, bool encrypt) {
  static const unsigned char kIv[16] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
  std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> context(EVP_CIPHER_CTX_new(), EVP_CIPHER_CTX_free);
  if (!context || EVP_CipherInit_ex(context.get(), EVP_aes_128_cbc(), nullptr, key.data(), kIv, encrypt ? 1 : 0) != 1)
    return std::nullopt;
  std::string output(input.size() + 16, '\0');
  int written = 0, last = 0;
  auto* out = reinterpret_cast<unsigned char*>(output.data());
  if (EVP_CipherUpdate(context.get(), out, &written, reinterpret_cast<const unsigned char*>(input.data()),
                       static_cast<int>(input.size())) != 1 ||
      EVP_CipherFinal_ex(context.get(), out + written, &last) != 1)
    return std::nullopt;
  output.resize(static_cast<size_t>(written + last));
  return output;
}

std::string HostHash(std::string_view hostKey) {
  unsigned char digest[SHA256_DIGEST_LENGTH];
  SHA256(reinterpret_cast<const unsigned char*>(hostKey.data()), hostKey.size(), digest);
  return std::string(reinterpret_cast<char*>(digest), sizeof(digest));
}

std::optional<std::string> Decrypt(const Key& key, std::string_view cipherText, std::string_view hostKey,
                                   int databaseVersion) {
  if (cipherText.empty() || cipherText.size() % 16 != 0) return std::nullopt;
  std::optional<std::string> plain = RunCipher(key, cipherText, false);
  if (!plain || databaseVersion < kHostHashVersion) return plain;
  if (plain->size() < kHostHashSize || plain->compare(0, kHostHashSize, HostHash(hostKey)) != 0) return std::nullopt;
  return plain->substr(kHostHashSize);
}

std::string Encrypt(std::string_view prefix, std::string_view password, std::string_view value,
                    std::string_view hostKey, int databaseVersion) {
  std::string plain = (databaseVersion >= kHostHashVersion ? HostHash(hostKey) : std::string()) + std::string(value);
  return std::string(prefix) + RunCipher(KeyFromPassword(password), plain, true).value_or(std::string());
}

}  // namespace

CookieValue DecryptChromiumCookie(std::string_view encrypted, std::string_view hostKey, int databaseVersion,
                                  std::span<const std::string> keyringPasswords) {
  static const Key kFixedKey = KeyFromPassword("peanuts");
  static const Key kEmptyKeyringKey = KeyFromPassword("");
  std::string_view prefix = encrypted.substr(0, 3);
  std::string_view cipherText = encrypted.substr(std::min<size_t>(3, encrypted.size()));
  if (prefix == "v10") {
    if (auto plain = Decrypt(kFixedKey, cipherText, hostKey, databaseVersion))
      return {CookieValueState::Decrypted, std::move(*plain)};
    return {};
  }
  if (prefix == "v11") {
    for (const std::string& password : keyringPasswords)
      if (auto plain = Decrypt(KeyFromPassword(password), cipherText, hostKey, databaseVersion))
        return {CookieValueState::Decrypted, std::move(*plain)};
    // Only a verifiable result counts: without the host hash a wrong key could pass.
    if (databaseVersion >= kHostHashVersion)
      if (auto plain = Decrypt(kEmptyKeyringKey, cipherText, hostKey, databaseVersion))
        return {CookieValueState::Decrypted, std::move(*plain)};
    return {CookieValueState::NeedsKeyring, {}};
  }
  return {};
}

std::string EncryptChromiumCookieV10(std::string_view value, std::string_view hostKey, int databaseVersion) {
  return Encrypt("v10", "peanuts", value, hostKey, databaseVersion);
}

std::string EncryptChromiumCookieV11(std::string_view value, std::string_view hostKey, int databaseVersion,
                                     std::string_view keyringPassword) {
  return Encrypt("v11", keyringPassword, value, hostKey, databaseVersion);
}

}  // namespace vantry::import
