// The main form's dialog components: the open and save dialogs and the folder browser, configured by a
// command and executed once.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace tovrik {

// An open or save dialog of the common dialog library, with its fixed options.
class TFileDialog {
 public:
  explicit TFileDialog(DWORD options) : options_(options) {}

  std::string Title;
  std::string Filter;  // NUL-separated pairs ending in a double NUL; empty for none
  std::string InitialDir;
  std::string FileName;  // the initial name, then the chosen full path
  std::string DefaultExt;

  // Runs the dialog modally, owned by `owner`; true when the user chose a file.
  bool Execute(HWND owner, bool save);

 private:
  DWORD options_;
};

class TOpenDialog final : public TFileDialog {
 public:
  TOpenDialog();
  bool Execute(HWND owner) { return TFileDialog::Execute(owner, false); }
};

class TSaveDialog final : public TFileDialog {
 public:
  TSaveDialog();
  bool Execute(HWND owner) { return TFileDialog::Execute(owner, true); }
};

// The shell's folder browser, rooted at the desktop, with a status line showing the selected path.
class TJvBrowseFolder final {
 public:
  std::string Title;
  std::string Directory;  // the initial folder, then the chosen one
  bool NewDialogStyle = false;

  // Runs the browser modally, owned by `owner`; true when the user chose a file-system folder.
  bool Execute(HWND owner);
};

// The shell library's file version (major in the high 16 bits, minor in the low 16), read once per run;
// 0 when it cannot be read.
std::uint32_t shellLibraryVersion();

}  // namespace tovrik
