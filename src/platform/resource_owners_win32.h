// Owners of Win32 resources, for the Win32 code of every layer above the platform: each frees its resource
// once, when it goes out of scope, also when an exception passes.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <memory>
#include <type_traits>

namespace tovrik {

struct KernelHandleCloser {
  void operator()(HANDLE handle) const {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
};
// A kernel object handle (file, process, token); null or INVALID_HANDLE_VALUE owns nothing.
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, KernelHandleCloser>;

struct FindCloser {
  void operator()(HANDLE search) const {
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
  }
};
// A directory search of FindFirstFileA; INVALID_HANDLE_VALUE owns nothing.
using FindHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, FindCloser>;

struct RegistryKeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
// A registry key opened by this program.
using OwnedRegistryKey = std::unique_ptr<std::remove_pointer_t<HKEY>, RegistryKeyCloser>;

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
// A font, brush or bitmap made by this program.
template <typename Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

struct CoTaskMemoryFreer {
  void operator()(void* block) const { CoTaskMemFree(block); }
};
// Memory that a COM or shell call handed over (a string, an item id list).
template <typename T>
using CoTaskMemory = std::unique_ptr<T, CoTaskMemoryFreer>;

struct LocalMemoryFreer {
  void operator()(void* block) const { LocalFree(block); }
};
// Memory that a system call allocated with LocalAlloc for the caller (FormatMessageA's text).
template <typename T>
using LocalMemory = std::unique_ptr<T, LocalMemoryFreer>;

// A window's device context (the screen's for a null window), released on leaving the scope.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a device context and selects the previous one back on leaving the scope.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (previous_) SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace tovrik
