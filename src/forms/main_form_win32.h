// TMainForm: the program's main window, shown only in configuration mode.
#pragma once

#include <windows.h>

#include <string>

#include "forms/dialog_components_win32.h"

namespace tovrik {

class TMainForm {
 public:
  // The main form's window, created hidden on first use: in command mode it owns the shell's and the
  // dialogs' windows. Commands that show nothing never create it.
  static HWND handle();

  // The dialog components the standard dialog commands configure (main_form_dialogs_win32.cpp).
  static TOpenDialog& OpenDialog();
  static TSaveDialog& SaveDialog();
  static TJvBrowseFolder& JvBrowseFolder();

  // Shows the configuration form and runs the message loop until it closes.
  static int runConfiguration(HINSTANCE instance, const std::string& returnFilePath);
};

}  // namespace tovrik
