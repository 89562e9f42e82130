// Return-file I/O: replace-by-rename writing and the application error box.
#include "frontend/return_file_win32.h"

#include <windows.h>

#include <cstdio>

namespace tovrik {
namespace {

std::string systemMessage(DWORD code) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length > 0 ? std::string(text, length) : "Code d'erreur " + std::to_string(code);
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
    message.pop_back();
  return message;
}

[[noreturn]] void raiseCreateError(const std::string& path, DWORD code) {
  throw FileCreateError("Impossible de cr\xE9" "er le fichier \"" + path + "\". " + systemMessage(code));
}

struct HandleCloser {
  HANDLE handle;
  ~HandleCloser() { CloseHandle(handle); }
};

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
  const HANDLE file =
      CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  HandleCloser closer{file};
  DWORD written = 0;
  if (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size())
    return ERROR_SUCCESS;
  const DWORD code = GetLastError();
  CloseHandle(file);
  closer.handle = INVALID_HANDLE_VALUE;
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

void showApplicationError(const CommandError& error) {
  char modulePath[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, modulePath, MAX_PATH);
  const char* moduleName = modulePath;
  for (const char* c = modulePath; *c; c = CharNextA(c))
    if (*c == '\\' || *c == '/') moduleName = c + 1;
  char address[32];
  std::snprintf(address, sizeof address, "%0*llX", static_cast<int>(sizeof(void*) * 2),
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(&writeReturnFile)));
  const std::string text = std::string("Exception ") + error.typeName() + " dans le module " + moduleName +
                           " dans " + address + ".\n" + error.what();
  MessageBoxA(nullptr, text.c_str(), "Erreur d'application", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace tovrik
