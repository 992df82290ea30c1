#include "import/CookieDecryption.h"

#include <gtest/gtest.h>

namespace vantry::import {

namespace {

TEST(CookieDecryptionTest, FixedKeyValuesRoundTrip) {
  struct Case {
    std::string value;
    int version;
  } cases[] = {{"s3cr3t-value", 24}, {"", 24}, {std::string(85, 'L'), 24}, {"old-style", 23}, {"caf\xc3\xa9", 18}};
  for (const Case& c : cases) {
    std::string encrypted = EncryptChromiumCookieV10(c.value, ".a.test", c.version);
    EXPECT_TRUE(encrypted.starts_with("v10"));
    CookieValue decrypted = DecryptChromiumCookie(encrypted, ".a.test", c.version);
    EXPECT_EQ(decrypted.state, CookieValueState::Decrypted) << c.value;
    EXPECT_EQ(decrypted.value, c.value);
  }
}

// From database version 24 on, a value only counts when it was made for its own host.
TEST(CookieDecryptionTest, HostHashMustMatchTheCookiesHost) {
  std::string encrypted = EncryptChromiumCookieV10("value", "a.test", 24);
  EXPECT_EQ(DecryptChromiumCookie(encrypted, "a.test", 24).value, "value");
  EXPECT_EQ(DecryptChromiumCookie(encrypted, "b.test", 24).state, CookieValueState::Damaged);
}

TEST(CookieDecryptionTest, KeyringValuesAndDamageAreTold) {
  std::string v10 = EncryptChromiumCookieV10("value", "a.test", 24);
  std::string keyring = "v11" + v10.substr(3);  // a key from the keyring: not ours
  struct Case {
    std::string encrypted;
    CookieValueState state;
  } cases[] = {
      {keyring, CookieValueState::NeedsKeyring},
      {"v10", CookieValueState::Damaged},
      {"v10" + std::string(15, 'x'), CookieValueState::Damaged},
      {v10.substr(0, v10.size() - 16), CookieValueState::Damaged},
      {"v99" + v10.substr(3), CookieValueState::Damaged},
      {"", CookieValueState::Damaged},
  };
  for (const Case& c : cases) {
    CookieValue value = DecryptChromiumCookie(c.encrypted, "a.test", 24);
    EXPECT_EQ(value.state, c.state);
    EXPECT_EQ(value.value, "");
  }
}

TEST(CookieDecryptionTest, KeyringValuesOpenWithTheKeyringsPassword) {
  const std::vector<std::string> none, right = {"Y/hL4mP2ADWtgQd/fISCIA=="}, wrong = {"not-it"},
                                       secondRight = {"not-it", "Y/hL4mP2ADWtgQd/fISCIA=="};
  struct Case {
    int version;
    const std::vector<std::string>& passwords;
    CookieValueState state;
  } cases[] = {
      {24, right, CookieValueState::Decrypted},    {24, secondRight, CookieValueState::Decrypted},
      {24, wrong, CookieValueState::NeedsKeyring}, {24, none, CookieValueState::NeedsKeyring},
      {18, right, CookieValueState::Decrypted},    {18, none, CookieValueState::NeedsKeyring},
  };
  for (const Case& c : cases) {
    std::string encrypted = EncryptChromiumCookieV11("sid-value", "a.test", c.version, "Y/hL4mP2ADWtgQd/fISCIA==");
    EXPECT_TRUE(encrypted.starts_with("v11"));
    CookieValue value = DecryptChromiumCookie(encrypted, "a.test", c.version, c.passwords);
    EXPECT_EQ(value.state, c.state) << c.version << " " << c.passwords.size();
    EXPECT_EQ(value.value, c.state == CookieValueState::Decrypted ? "sid-value" : "");
  }
  // A value encrypted with an empty keyring password is told by its host hash alone.
  EXPECT_EQ(DecryptChromiumCookie(EncryptChromiumCookieV11("v", "a.test", 24, ""), "a.test", 24, wrong).value, "v");
  // The keyring's key opens "v11" values only; "v10" ones keep the fixed key.
  EXPECT_EQ(DecryptChromiumCookie(EncryptChromiumCookieV10("v", "a.test", 24), "a.test", 24, right).value, "v");
}

}  // namespace

}  // namespace vantry::import
