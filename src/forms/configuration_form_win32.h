// The configuration form, where the user sets the return file's path. Hidden in command mode, where its
// window owns the shell's and the dialogs' windows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "forms/form_win32.h"
#include "platform/services.h"

#include "forms/common_dialogs_win32.h"

namespace tovrik {

// A decoded picture as GDI draws it, rows from the top (a negative height in the header).
struct DeviceIndependentPicture {
  BITMAPINFO info{};
  std::vector<std::uint8_t> bits;  // blue, green, red; each row padded to 4 bytes
};

class ConfigurationForm final : public Form {
 public:
  static ConfigurationForm& instance();
  // The form's window, created hidden on first use; in command mode it owns the shell's and the dialogs'
  // windows. Commands that show nothing never create it.
  static HWND handle();

  // The common dialogs the standard dialog commands set up (configuration_form_dialogs_win32.cpp).
  static OpenFileDialog& openDialog();
  static SaveFileDialog& saveDialog();
  static FolderBrowser& folderBrowser();

  // Shows the configuration form with the return-file path read at start-up and runs the message loop
  // until the form closes; closing it ends the program.
  static int runConfiguration(Services& services, const std::string& returnFilePath);

 protected:
  void createChildren() override;
  bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool onCommand(int id) override;
  void relayout() override;

 private:
  ConfigurationForm();

  void showWithPath(const std::string& returnFilePath);
  void onOkClick();
  void onCancelClick();
  void storePath();
  void onWebLinkClick();
  // Stores the path when configuring, then destroys the window even when storing raised.
  void closeForm();
  void loadPicture();
  void paintBackground(HDC dc);

  Services* services_ = nullptr;
  bool configuring_ = false;
  bool pictureLoaded_ = false;
  DeviceIndependentPicture picture_;  // empty when the picture could not be decoded
  HWND titleLabel_ = nullptr;
  HWND webLinkLabel_ = nullptr;
  HWND termsLabel_ = nullptr;
  HWND pathTitleLabel_ = nullptr;
  HWND restartNoticeLabel_ = nullptr;
  HWND okButton_ = nullptr;
  HWND pathEdit_ = nullptr;
  HWND cancelButton_ = nullptr;
  OwnedFont labelFont_;       // the labels' Tahoma at the form's DPI
  OwnedFont smallLabelFont_;  // the restart notice's
};

}  // namespace tovrik
