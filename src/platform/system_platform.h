// Session end, machine facts, the Internet and socket libraries and the clipboard, as the system
// commands see them: each call one platform operation, plain types in and out.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tovrik {

// A locally unique identifier (LUID), as the privilege calls take it.
struct PrivilegeId {
  std::uint32_t lowPart = 0;
  std::int32_t highPart = 0;
  bool operator==(const PrivilegeId&) const = default;
};

// A token-privileges record holding one privilege.
struct SinglePrivilegeRecord {
  std::uint32_t count = 1;
  PrivilegeId privilege;
  std::uint32_t attributes = 0;
};

using TokenHandle = std::uintptr_t;

class SessionControl {
 public:
  virtual ~SessionControl() = default;
  // OpenProcessToken of this process with the access mask; nullopt when refused.
  virtual std::optional<TokenHandle> openProcessToken(std::uint32_t access) = 0;
  virtual void closeToken(TokenHandle token) = 0;
  // LookupPrivilegeValueA on the local system; nullopt when the name is unknown.
  virtual std::optional<PrivilegeId> lookupPrivilegeValue(std::string_view name) = 0;
  // AdjustTokenPrivileges without disabling all, with a previous-state buffer of `bufferLength` bytes.
  virtual void adjustTokenPrivileges(TokenHandle token, const SinglePrivilegeRecord& record,
                                     std::uint32_t bufferLength) = 0;
  virtual bool exitWindowsEx(std::uint32_t flags, std::uint32_t reason) = 0;
  // Sends a message to the application window (the program's own hidden top-level window).
  virtual void sendToApplicationWindow(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

// dwPlatformId of GetVersionExA.
inline constexpr std::uint32_t kPlatformWin32s = 0;
inline constexpr std::uint32_t kPlatformWindows95 = 1;
inline constexpr std::uint32_t kPlatformNt = 2;

class SystemInformation {
 public:
  virtual ~SystemInformation() = default;
  // dwPlatformId of GetVersionExA, asked once per run: 0 Win32s, 1 the Windows 95 family, 2 NT.
  virtual std::uint32_t platformId() = 0;
  // GetVolumeInformationA of a root path ("C:\"); nullopt when the volume cannot be read.
  virtual std::optional<std::uint32_t> volumeSerialNumber(const std::string& rootPath) = 0;
  // The label through a 256-character buffer; nullopt when the volume cannot be read.
  virtual std::optional<std::string> volumeLabel(const std::string& rootPath) = 0;
  // SetErrorMode: sets the mode, returns the previous one.
  virtual std::uint32_t setErrorMode(std::uint32_t mode) = 0;
  // The volume's total size by the disk-space query; nullopt when the query fails.
  virtual std::optional<std::uint64_t> totalVolumeBytes(const std::string& rootPath) = 0;
  // A new GUID in its 38-character registry form; PlatformError when it cannot be converted to text.
  virtual std::string newGuidText() = 0;
};

using Ipv4Address = std::array<std::uint8_t, 4>;  // in network order

class Network {
 public:
  virtual ~Network() = default;
  // URL.DLL's InetIsOffline(0) (true: offline); nullopt when the library or its entry is missing.
  virtual std::optional<bool> inetIsOffline() = 0;
  // wininet's InternetGetConnectedState.
  virtual bool internetConnectedState() = 0;
  // WSAStartup (version 1.1), made on the first call only; answers whether the library is started.
  virtual bool startSockets() = 0;
  // gethostname into 256 characters; nullopt when the call fails.
  virtual std::optional<std::string> hostName() = 0;
  // Whether inet_addr accepts the text as an address.
  virtual bool isDottedAddress(const std::string& text) = 0;
  // The first address gethostbyname gives for the name; nullopt when it resolves to none.
  virtual std::optional<Ipv4Address> firstHostAddress(const std::string& name) = 0;
  // InternetAutodial with the flags, the main form's window as owner of any dialog.
  virtual void autodial(std::uint32_t flags) = 0;
  // InternetAutodialHangup(0).
  virtual void autodialHangup() = 0;
};

// A global memory block, 0 for none.
using MemoryBlock = std::uintptr_t;

class ClipboardAccess {
 public:
  virtual ~ClipboardAccess() = default;
  // OpenClipboard with the application window as owner; false when another program holds it.
  virtual bool open() = 0;
  virtual void close() = 0;
  virtual bool empty() = 0;
  // A movable, shareable block (GMEM_MOVEABLE + GMEM_DDESHARE) of `size` bytes; 0 when refused.
  virtual MemoryBlock allocate(std::size_t size) = 0;
  // Locks the block, copies the bytes to its start, unlocks it; false when it cannot be locked.
  virtual bool fill(MemoryBlock block, std::string_view bytes) = 0;
  virtual void free(MemoryBlock block) = 0;
  // SetClipboardData; true when the clipboard took the block (it then owns it).
  virtual bool setData(std::uint32_t format, MemoryBlock block) = 0;
  // GetClipboardData: the block's text up to its first NUL (never past the block's end); nullopt when
  // the clipboard holds no data of the format.
  virtual std::optional<std::string> textData(std::uint32_t format) = 0;
};

}  // namespace tovrik
