// The file dialogs over GetOpenFileName / GetSaveFileName, the folder browser over SHBrowseForFolder with
// its callback, and the shell library's version.
#include "forms/common_dialogs_win32.h"

#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include <optional>
#include <vector>

#include "command/error.h"
#include "platform/resource_owners_win32.h"
#include "platform/ansi_names_win32.h"
#include "platform/com_win32.h"
#include "platform/system_strings_win32.h"

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

// The file-system path of a shell item, in UTF-16; empty for a virtual item.
std::wstring pathOfItem(LPCITEMIDLIST item) {
  wchar_t path[MAX_PATH] = {};
  if (!item || !SHGetPathFromIDListW(item, path)) return std::wstring();
  return path;
}

// A chosen name the ANSI code page cannot spell, even through its short form, ends the command with an
// error: reporting its look-alike would send the script to another file.
std::string chosenPath(const std::wstring& path) {
  if (std::optional<std::string> exact = exactAnsiPath(path)) return *exact;
  throw PlatformError("Chemin hors de la page de code ANSI : " +
                      convertWideToCodePage(CP_ACP, path.data(), static_cast<int>(path.size())));
}

int CALLBACK browseCallback(HWND dialog, UINT message, LPARAM lParam, LPARAM data) {
  const auto* browser = reinterpret_cast<const FolderBrowser*>(data);
  if (message == BFFM_INITIALIZED) {
    SetWindowPos(dialog, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!browser->directory.empty())
      SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(browser->directory.c_str()));
    showInStatusLine(dialog, browser->directory);
  } else if (message == BFFM_SELCHANGED) {
    // Shown only: the closest ANSI form reads best.
    const std::wstring selected = pathOfItem(reinterpret_cast<LPCITEMIDLIST>(lParam));
    const std::string path = convertWideToCodePage(CP_ACP, selected.data(), static_cast<int>(selected.size()));
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

// The UTF-16 dialog: the ANSI one would hand back a chosen name outside the code page as a look-alike.
bool FileDialog::execute(HWND owner, bool save) {
  wchar_t file[MAX_PATH] = {};
  lstrcpynW(file, widenAnsi(fileName).c_str(), MAX_PATH);
  const std::wstring wideFilter = widenAnsi(filter);  // its NUL separators and final double NUL included
  const std::wstring wideInitialDir = widenAnsi(initialDir);
  const std::wstring wideTitle = widenAnsi(title);
  const std::wstring wideDefaultExt = widenAnsi(defaultExt);
  OPENFILENAMEW request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = owner;
  request.lpstrFilter = wideFilter.empty() ? nullptr : wideFilter.c_str();
  request.nFilterIndex = 1;
  request.lpstrFile = file;
  request.nMaxFile = MAX_PATH;
  // No folder has a longer path: the system would only cut it.
  request.lpstrInitialDir =
      wideInitialDir.empty() || wideInitialDir.size() >= MAX_PATH ? nullptr : wideInitialDir.c_str();
  request.lpstrTitle = wideTitle.empty() ? nullptr : wideTitle.c_str();
  request.Flags = options_;
  request.lpstrDefExt = wideDefaultExt.empty() ? nullptr : wideDefaultExt.c_str();
  request.lpfnHook = fileDialogHook;
  // The Explorer-style dialogs host shell objects: COM must be started on this thread first.
  ensureComInitialized();
  const BOOL chosen = save ? GetSaveFileNameW(&request) : GetOpenFileNameW(&request);
  if (!chosen) return false;
  fileName = chosenPath(file);
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
  const std::wstring path = pathOfItem(chosen.get());
  if (path.empty()) return false;
  directory = chosenPath(path);
  return true;
}

std::uint32_t shellLibraryVersion() {
  static const std::uint32_t version = readShellLibraryVersion();
  return version;
}

}  // namespace tovrik
