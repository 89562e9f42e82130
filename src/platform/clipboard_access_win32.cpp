// Open, empty, fill and read the clipboard, owned by the application window.
#include "platform/clipboard_access_win32.h"

#include <windows.h>

#include <cstring>

#include "platform/application_window_win32.h"

namespace tovrik {
namespace {

HANDLE toHandle(std::uintptr_t value) { return reinterpret_cast<HANDLE>(value); }
std::uintptr_t fromHandle(HANDLE handle) { return reinterpret_cast<std::uintptr_t>(handle); }

}  // namespace

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
