// Small helpers the probe's verb files share: hexadecimal output and waiting for a window by its title.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

namespace probe {

// Bytes as lower-case hexadecimal pairs, so that any text reaches the tests intact through stdout.
inline std::string hexOf(const void* data, std::size_t size) {
  std::string out;
  char pair[3];
  for (std::size_t i = 0; i < size; ++i) {
    std::snprintf(pair, sizeof pair, "%02x", static_cast<const unsigned char*>(data)[i]);
    out += pair;
  }
  return out;
}
inline std::string hexOf(const std::string& bytes) { return hexOf(bytes.data(), bytes.size()); }

// The same, with "-" for nothing, so that an empty text still fills its place in a line of words.
inline std::string hexOrDash(const void* data, std::size_t size) {
  return size == 0 ? "-" : hexOf(data, size);
}
inline std::string hexOrDash(const std::string& bytes) { return hexOrDash(bytes.data(), bytes.size()); }

// The first top-level window with exactly this title, polled until it appears or the time is up.
inline HWND waitForTitle(const std::string& title, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND window = FindWindowA(nullptr, title.c_str())) return window;
    if (GetTickCount() - start > timeoutMs) return nullptr;
    Sleep(50);
  }
}

}  // namespace probe
