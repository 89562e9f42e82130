// The file dialogs over GetOpenFileName / GetSaveFileName, the folder browser over SHBrowseForFolder with
// its callback, and the shell library's version.
#include "forms/common_dialogs_win32.h"

#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include <vector>

#include "platform/resource_owners_win32.h"
#include "platform/com_win32.h"

namespace tovrik {
namespace {

constexpr DWORD kCommonFileOptions = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_ENABLEHOOK | OFN_EXPLORER;
constexpr int kStatusLineId = 14147;

// The hook's only task: centre the dialog on the screen once it is laid out.
UINT_PTR CALLBACK fileDialogHook(HWND child, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY || reinterpret_cast<const NMHDR*>(lParam)->code != CDN_INITDONE) return 0;
  const HWND dialog = GetParent(child);
  RECT bounds{};
  GetWindowRect(dialog, &bounds);
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

bool fitsWidth(HDC context, const std::string& text, int width) {
  SIZE extent{};
  GetTextExtentPoint32A(context, text.c_str(), static_cast<int>(text.size()), &extent);
  return extent.cx <= width;
}

// The path shortened in its middle with an ellipsis, keeping its start and its last component, so that
// it fits `width` in the context's font.
std::string shortenPathToFit(HDC context, const std::string& path, int width) {
  if (fitsWidth(context, path, width)) return path;
  const std::size_t lastBackslash = path.rfind('\\');
  if (lastBackslash == std::string::npos || lastBackslash == 0) return path;
  const std::string tail = "..." + path.substr(lastBackslash);
  for (std::size_t keep = lastBackslash; keep > 0; --keep) {
    const std::string candidate = path.substr(0, keep) + tail;
    if (fitsWidth(context, candidate, width)) return candidate;
  }
  return tail;
}

// The status line shows the selected path, shortened to the line's width in the line's font.
void showInStatusLine(HWND dialog, const std::string& path) {
  const HWND status = GetDlgItem(dialog, kStatusLineId);
  if (!status) return;
  RECT bounds{};
  GetClientRect(status, &bounds);
  std::string text;
  {
    const WindowDC context(status);
    const SelectedObject selected(context.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(status, WM_GETFONT, 0, 0)));
    text = shortenPathToFit(context.get(), path, bounds.right - bounds.left);
  }
  SendMessageA(dialog, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string pathOfItem(LPCITEMIDLIST item) {
  char path[MAX_PATH] = {};
  if (!item || !SHGetPathFromIDListA(item, path)) return std::string();
  return path;
}

int CALLBACK browseCallback(HWND dialog, UINT message, LPARAM lParam, LPARAM data) {
  const auto* browser = reinterpret_cast<const FolderBrowser*>(data);
  if (message == BFFM_INITIALIZED) {
    SetWindowPos(dialog, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!browser->directory.empty())
      SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(browser->directory.c_str()));
    showInStatusLine(dialog, browser->directory);
  } else if (message == BFFM_SELCHANGED) {
    const std::string path = pathOfItem(reinterpret_cast<LPCITEMIDLIST>(lParam));
    // The browser would disable OK on a virtual folder; choosing one ends as a cancel instead.
    SendMessageA(dialog, BFFM_ENABLEOK, 0, 1);
    showInStatusLine(dialog, path);
  }
  return 0;
}

std::uint32_t readShellLibraryVersion() {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA("shell32.dll", &ignored);
  if (size == 0) return 0;
  std::vector<char> data(size);
  if (!GetFileVersionInfoA("shell32.dll", 0, size, data.data())) return 0;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || !fixed) return 0;
  return fixed->dwFileVersionMS;
}

}  // namespace

OpenFileDialog::OpenFileDialog()
    : FileDialog(kCommonFileOptions | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST) {}

SaveFileDialog::SaveFileDialog() : FileDialog(kCommonFileOptions | OFN_CREATEPROMPT) {}

bool FileDialog::execute(HWND owner, bool save) {
  char file[MAX_PATH] = {};
  lstrcpynA(file, fileName.c_str(), MAX_PATH);
  OPENFILENAMEA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = owner;
  request.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  request.nFilterIndex = 1;
  request.lpstrFile = file;
  request.nMaxFile = MAX_PATH;
  // No folder has a longer path: the system would only cut it.
  request.lpstrInitialDir = initialDir.empty() || initialDir.size() >= MAX_PATH ? nullptr : initialDir.c_str();
  request.lpstrTitle = title.empty() ? nullptr : title.c_str();
  request.Flags = options_;
  request.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
  request.lpfnHook = fileDialogHook;
  // The Explorer-style dialogs host shell objects: COM must be started on this thread first.
  ensureComInitialized();
  const BOOL chosen = save ? GetSaveFileNameA(&request) : GetOpenFileNameA(&request);
  if (!chosen) return false;
  fileName = file;
  return true;
}

bool FolderBrowser::execute(HWND owner) {
  char displayName[MAX_PATH] = {};
  BROWSEINFOA request{};
  request.hwndOwner = owner;
  request.pidlRoot = nullptr;
  request.pszDisplayName = displayName;
  request.lpszTitle = title.empty() ? nullptr : title.c_str();
  request.ulFlags = BIF_STATUSTEXT | (newDialogStyle ? BIF_NEWDIALOGSTYLE : 0);
  request.lpfn = browseCallback;
  request.lParam = reinterpret_cast<LPARAM>(this);
  ensureComInitialized();
  const CoTaskMemory<ITEMIDLIST> chosen(SHBrowseForFolderA(&request));
  const std::string path = pathOfItem(chosen.get());
  if (path.empty()) return false;
  directory = path;
  return true;
}

std::uint32_t shellLibraryVersion() {
  static const std::uint32_t version = readShellLibraryVersion();
  return version;
}

}  // namespace tovrik
