// The settings store (HKCU\Software\Orlenta\Tovrik) and publishing variables to the user environment.
#pragma once

#include <string>
#include <string_view>

#include "platform/registry.h"
#include "platform/environment.h"

namespace tovrik {

inline constexpr std::string_view kSettingsKeyPath = "Software\\Orlenta\\Tovrik";
inline constexpr std::string_view kReturnFileValueName = "RFile";
inline constexpr std::string_view kReturnFileVariable = "TvkFile";

// Returns the stored text of `name`; when the value is missing, stores `fallback` and returns it. Any
// registry failure, a value of another type included, returns `fallback` and changes nothing.
std::string readSetting(Registry& registry, std::string_view name, std::string_view fallback);

// Stores `text` as `name`; registry failures reach the caller.
void writeSetting(Registry& registry, std::string_view name, std::string_view text);

// Writes `name` under HKCU\Environment, sets it in this process and tells running programs. Returns
// false, doing nothing, when the environment key cannot be opened; a refused write reaches the caller.
bool publishEnvironmentVariable(Registry& registry, Environment& environment, std::string_view name,
                                std::string_view value);

}  // namespace tovrik
