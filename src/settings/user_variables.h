// User variables: named texts kept per user under the settings store's User_Variables key.
#pragma once

#include <string>
#include <string_view>

#include "platform/registry.h"

namespace tovrik {

inline constexpr std::string_view kUserVariablesKeyPath = "Software\\Orlenta\\Tovrik\\User_Variables";

// Stores `text` as `name`; registry failures reach the caller.
void writeUserVariable(Registry& registry, std::string_view name, std::string_view text);

// The stored text; when missing, stores `fallback` and returns it. Any registry failure (a value of
// another type included) returns `fallback` without writing.
std::string readUserVariable(Registry& registry, std::string_view name, std::string_view fallback);

// Deletes the variable if it exists; failures leave things as they are.
void deleteUserVariable(Registry& registry, std::string_view name);

}  // namespace tovrik
