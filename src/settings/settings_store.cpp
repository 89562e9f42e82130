// Settings store operations over the registry wrapper.
#include "settings/settings_store.h"

#include "command/error.h"
#include "platform/environment.h"
#include "platform/registry.h"

namespace tovrik {

std::string readSetting(Registry& registry, std::string_view name, std::string_view fallback) {
  try {
    std::unique_ptr<RegistryKey> key = registry.openCurrentUserKey(kSettingsKeyPath);
    if (std::optional<std::string> text = readStringValue(*key, name)) return *text;
    key->writeString(name, fallback);
  } catch (const RegistryError&) {
    // The program must go on with the default whatever the registry says.
  }
  return std::string(fallback);
}

void writeSetting(Registry& registry, std::string_view name, std::string_view text) {
  registry.openCurrentUserKey(kSettingsKeyPath)->writeString(name, text);
}

bool publishEnvironmentVariable(Registry& registry, Environment& environment, std::string_view name,
                                std::string_view value) {
  std::unique_ptr<RegistryKey> key;
  try {
    key = registry.openCurrentUserKey("Environment");
  } catch (const RegistryError&) {
    return false;
  }
  key->writeString(name, value);
  key.reset();
  environment.setProcessVariable(name, value);
  environment.broadcastChange();
  return true;
}

}  // namespace tovrik
