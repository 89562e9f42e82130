// Probe verbs that read and change the registry, the user's keys or ("HKLM\..." keys) the machine's: values
// of any type in hex, a Unicode value, a value too long for a command line, a key's access, a fresh account.
#include <windows.h>

#include <cstdio>
#include <string>

#include "probe_support.h"

namespace probe {
namespace {

// An open key, closed when it goes; get() is null when it could not be opened.
class Key {
 public:
  Key(const std::string& path, REGSAM access, bool create) {
    const auto [root, subkey] = split(path);
    if (create)
      RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, 0, access, nullptr, &key_, nullptr);
    else
      RegOpenKeyExA(root, subkey.c_str(), 0, access, &key_);
  }
  ~Key() {
    if (key_) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY get() const { return key_; }

  // The root and the path below it: "HKLM\" names the machine's keys, any other path the user's.
  static std::pair<HKEY, std::string> split(const std::string& path) {
    if (path.rfind("HKLM\\", 0) == 0) return {HKEY_LOCAL_MACHINE, path.substr(5)};
    return {HKEY_CURRENT_USER, path};
  }

 private:
  HKEY key_ = nullptr;
};

int setValue(const std::string& path, const std::string& name, DWORD type, const std::string& data) {
  const Key key(path, KEY_ALL_ACCESS, true);
  if (!key.get()) return 2;
  return RegSetValueExA(key.get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                        static_cast<DWORD>(data.size())) == ERROR_SUCCESS ? 0 : 2;
}

std::wstring wideOf(const std::string& ansi) {
  std::wstring text(ansi.size() + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, text.data(), static_cast<int>(text.size())) - 1));
  return text;
}

}  // namespace

// "TYPE HEX" of a value, "missing", or "nokey".
int registryGet(const Args& a) {
  const Key key(a[0], KEY_READ, false);
  if (!key.get()) {
    std::puts("nokey");
    return 0;
  }
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key.get(), a[1].c_str(), nullptr, &type, nullptr, &size) == ERROR_FILE_NOT_FOUND) {
    std::puts("missing");
    return 0;
  }
  std::string data(size, '\0');
  RegQueryValueExA(key.get(), a[1].c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
  data.resize(size);
  std::printf("%lu %s\n", static_cast<unsigned long>(type), hexOf(data).c_str());
  return 0;
}

int registrySet(const Args& a) { return setValue(a[0], a[1], static_cast<DWORD>(number(a[2])), a[3]); }

// A REG_SZ value given as UTF-16LE in hex, so that it may hold characters outside the ANSI code page.
int registrySetWide(const Args& a) {
  const Key key(a[0], KEY_ALL_ACCESS, true);
  if (!key.get()) return 2;
  std::string data = bytesOfHex(a[2]);
  data.resize(data.size() / 2 * 2);
  data.append(2, '\0');
  return RegSetValueExW(key.get(), wideOf(a[1]).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.data()),
                        static_cast<DWORD>(data.size())) == ERROR_SUCCESS ? 0 : 2;
}

// A REG_SZ path "C:\xx...x.bat" of LENGTH characters: longer than a command line may carry.
int registrySetLongPath(const Args& a) {
  const std::size_t length = number(a[2]);
  return setValue(a[0], a[1], REG_SZ, "C:\\" + std::string(length > 7 ? length - 7 : 0, 'x') + ".bat" + '\0');
}

// "deny": the key gets an empty access list, so that no one may open it for writing; "allow": no list
// at all, full access again. The key is created when missing.
int registrySetAccess(const Args& a) {
  const Key key(a[0], WRITE_DAC, true);
  if (!key.get()) return 2;
  ACL emptyList{};
  InitializeAcl(&emptyList, sizeof emptyList, ACL_REVISION);
  SECURITY_DESCRIPTOR descriptor{};
  InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&descriptor, TRUE, a[1] == "deny" ? &emptyList : nullptr, FALSE);
  return RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS ? 0 : 2;
}

int registryDeleteKey(const Args& a) {
  const auto [root, subkey] = Key::split(a[0]);
  const LONG status = RegDeleteTreeA(root, subkey.c_str());
  RegDeleteKeyA(root, subkey.c_str());
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? 0 : 2;
}

int registryDeleteValue(const Args& a) {
  const Key key(a[0], KEY_ALL_ACCESS, false);
  if (key.get()) RegDeleteValueA(key.get(), a[1].c_str());
  return 0;
}

// Back to a fresh account: no settings, no user variables, no published return-file variable.
int resetAccount(const Args&) {
  registryDeleteKey({"Software\\Orlenta\\Tovrik"});
  registryDeleteKey({"Software\\Orlenta"});
  return registryDeleteValue({"Environment", "TvkFile"});
}

}  // namespace probe
