// Small helpers the probe's verb files share: hexadecimal output, finding windows, the forms' font.
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

struct ChildSearch {
  const char* className;
  HWND found;
};

inline BOOL CALLBACK matchChildClass(HWND child, LPARAM data) {
  auto& search = *reinterpret_cast<ChildSearch*>(data);
  char name[64] = {};
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpiA(name, search.className) != 0) return TRUE;
  search.found = child;
  return FALSE;
}

// The first child window (at any depth) of this class, or null.
inline HWND firstChildOfClass(HWND parent, const char* className) {
  ChildSearch search{className, nullptr};
  EnumChildWindows(parent, matchChildClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A screen device context with the forms' font ("MS Sans Serif", -11) selected, for measuring text
// as the program's forms lay it out.
class FormFontDC {
 public:
  FormFontDC() {
    LOGFONTA font{};
    font.lfHeight = -11;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(font.lfFaceName, "MS Sans Serif", LF_FACESIZE);
    font_ = CreateFontIndirectA(&font);
    dc_ = GetDC(nullptr);
    previous_ = SelectObject(dc_, font_);
  }
  ~FormFontDC() {
    SelectObject(dc_, previous_);
    ReleaseDC(nullptr, dc_);
    DeleteObject(font_);
  }
  FormFontDC(const FormFontDC&) = delete;
  FormFontDC& operator=(const FormFontDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HFONT font_;
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace probe
