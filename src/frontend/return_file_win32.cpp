// Return-file I/O: its path read once, replace-by-rename writing, and the code page cmd.exe reads the file in.
#include "frontend/return_file_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/resource_owners_win32.h"
#include "platform/ansi_names_win32.h"
#include "platform/system_strings_win32.h"
#include "settings/settings_store.h"

namespace tovrik {
namespace {

std::string systemMessage(DWORD code) {
  char* allocated = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      code, 0, reinterpret_cast<char*>(&allocated), 0, nullptr);
  const LocalMemory<char> text(allocated);
  std::string message = length > 0 ? std::string(text.get(), length) : "Code d'erreur " + std::to_string(code);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
    message.pop_back();
  return message;
}

[[noreturn]] void raiseCreateError(const std::wstring& path, DWORD code) {
  // The message is shown, not used as a name: the closest ANSI form is the right one here.
  const std::string shown = convertWideToCodePage(CP_ACP, path.data(), static_cast<int>(path.size()));
  throw FileCreateError("Impossible de cr\xE9" "er le fichier \"" + shown + "\". " + systemMessage(code));
}

// The string value `name` of an open key as stored, in UTF-16; nullopt when it is missing, of another type
// or cannot be read. A value of usual length takes one reading.
std::optional<std::wstring> queryWideString(HKEY key, const std::wstring& name) {
  std::wstring data(MAX_PATH + 1, L'\0');
  for (;;) {
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    const LONG status =
        RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    if (status == ERROR_MORE_DATA) {
      data.assign(size / sizeof(wchar_t) + 1, L'\0');
      continue;
    }
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
    data.resize(std::min<std::size_t>(size / sizeof(wchar_t), data.size()));
    // Data ends at its first NUL, whether or not the writer stored one.
    data.resize(std::min(data.find(L'\0'), data.size()));
    return data;
  }
}

// The string value `name` of HKCU\`keyPath` as stored, in UTF-16; nullopt when it cannot be read.
std::optional<std::wstring> readWideSetting(std::string_view keyPath, std::string_view name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, widenAnsi(keyPath).c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
    return std::nullopt;
  const OwnedRegistryKey key(opened);
  return queryWideString(key.get(), widenAnsi(name));
}

// RFile in UTF-16, its key opened as the settings store opens it (full access, made when missing);
// nullopt when it is missing, not a string or refused.
std::optional<std::wstring> readStoredReturnFilePath() {
  HKEY opened = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, widenAnsi(kSettingsKeyPath).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &opened, nullptr) != ERROR_SUCCESS)
    return std::nullopt;
  const OwnedRegistryKey key(opened);
  return queryWideString(key.get(), widenAnsi(kReturnFileValueName));
}

}  // namespace

std::wstring returnFileLocation(std::string_view storedPath) {
  const std::string path = returnFileWritePath(storedPath);
  if (path != storedPath) return widenAnsi(path);
  // The ANSI reading of a value is its closest form; the UTF-16 value is the name itself, as long as it
  // is still the value that was read.
  if (const std::optional<std::wstring> stored = readWideSetting(kSettingsKeyPath, kReturnFileValueName))
    if (convertWideToCodePage(CP_ACP, stored->data(), static_cast<int>(stored->size())) == storedPath) return *stored;
  return widenAnsi(storedPath);
}

ReturnFilePath readReturnFilePath(Registry& registry) {
  // A string value, as it nearly always is: its UTF-16 reading gives the name and, converted as the ANSI
  // reading converts it, the stored path, in one reading of the key.
  if (const std::optional<std::wstring> wide = readStoredReturnFilePath()) {
    std::string stored = convertWideToCodePage(CP_ACP, wide->data(), static_cast<int>(wide->size()));
    const std::string path = returnFileWritePath(stored);
    std::wstring location = path == stored ? *wide : widenAnsi(path);
    return {std::move(stored), std::move(location)};
  }
  // Missing (the default is stored), of another type or refused: the settings store's own rules.
  std::string stored = readSetting(registry, kReturnFileValueName, kDefaultReturnFilePath);
  std::wstring location = returnFileLocation(stored);
  return {std::move(stored), std::move(location)};
}

void deleteReturnFile(const std::wstring& path) {
  if (path.empty()) return;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW(path.c_str());
}

namespace {

// Creates the file anew (or truncates it) with `access` and `share` and writes all the bytes; the error
// code of the step that failed, or ERROR_SUCCESS with the file still open in `file`. A file left half
// written is deleted.
DWORD writeWholeFile(const std::wstring& name, std::string_view bytes, DWORD access, DWORD share,
                     UniqueHandle& file) {
  file.reset(CreateFileW(name.c_str(), access, share, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return GetLastError();
  DWORD written = 0;
  if (WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size())
    return ERROR_SUCCESS;
  const DWORD code = GetLastError();
  file.reset();  // closed before it can be deleted
  DeleteFileW(name.c_str());
  return code == ERROR_SUCCESS ? ERROR_WRITE_FAULT : code;
}

// Renames the open file over `target`, replacing it: the rename MoveFileExW makes, without opening the
// file a second time.
bool renameOpenFileOver(HANDLE file, const std::wstring& target) {
  const std::size_t nameBytes = target.size() * sizeof(wchar_t);
  std::vector<std::byte> buffer(offsetof(FILE_RENAME_INFO, FileName) + nameBytes + sizeof(wchar_t));
  auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  rename->ReplaceIfExists = TRUE;
  rename->RootDirectory = nullptr;
  rename->FileNameLength = static_cast<DWORD>(nameBytes);
  std::memcpy(rename->FileName, target.c_str(), nameBytes + sizeof(wchar_t));
  return SetFileInformationByHandle(file, FileRenameInfo, rename, static_cast<DWORD>(buffer.size())) != 0;
}

}  // namespace

void writeReturnFile(const std::wstring& path, std::string_view bytes) {
  const std::wstring staging = path + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  // Readable while still open: once renamed it is the return file, complete.
  UniqueHandle file;
  if (writeWholeFile(staging, bytes, GENERIC_WRITE | DELETE, FILE_SHARE_READ, file) != ERROR_SUCCESS) {
    // No file of that name can be made beside the target (a name near the length limit, a folder where
    // the user may replace the file but not create one): write the target itself instead.
    if (const DWORD direct = writeWholeFile(path, bytes, GENERIC_WRITE, 0, file); direct != ERROR_SUCCESS)
      raiseCreateError(path, direct);
    return;
  }
  if (renameOpenFileOver(file.get(), path)) return;
  file.reset();
  // A script reading the previous file holds it open for a moment: retry briefly before giving up.
  for (int attempt = 0;; ++attempt) {
    if (MoveFileExW(staging.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) return;
    const DWORD code = GetLastError();
    if (attempt < 50 && (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION ||
                         code == ERROR_ACCESS_DENIED)) {
      Sleep(10);
      continue;
    }
    DeleteFileW(staging.c_str());
    raiseCreateError(path, code);
  }
}

UINT ConsoleCodePage::codePage() const {
  if (codePage_ != 0) return codePage_;
  codePage_ = GetConsoleOutputCP();
  if (codePage_ == 0 && AttachConsole(ATTACH_PARENT_PROCESS)) {
    codePage_ = GetConsoleOutputCP();
    FreeConsole();
  }
  if (codePage_ == 0) codePage_ = GetOEMCP();
  return codePage_;
}

std::string ConsoleCodePage::fromAnsi(std::string_view ansi) const {
  const bool ascii =
      std::all_of(ansi.begin(), ansi.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii || codePage() == GetACP()) return std::string(ansi);
  const int length = static_cast<int>(ansi.size());
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, wide.data(), wideLength);
  return convertWideToCodePage(codePage(), wide.data(), wideLength);
}

}  // namespace tovrik
