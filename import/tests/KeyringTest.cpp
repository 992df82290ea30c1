// Cookie values encrypted with a key from the desktop keyring, read through a real
// gnome-keyring-daemon. Run through RunWithKeyring.sh, which starts one on a private
// session bus with a throw-away, unlocked keyring.
#include <libsecret/secret.h>

#include <gtest/gtest.h>

#include "cache/store/CacheAccess.h"
#include "cache/store/Sqlite.h"
#include "import/CookieDecryption.h"
#include "import/tests/ImportTestSupport.h"

namespace vantry::import {

namespace fs = std::filesystem;

namespace {

// The key Chromium made when it wrote the real cookie jar kept with the test data.
const char kChromiumSecret[] = "Y/hL4mP2ADWtgQd/fISCIA==";
const char kSchemaV2[] = "chrome_libsecret_os_crypt_password_v2";
const char kSchemaV1[] = "chrome_libsecret_os_crypt_password";

// Stores `secret` as the browsers do: in `schemaName`, under `label`, with the v2
// schema's "application" attribute where one is given.
void StoreKeyringItem(const char* schemaName, const char* label, const char* application, const std::string& secret) {
  SecretSchema schema{};
  schema.name = schemaName;
  schema.flags = SECRET_SCHEMA_DONT_MATCH_NAME;
  if (application) schema.attributes[0] = {"application", SECRET_SCHEMA_ATTRIBUTE_STRING};
  GError* error = nullptr;
  gboolean stored = application ? secret_password_store_sync(&schema, SECRET_COLLECTION_DEFAULT, label, secret.c_str(),
                                                             nullptr, &error, "application", application, nullptr)
                                : secret_password_store_sync(&schema, SECRET_COLLECTION_DEFAULT, label, secret.c_str(),
                                                             nullptr, &error, nullptr);
  ASSERT_TRUE(stored) << (error ? error->message : "no reason");
}

void LockEveryCollection() {
  GError* error = nullptr;
  SecretService* service = secret_service_get_sync(SECRET_SERVICE_LOAD_COLLECTIONS, nullptr, &error);
  ASSERT_NE(service, nullptr) << error->message;
  GList* collections = secret_service_get_collections(service);
  ASSERT_GT(secret_service_lock_sync(service, collections, nullptr, nullptr, &error), 0) << error->message;
  g_list_free_full(collections, g_object_unref);
  g_object_unref(service);
}

// A home folder of its own for each test, so that "import all" sees only its profiles.
struct KeyringHome {
  testing::TempFolder home;
  EnvironmentOverride homeVariable{"HOME", home.path().string()};
  EnvironmentOverride config{"XDG_CONFIG_HOME", ""};
  EnvironmentOverride cache{"XDG_CACHE_HOME", ""};
  ScratchStore store;

  KeyringHome() { EXPECT_NE(getenv("DBUS_SESSION_BUS_ADDRESS"), nullptr) << "run me through RunWithKeyring.sh"; }

  void CopyRealChromiumCookies() {
    fs::create_directories(home.path() / ".config/chromium/Default");
    fs::copy_file(fs::path(VANTRY_KEYRING_DATA_DIR) / "chromium/Default/Cookies",
                  home.path() / ".config/chromium/Default/Cookies");
  }

  // A Cookies database of version 24 in `profile` (below the home) with one "v11" cookie.
  void MakeCookieJar(const fs::path& profile, const std::string& host, const std::string& value,
                     const std::string& password) {
    fs::path file = home.path() / profile / "Cookies";
    fs::create_directories(file.parent_path());
    cache::SqliteDatabase db;
    ASSERT_TRUE(db.Open(file.string(), true));
    ASSERT_TRUE(
        db.Execute("CREATE TABLE meta(key TEXT, value TEXT); INSERT INTO meta VALUES('version', '24');"
                   "CREATE TABLE cookies(creation_utc INTEGER, host_key TEXT, name TEXT, value TEXT,"
                   " encrypted_value BLOB, path TEXT, expires_utc INTEGER, is_secure INTEGER,"
                   " is_httponly INTEGER, has_expires INTEGER);"));
    cache::SqliteStatement insert =
        db.Prepare("INSERT INTO cookies VALUES(13340000000000000, ?, 'c', '', ?, '/', 0, 0, 0, 0)");
    insert.BindBytes(1, host);
    insert.BindBytes(2, EncryptChromiumCookieV11(value, host, 24, password));
    ASSERT_EQ(insert.Step(), SQLITE_DONE);
  }

  CommandRun Import(const std::vector<std::string>& args) { return RunImport(*store.store, args); }
};

TEST(KeyringTest, RealChromiumCookiesOpenWithTheKeyFromTheKeyring) {
  KeyringHome h;
  StoreKeyringItem(kSchemaV2, "Chromium Safe Storage", "chromium", kChromiumSecret);
  h.CopyRealChromiumCookies();
  CommandRun run = h.Import({"chromium"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_NE(run.out.find("Cookies: 1 imported"), std::string::npos) << run.out;
  EXPECT_EQ(cache::GetCookieText(*h.store.store, "http://127.0.0.1/"), std::optional<std::string>("sid=keyringvalue"));
}

TEST(KeyringTest, EachBrowserOpensItsCookiesWithItsOwnKey) {
  KeyringHome h;
  struct Browser {
    const char* profile;
    const char* label;
    const char* host;
    const char* schema;
    bool keyInKeyring;
  } browsers[] = {
      {".config/google-chrome/Default", "Chrome Safe Storage", "chrome.test", kSchemaV2, true},
      {".config/BraveSoftware/Brave-Browser/Default", "Brave Safe Storage", "brave.test", kSchemaV2, true},
      {".var/app/com.microsoft.Edge/config/microsoft-edge/Default", "Microsoft Edge Safe Storage", "edge.test",
       kSchemaV2, true},
      {".config/opera", "Opera Safe Storage", "opera.test", kSchemaV1, true},  // kept in the older schema
      {".config/vivaldi/Default", "Vivaldi Safe Storage", "vivaldi.test", kSchemaV2, false},
  };
  for (const Browser& b : browsers) {
    std::string password = std::string("key of ") + b.host;
    h.MakeCookieJar(b.profile, b.host, std::string("value-of-") + b.host, password);
    // Items of one schema with the same attributes replace each other: each browser has its own.
    if (b.keyInKeyring) StoreKeyringItem(b.schema, b.label, b.schema == kSchemaV2 ? b.host : nullptr, password);
  }
  StoreKeyringItem(kSchemaV2, "Vivaldi Safe Storage Old", "vivaldi", "key of vivaldi.test");  // not its name
  CommandRun run = h.Import({"all"});
  EXPECT_EQ(run.code, 0) << run.err;
  for (const Browser& b : browsers) {
    std::optional<std::string> cookie = cache::GetCookieText(*h.store.store, std::string("http://") + b.host + "/");
    EXPECT_EQ(cookie, b.keyInKeyring ? "c=value-of-" + std::string(b.host) : "c=") << b.label;
  }
  EXPECT_EQ(run.err,
            "vantry-store: note: 1 cookie values are encrypted with the desktop keyring and were imported "
            "with empty "
            "values.\n");
}

TEST(LockedKeyringTest, ValuesOfALockedKeyringStayEmptyAndNobodyIsAsked) {
  KeyringHome h;
  StoreKeyringItem(kSchemaV2, "Chromium Safe Storage", "chromium", kChromiumSecret);
  LockEveryCollection();
  h.CopyRealChromiumCookies();
  CommandRun run = h.Import({"chromium"});
  EXPECT_EQ(run.code, 0);
  EXPECT_NE(run.err.find("vantry-store: note: 1 cookie values are encrypted"), std::string::npos) << run.err;
  EXPECT_EQ(cache::GetCookieText(*h.store.store, "http://127.0.0.1/"), std::optional<std::string>("sid="));
}

}  // namespace
}  // namespace vantry::import
