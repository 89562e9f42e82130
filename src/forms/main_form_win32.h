// TMainForm: the program's main form. Hidden in command mode, where its window owns the shell's and the
// dialogs' windows; run without parameters, the configuration form for the return file's path.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "forms/form_win32.h"
#include "platform/services.h"

#include "forms/dialog_components_win32.h"

namespace tovrik {

// A decoded picture as GDI draws it, rows from the top (a negative height in the header).
struct DeviceIndependentPicture {
  BITMAPINFO info{};
  std::vector<std::uint8_t> bits;  // blue, green, red; each row padded to 4 bytes
};

class TMainForm final : public Form {
 public:
  static TMainForm& instance();
  // The main form's window, created hidden on first use. Commands that show nothing never create it.
  static HWND handle();

  // The dialog components the standard dialog commands configure (main_form_dialogs_win32.cpp).
  static TOpenDialog& OpenDialog();
  static TSaveDialog& SaveDialog();
  static TJvBrowseFolder& JvBrowseFolder();

  // Shows the configuration form with the return-file path read at start-up and runs the message loop
  // until the form closes; closing it ends the program.
  static int runConfiguration(Services& services, const std::string& returnFilePath);

 protected:
  void createChildren() override;
  bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool onCommand(int id) override;
  void relayout() override;

 private:
  TMainForm();

  void FormShow(const std::string& returnFilePath);
  void BtnOKClick();
  void BtnCancelClick();
  void FormClose();
  void JvLinkLabel5LinkClick();
  // FormClose, then the window goes, whatever FormClose raised.
  void closeForm();
  void loadPicture();
  void paintBackground(HDC dc);

  Services* services_ = nullptr;
  bool configuring_ = false;
  bool pictureLoaded_ = false;
  DeviceIndependentPicture Image2;  // empty when the picture could not be decoded
  HWND JvLinkLabel1 = nullptr;
  HWND JvLinkLabel5 = nullptr;
  HWND JvLinkLabel2 = nullptr;
  HWND JvLinkLabel3 = nullptr;
  HWND JvLinkLabel4 = nullptr;
  HWND BtnOK = nullptr;
  HWND EdtTK = nullptr;
  HWND BtnCancel = nullptr;
  OwnedFont labelFont_;       // the labels' Tahoma at the form's DPI
  OwnedFont smallLabelFont_;  // the restart notice's
};

}  // namespace tovrik
