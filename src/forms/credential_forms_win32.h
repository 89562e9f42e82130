// TPasswordDlg and TfrmLogin: the modal dialogs that ask for a password, or a user name and a password.
#pragma once

#include <string>

#include "forms/form_win32.h"
#include "platform/credential_dialogs.h"

namespace tovrik {

class TPasswordDlg final : public Form {
 public:
  TPasswordDlg();
  // Caption and prompt from the script; Enter or OK confirms, Escape, Annuler or the close box do not.
  EnteredCredentials ask(const std::string& title, const std::string& prompt);

 protected:
  void createChildren() override;
  bool onCommand(int id) override;

 private:
  void OKBtnClick();
  void CancelBtnClick();

  HWND Label1 = nullptr;
  HWND Password = nullptr;
  EnteredCredentials entered_;
};

class TfrmLogin final : public Form {
 public:
  TfrmLogin();
  // Escape does not close this dialog: its cancel button is not the dialog's cancel button.
  EnteredCredentials ask(const std::string& title, const std::string& userPrompt, const std::string& passwordPrompt);

 protected:
  void createChildren() override;
  bool onCommand(int id) override;

 private:
  void btnOKClick();
  void btnCancelClick();

  HWND lblUser = nullptr;
  HWND edtUser = nullptr;
  HWND lblPassword = nullptr;
  HWND edtPasswd = nullptr;
  EnteredCredentials entered_;
};

}  // namespace tovrik
