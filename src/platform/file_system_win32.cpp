// The file-system operations over kernel32: ANSI calls, handles closed by scoped owners.
#include "platform/file_system_win32.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "command/error.h"
#include "platform/resource_owners_win32.h"
#include "platform/ansi_names_win32.h"
#include "platform/system_strings_win32.h"

namespace tovrik {
namespace {

class FileByteSource final : public ByteSource {
 public:
  explicit FileByteSource(HANDLE handle) : handle_(handle) {}

  std::size_t read(char* buffer, std::size_t capacity) override {
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(capacity, 0x40000000));
    DWORD got = 0;
    if (!ReadFile(handle_.get(), buffer, wanted, &got, nullptr))
      throw PlatformError("Erreur de lecture du fichier (" + std::to_string(GetLastError()) + ")");
    return got;
  }

 private:
  UniqueHandle handle_;
};

// The profile functions build the file's full path in a MAX_PATH buffer. A longer path leaves that buffer
// undefined, and Wine then writes the values into a file of a garbage name in the current directory: such
// a file is treated as one that cannot be written or read.
bool fitsProfileBuffer(const std::string& file) {
  const bool inWindowsDirectory =
      file.find_first_of("\\/") == std::string::npos && !(file.size() >= 2 && file[1] == ':');
  if (inWindowsDirectory) {
    const std::optional<std::string> windows = readSizedString(GetWindowsDirectoryA);
    return windows && windows->size() + 1 + file.size() < MAX_PATH;
  }
  const DWORD needed = GetFullPathNameA(file.c_str(), 0, nullptr, nullptr);  // counts the terminating NUL
  return needed != 0 && needed <= MAX_PATH;
}

std::uint64_t ticksOf(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

std::string Win32FileSystem::currentDirectory() {
  // Asked for the size first: a fixed buffer would leave a longer directory as undefined bytes.
  const auto fill = [](wchar_t* buffer, UINT size) { return static_cast<UINT>(GetCurrentDirectoryW(size, buffer)); };
  const std::optional<std::wstring> directory = readSizedString<wchar_t>(fill);
  if (!directory) return std::string();
  return exactAnsiPath(*directory).value_or(std::string());
}

bool Win32FileSystem::setCurrentDirectory(std::string_view path) {
  return SetCurrentDirectoryA(std::string(path).c_str()) != 0;
}

bool Win32FileSystem::copyFile(std::string_view existing, std::string_view target, bool failIfExists) {
  return CopyFileA(std::string(existing).c_str(), std::string(target).c_str(), failIfExists ? TRUE : FALSE) != 0;
}

bool Win32FileSystem::moveFile(std::string_view existing, std::string_view target) {
  return MoveFileA(std::string(existing).c_str(), std::string(target).c_str()) != 0;
}

bool Win32FileSystem::createDirectory(std::string_view path) {
  return CreateDirectoryA(std::string(path).c_str(), nullptr) != 0;
}

std::optional<std::uint32_t> Win32FileSystem::attributes(std::string_view path) {
  const DWORD attributes = GetFileAttributesA(std::string(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return attributes;
}

std::optional<FoundEntry> Win32FileSystem::findFirst(std::string_view pattern) {
  WIN32_FIND_DATAA data{};
  const FindHandle search(FindFirstFileA(std::string(pattern).c_str(), &data));
  if (search.get() == INVALID_HANDLE_VALUE) return std::nullopt;
  FoundEntry entry;
  entry.attributes = data.dwFileAttributes;
  entry.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  FILETIME local;
  if (FileTimeToLocalFileTime(&data.ftLastWriteTime, &local)) entry.lastWriteLocalTime = ticksOf(local);
  return entry;
}

std::unique_ptr<ByteSource> Win32FileSystem::openForReading(std::string_view path) {
  const std::string name(path);
  const HANDLE handle = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (handle == INVALID_HANDLE_VALUE)
    throw PlatformError("Impossible d'ouvrir le fichier \"" + name + "\" (" + std::to_string(GetLastError()) + ")");
  auto file = std::make_unique<FileByteSource>(handle);
  // A device or a pipe (COM1, a named pipe) could keep a read waiting for ever: only disk files are text files.
  if (GetFileType(handle) != FILE_TYPE_DISK) throw PlatformError("\"" + name + "\" n'est pas un fichier");
  return file;
}

std::string Win32FileSystem::readProfileString(std::string_view file, std::string_view section,
                                               std::string_view key, std::string_view fallback) {
  const std::string name(file);
  if (!fitsProfileBuffer(name)) return std::string(fallback.substr(0, 2047));
  char buffer[2048];
  const DWORD length = GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                                std::string(fallback).c_str(), buffer, sizeof buffer, name.c_str());
  return std::string(buffer, std::min<DWORD>(length, sizeof buffer - 1));
}

bool Win32FileSystem::writeProfileString(std::string_view file, std::string_view section, std::string_view key,
                                         std::string_view value) {
  const std::string name(file);
  if (!fitsProfileBuffer(name)) return false;
  return WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                    std::string(value).c_str(), name.c_str()) != 0;
}

void Win32FileSystem::flushProfile(std::string_view file) {
  const std::string name(file);
  if (fitsProfileBuffer(name)) WritePrivateProfileStringA(nullptr, nullptr, nullptr, name.c_str());
}

std::optional<std::string> Win32FileSystem::shortPathName(std::string_view path) {
  wchar_t buffer[260];
  const DWORD length = GetShortPathNameW(widenAnsi(path).c_str(), buffer, std::size(buffer));
  // 0 is a failure; a length beyond the buffer means the short form does not fit it.
  if (length == 0 || length >= std::size(buffer)) return std::nullopt;
  return Win32AnsiNames().exact(std::wstring_view(buffer, length));
}

}  // namespace tovrik
