// Version, volumes, GUIDs and the system directory.
#include "platform/system_information_win32.h"

#include <windows.h>
#include <objbase.h>

#include "command/error.h"
#include "platform/resource_owners_win32.h"
#include "platform/ansi_names_win32.h"
#include "platform/system_strings_win32.h"

namespace tovrik {

static_assert(sizeof(OSVERSIONINFOA) == 148);

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
  const HRESULT converted = StringFromCLSID(guid, &text);
  const CoTaskMemory<wchar_t> owned(text);
  if (FAILED(converted) || !text) throw PlatformError("StringFromCLSID");
  return convertWideToCodePage(CP_ACP, text, static_cast<int>(wcslen(text)));
}

std::optional<std::string> Win32SystemInformation::systemDirectory() {
  const std::optional<std::wstring> directory = readSizedString<wchar_t>(GetSystemDirectoryW);
  return directory ? exactAnsiPath(*directory) : std::nullopt;
}

}  // namespace tovrik
