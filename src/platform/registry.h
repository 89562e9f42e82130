// The registry as the program needs it: keys under HKEY_CURRENT_USER, opened with full access (created
// when missing), and machine keys read without creating them; closed when the handle object goes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tovrik {

inline constexpr std::uint32_t kRegistryString = 1;        // REG_SZ
inline constexpr std::uint32_t kRegistryExpandString = 2;  // REG_EXPAND_SZ

struct RegistryValue {
  std::uint32_t type = kRegistryString;
  std::string data;  // string types: the text without its terminating NUL
};

class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  // nullopt when the value does not exist; RegistryError on any other failure.
  virtual std::optional<RegistryValue> read(std::string_view name) = 0;
  // Writes a REG_SZ value; RegistryError when refused.
  virtual void writeString(std::string_view name, std::string_view text) = 0;
  // Deletes the value; false when it could not be deleted.
  virtual bool deleteValue(std::string_view name) = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens (or creates) HKEY_CURRENT_USER\path with full access; RegistryError when it cannot.
  virtual std::unique_ptr<RegistryKey> openCurrentUserKey(std::string_view path) = 0;
  // Opens an existing HKEY_LOCAL_MACHINE\path for reading, never creating it; nullptr when it cannot.
  virtual std::unique_ptr<RegistryKey> openLocalMachineKeyForReading(std::string_view path) = 0;
};

// Reads a string value, accepting REG_SZ and REG_EXPAND_SZ (unexpanded); nullopt when the value is
// missing, RegistryError when it exists with another type or cannot be read.
std::optional<std::string> readStringValue(RegistryKey& key, std::string_view name);

}  // namespace tovrik
