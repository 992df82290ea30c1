#include "import/DesktopKeyring.h"

#include <libsecret/secret.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace vantry::import {

namespace {

// The browsers keep their key in the first; builds before 2017 used the second.
constexpr const char* kKeySchemas[] = {"chrome_libsecret_os_crypt_password_v2", "chrome_libsecret_os_crypt_password"};

template <typename T>
using GObjectPtr = std::unique_ptr<T, decltype(&g_object_unref)>;

// Without a session bus GLib would launch one of its own and leave it running.
bool SessionBusExists() {
  if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS"); address && *address) return true;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::error_code ec;
  return runtime && *runtime && std::filesystem::exists(std::filesystem::path(runtime) / "bus", ec);
}

// The items of `schema`, locked or not, in every collection.
GList* ItemsOfSchema(SecretService* service, const char* schema) {
  std::unique_ptr<GHashTable, decltype(&g_hash_table_unref)> attributes(g_hash_table_new(g_str_hash, g_str_equal),
                                                                        g_hash_table_unref);
  g_hash_table_insert(attributes.get(), const_cast<char*>("xdg:schema"), const_cast<char*>(schema));
  GError* error = nullptr;
  GList* items = secret_service_search_sync(service, nullptr, attributes.get(), SECRET_SEARCH_ALL, nullptr, &error);
  g_clear_error(&error);
  return items;
}

bool HasLabel(SecretItem* item, const std::string& label) {
  std::unique_ptr<gchar, decltype(&g_free)> text(secret_item_get_label(item), g_free);
  return text && label == text.get();
}

// The item's secret, loaded only now so that other items' secrets are never read.
bool ReadSecret(SecretItem* item, std::string& secret) {
  GError* error = nullptr;
  if (secret_item_get_locked(item) || !secret_item_load_secret_sync(item, nullptr, &error)) {
    g_clear_error(&error);
    return false;
  }
  std::unique_ptr<SecretValue, decltype(&secret_value_unref)> value(secret_item_get_secret(item), secret_value_unref);
  if (!value) return false;
  gsize length = 0;
  const gchar* bytes = secret_value_get(value.get(), &length);
  secret.assign(bytes, length);
  return true;
}

}  // namespace

std::vector<std::string> DesktopKeyringSecrets(const std::string& keyName) {
  std::vector<std::string> secrets;
  if (!SessionBusExists()) return secrets;
  GError* error = nullptr;
  GObjectPtr<SecretService> service(secret_service_get_sync(SECRET_SERVICE_NONE, nullptr, &error), g_object_unref);
  g_clear_error(&error);
  if (!service) return secrets;
  for (const char* schema : kKeySchemas) {
    GList* items = ItemsOfSchema(service.get(), schema);
    for (GList* node = items; node; node = node->next) {
      SecretItem* item = SECRET_ITEM(node->data);
      std::string secret;
      if (HasLabel(item, keyName) && ReadSecret(item, secret)) secrets.push_back(std::move(secret));
    }
    g_list_free_full(items, g_object_unref);
  }
  return secrets;
}

}  // namespace vantry::import
