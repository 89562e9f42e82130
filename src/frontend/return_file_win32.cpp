// Return-file I/O: replace-by-rename writing, and the code page cmd.exe reads the file in.
#include "frontend/return_file_win32.h"

#include <windows.h>

#include <cstdio>

#include "platform/resource_owners_win32.h"
#include "platform/system_strings_win32.h"

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

[[noreturn]] void raiseCreateError(const std::string& path, DWORD code) {
  throw FileCreateError("Impossible de cr\xE9" "er le fichier \"" + path + "\". " + systemMessage(code));
}

}  // namespace

void deleteReturnFile(std::string_view path) {
  if (path.empty()) return;
  const std::string file(path);
  const DWORD attributes = GetFileAttributesA(file.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    DeleteFileA(file.c_str());
}

namespace {

// Creates the file anew (or truncates it) and writes all the bytes; the error code of the step that
// failed, or ERROR_SUCCESS. A file left half written is deleted.
DWORD writeWholeFile(const std::string& name, std::string_view bytes) {
  UniqueHandle file(
      CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return GetLastError();
  DWORD written = 0;
  if (WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size())
    return ERROR_SUCCESS;
  const DWORD code = GetLastError();
  file.reset();  // closed before it can be deleted
  DeleteFileA(name.c_str());
  return code == ERROR_SUCCESS ? ERROR_WRITE_FAULT : code;
}

}  // namespace

void writeReturnFile(const std::string& path, std::string_view bytes) {
  const std::string staging = path + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
  if (const DWORD code = writeWholeFile(staging, bytes); code != ERROR_SUCCESS) {
    // No file of that name can be made beside the target (a name near the length limit, a folder where
    // the user may replace the file but not create one): write the target itself instead.
    if (const DWORD direct = writeWholeFile(path, bytes); direct != ERROR_SUCCESS) raiseCreateError(path, direct);
    return;
  }
  // A script reading the previous file holds it open for a moment: retry briefly before giving up.
  for (int attempt = 0;; ++attempt) {
    if (MoveFileExA(staging.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) return;
    const DWORD code = GetLastError();
    if (attempt < 50 && (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION ||
                         code == ERROR_ACCESS_DENIED)) {
      Sleep(10);
      continue;
    }
    DeleteFileA(staging.c_str());
    raiseCreateError(path, code);
  }
}

ConsoleCodePage::ConsoleCodePage() : codePage_(GetOEMCP()) {
  if (AttachConsole(ATTACH_PARENT_PROCESS)) {
    if (const UINT console = GetConsoleOutputCP()) codePage_ = console;
    FreeConsole();
  }
}

std::string ConsoleCodePage::fromAnsi(std::string_view ansi) const {
  if (ansi.empty() || codePage_ == GetACP()) return std::string(ansi);
  const int length = static_cast<int>(ansi.size());
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, wide.data(), wideLength);
  return convertWideToCodePage(codePage_, wide.data(), wideLength);
}

}  // namespace tovrik
