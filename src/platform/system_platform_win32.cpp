// Session end, machine facts and the clipboard through advapi32, user32, kernel32 and ole32.
#include "platform/system_platform_win32.h"

#include <windows.h>
#include <objbase.h>

#include <cstring>

#include "forms/form_win32.h"
#include "frontend/error.h"
#include "platform/system_strings_win32.h"

namespace tovrik {
namespace {

HANDLE toHandle(std::uintptr_t value) { return reinterpret_cast<HANDLE>(value); }
std::uintptr_t fromHandle(HANDLE handle) { return reinterpret_cast<std::uintptr_t>(handle); }

// The platform's own record for one privilege has the size the callers pass for it.
static_assert(sizeof(TOKEN_PRIVILEGES) == 16);
static_assert(sizeof(OSVERSIONINFOA) == 148);

}  // namespace

std::optional<TokenHandle> Win32SessionControl::openProcessToken(std::uint32_t access) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), access, &token)) return std::nullopt;
  return fromHandle(token);
}

void Win32SessionControl::closeToken(TokenHandle token) { CloseHandle(toHandle(token)); }

std::optional<PrivilegeId> Win32SessionControl::lookupPrivilegeValue(std::string_view name) {
  LUID luid{};
  if (!LookupPrivilegeValueA(nullptr, std::string(name).c_str(), &luid)) return std::nullopt;
  return PrivilegeId{luid.LowPart, luid.HighPart};
}

void Win32SessionControl::adjustTokenPrivileges(TokenHandle token, const SinglePrivilegeRecord& record,
                                                std::uint32_t bufferLength) {
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = record.count;
  privileges.Privileges[0].Luid.LowPart = record.privilege.lowPart;
  privileges.Privileges[0].Luid.HighPart = record.privilege.highPart;
  privileges.Privileges[0].Attributes = record.attributes;
  TOKEN_PRIVILEGES previous{};
  DWORD returnLength = 0;
  AdjustTokenPrivileges(toHandle(token), FALSE, &privileges, bufferLength, &previous, &returnLength);
}

bool Win32SessionControl::exitWindowsEx(std::uint32_t flags, std::uint32_t reason) {
  return ExitWindowsEx(flags, reason) != 0;
}

void Win32SessionControl::sendToApplicationWindow(std::uint32_t message, std::uintptr_t wParam,
                                                  std::intptr_t lParam) {
  SendMessageA(applicationWindow(), message, wParam, lParam);
}

std::uint32_t Win32SystemInformation::platformId() {
  if (!platformId_) {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    // A refused call leaves a platform that no command knows, rather than passing for Win32s.
    platformId_ = GetVersionExA(&info) ? info.dwPlatformId : 0xFFFFFFFFu;
#pragma GCC diagnostic pop
  }
  return *platformId_;
}

std::optional<std::uint32_t> Win32SystemInformation::volumeSerialNumber(const std::string& rootPath) {
  DWORD serial = 0, maximumComponentLength = 0, fileSystemFlags = 0;
  if (!GetVolumeInformationA(rootPath.c_str(), nullptr, 0, &serial, &maximumComponentLength, &fileSystemFlags,
                             nullptr, 0))
    return std::nullopt;
  return serial;
}

std::optional<std::string> Win32SystemInformation::volumeLabel(const std::string& rootPath) {
  char name[256] = {};
  if (!GetVolumeInformationA(rootPath.c_str(), name, sizeof name, nullptr, nullptr, nullptr, nullptr, 0))
    return std::nullopt;
  return std::string(name, strnlen(name, sizeof name));
}

std::uint32_t Win32SystemInformation::setErrorMode(std::uint32_t mode) { return SetErrorMode(mode); }

std::optional<std::uint64_t> Win32SystemInformation::totalVolumeBytes(const std::string& rootPath) {
  // Looked up at run time: the first systems of the family lack the 64-bit query.
  using DiskFreeSpaceEx = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
  const auto diskFreeSpaceEx = reinterpret_cast<DiskFreeSpaceEx>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetDiskFreeSpaceExA")));
  if (diskFreeSpaceEx) {
    ULARGE_INTEGER available{}, total{}, free{};
    if (!diskFreeSpaceEx(rootPath.c_str(), &available, &total, &free)) return std::nullopt;
    return total.QuadPart;
  }
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
  if (!GetDiskFreeSpaceA(rootPath.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
    return std::nullopt;
  return std::uint64_t{sectorsPerCluster} * bytesPerSector * totalClusters;
}

std::string Win32SystemInformation::newGuidText() {
  GUID guid{};
  CoCreateGuid(&guid);
  LPOLESTR text = nullptr;
  if (FAILED(StringFromCLSID(guid, &text)) || !text) throw PlatformError("StringFromCLSID");
  const std::string converted = convertWideToCodePage(CP_ACP, text, static_cast<int>(wcslen(text)));
  CoTaskMemFree(text);
  return converted;
}

bool Win32ClipboardAccess::open() { return OpenClipboard(applicationWindow()) != 0; }

void Win32ClipboardAccess::close() { CloseClipboard(); }

bool Win32ClipboardAccess::empty() { return EmptyClipboard() != 0; }

MemoryBlock Win32ClipboardAccess::allocate(std::size_t size) {
  return fromHandle(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size));
}

bool Win32ClipboardAccess::fill(MemoryBlock block, std::string_view bytes) {
  if (GlobalSize(toHandle(block)) < bytes.size()) return false;
  void* data = GlobalLock(toHandle(block));
  if (!data) return false;
  std::memcpy(data, bytes.data(), bytes.size());
  GlobalUnlock(toHandle(block));
  return true;
}

void Win32ClipboardAccess::free(MemoryBlock block) { GlobalFree(toHandle(block)); }

bool Win32ClipboardAccess::setData(std::uint32_t format, MemoryBlock block) {
  return SetClipboardData(format, toHandle(block)) != nullptr;
}

std::optional<std::string> Win32ClipboardAccess::textData(std::uint32_t format) {
  const HANDLE block = GetClipboardData(format);
  if (!block) return std::nullopt;
  const auto* data = static_cast<const char*>(GlobalLock(block));
  if (!data) return std::string();
  // Another program's block need not end in NUL: never read past its end.
  const std::string text(data, strnlen(data, GlobalSize(block)));
  GlobalUnlock(block);
  return text;
}

}  // namespace tovrik
