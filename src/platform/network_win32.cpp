// Connection state through URL.DLL and wininet, the local address through wsock32, dial-up through wininet.
#include <windows.h>
#include <winsock.h>
#include <wininet.h>

#include <cstring>

#include "platform/late_binding_win32.h"
#include "platform/network_win32.h"

namespace tovrik {
namespace {

// Loads the library from the system directory (it stays loaded) and looks the function up; nullptr when
// either is missing.
void* loadLibraryFunction(const char* libraryFileName, const char* functionName) {
  const HMODULE module = loadSystemLibrary(libraryFileName);
  if (!module) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(module, functionName));
}

}  // namespace

Win32Network::~Win32Network() {
  // At the end of the process there is nobody left to tell of a failure.
  if (socketsStarted_) WSACleanup();
}

std::optional<bool> Win32Network::inetIsOffline() {
  using InetIsOffline = BOOL(WINAPI*)(DWORD);
  const auto isOffline = reinterpret_cast<InetIsOffline>(loadLibraryFunction("URL.DLL", "InetIsOffline"));
  if (!isOffline) return std::nullopt;
  return isOffline(0) != FALSE;
}

bool Win32Network::internetConnectedState() {
  DWORD flags = 0;
  return InternetGetConnectedState(&flags, 0) != FALSE;
}

bool Win32Network::startSockets() {
  if (!socketsTried_) {
    socketsTried_ = true;
    WSADATA data{};
    socketsStarted_ = WSAStartup(MAKEWORD(1, 1), &data) == 0;
  }
  return socketsStarted_;
}

std::optional<std::string> Win32Network::hostName() {
  char name[256] = {};
  if (gethostname(name, sizeof name) != 0) return std::nullopt;
  return std::string(name, strnlen(name, sizeof name));
}

bool Win32Network::isDottedAddress(const std::string& text) { return inet_addr(text.c_str()) != INADDR_NONE; }

std::optional<Ipv4Address> Win32Network::firstHostAddress(const std::string& name) {
  const hostent* host = gethostbyname(name.c_str());
  if (!host || host->h_addrtype != AF_INET || host->h_length != 4 || !host->h_addr_list || !host->h_addr_list[0])
    return std::nullopt;
  Ipv4Address address{};
  std::memcpy(address.data(), host->h_addr_list[0], address.size());
  return address;
}

void Win32Network::autodial(std::uint32_t flags) { InternetAutodial(flags, owner_()); }

void Win32Network::autodialHangup() { InternetAutodialHangup(0); }

}  // namespace tovrik
