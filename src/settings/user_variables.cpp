// User variable operations over the registry wrapper.
#include "settings/user_variables.h"

#include "command/error.h"
#include "settings/settings_store.h"

namespace tovrik {

void writeUserVariable(Registry& registry, std::string_view name, std::string_view text) {
  registry.openCurrentUserKey(kUserVariablesKeyPath)->writeString(name, text);
}

std::string readUserVariable(Registry& registry, std::string_view name, std::string_view fallback) {
  try {
    std::unique_ptr<RegistryKey> key = registry.openCurrentUserKey(kUserVariablesKeyPath);
    if (std::optional<std::string> text = readStringValue(*key, name)) return *text;
    key->writeString(name, fallback);
  } catch (const RegistryError&) {
    // A store that cannot be read or written still reports the default.
  }
  return std::string(fallback);
}

void deleteUserVariable(Registry& registry, std::string_view name) {
  try {
    std::unique_ptr<RegistryKey> key = registry.openCurrentUserKey(kUserVariablesKeyPath);
    if (key->read(name)) key->deleteValue(name);
  } catch (const RegistryError&) {
    // Deleting reports nothing: a key that cannot be opened leaves things as they are.
  }
}

}  // namespace tovrik
