// Settings store operations over the registry wrapper.
#include "settings/settings_store.h"

#include "frontend/error.h"
#include "text/path_rules.h"

namespace tovrik {

std::optional<std::string> readStringValue(RegistryKey& key, std::string_view name) {
  std::optional<RegistryValue> value = key.read(name);
  if (!value) return std::nullopt;
  if (value->type != kRegistryString && value->type != kRegistryExpandString)
    throw RegistryError("Type de donn\xE9" "es incorrect pour '" + std::string(name) + "'");
  return std::move(value->data);
}

std::string STRGetPrefsValue(Registry& registry, std::string_view name, std::string_view fallback) {
  try {
    std::unique_ptr<RegistryKey> key = registry.openCurrentUserKey(kSettingsKeyPath);
    if (std::optional<std::string> text = readStringValue(*key, name)) return *text;
    key->writeString(name, fallback);
  } catch (const RegistryError&) {
    // The program must go on with the default whatever the registry says.
  }
  return std::string(fallback);
}

void STRSetPrefsValue(Registry& registry, std::string_view name, std::string_view text) {
  registry.openCurrentUserKey(kSettingsKeyPath)->writeString(name, text);
}

bool SetGlobalEnvironment(Services& services, std::string_view name, std::string_view value) {
  std::unique_ptr<RegistryKey> key;
  try {
    key = services.registry().openCurrentUserKey("Environment");
  } catch (const RegistryError&) {
    return false;
  }
  key->writeString(name, value);
  key.reset();
  services.setProcessEnvironmentVariable(name, value);
  services.broadcastEnvironmentChange();
  return true;
}

std::string GetSystemDrive(Services& services) {
  const std::optional<std::string> directory = services.systemDirectory();
  if (!directory) return {};
  return extractFileDrive(*directory, services.ansiCharset());
}

}  // namespace tovrik
