// HKEY_CURRENT_USER keys opened with full access, HKEY_LOCAL_MACHINE keys opened to read; closed by RAII.
#include "platform/registry_win32.h"

#include <windows.h>

#include <vector>

#include "command/error.h"

namespace tovrik {
namespace {

std::string describe(const char* what, std::string_view name, LONG status) {
  return std::string(what) + " '" + std::string(name) + "' (" + std::to_string(status) + ")";
}

class Win32RegistryKey final : public RegistryKey {
 public:
  explicit Win32RegistryKey(HKEY key) : key_(key) {}
  ~Win32RegistryKey() override { RegCloseKey(key_); }
  Win32RegistryKey(const Win32RegistryKey&) = delete;
  Win32RegistryKey& operator=(const Win32RegistryKey&) = delete;

  std::optional<RegistryValue> read(std::string_view name) override {
    const std::string valueName(name);
    std::vector<BYTE> buffer(256);
    for (;;) {
      DWORD type = 0;
      DWORD size = static_cast<DWORD>(buffer.size());
      const LONG status = RegQueryValueExA(key_, valueName.c_str(), nullptr, &type, buffer.data(), &size);
      if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
      if (status == ERROR_MORE_DATA) {
        buffer.resize(size + 2);
        continue;
      }
      if (status != ERROR_SUCCESS) throw RegistryError(describe("Lecture impossible de", name, status));
      RegistryValue value;
      value.type = type;
      value.data.assign(reinterpret_cast<const char*>(buffer.data()), size);
      if (type == REG_SZ || type == REG_EXPAND_SZ) {
        // Data ends at its first NUL, whether or not the writer stored one.
        const std::size_t end = value.data.find('\0');
        if (end != std::string::npos) value.data.resize(end);
      }
      return value;
    }
  }

  void writeString(std::string_view name, std::string_view text) override {
    const std::string valueName(name);
    const std::string data(text);
    const LONG status = RegSetValueExA(key_, valueName.c_str(), 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(data.c_str()),
                                       static_cast<DWORD>(data.size() + 1));
    if (status != ERROR_SUCCESS) throw RegistryError(describe("\xC9" "criture impossible de", name, status));
  }

  bool deleteValue(std::string_view name) override {
    return RegDeleteValueA(key_, std::string(name).c_str()) == ERROR_SUCCESS;
  }

 private:
  HKEY key_;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::openCurrentUserKey(std::string_view path) {
  HKEY key = nullptr;
  const LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, std::string(path).c_str(), 0, nullptr, 0,
                                      KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) throw RegistryError(describe("Ouverture impossible de", path, status));
  return std::make_unique<Win32RegistryKey>(key);
}

std::unique_ptr<RegistryKey> Win32Registry::openLocalMachineKeyForReading(std::string_view path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, std::string(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return nullptr;
  return std::make_unique<Win32RegistryKey>(key);
}

}  // namespace tovrik
