// Reading string values through the registry interface.
#include "platform/registry.h"

#include "command/error.h"

namespace tovrik {

std::optional<std::string> readStringValue(RegistryKey& key, std::string_view name) {
  std::optional<RegistryValue> value = key.read(name);
  if (!value) return std::nullopt;
  if (value->type != kRegistryString && value->type != kRegistryExpandString)
    throw RegistryError("Type de donn\xE9" "es incorrect pour '" + std::string(name) + "'");
  return std::move(value->data);
}

}  // namespace tovrik
