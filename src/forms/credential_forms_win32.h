// PasswordForm and LogonForm: the modal dialogs that ask for a password, or a user name and a password.
#pragma once

#include <string>

#include "forms/form_win32.h"
#include "platform/credential_dialogs.h"

namespace tovrik {

class PasswordForm final : public Form {
 public:
  PasswordForm();
  // Caption and prompt from the script; Enter or OK confirms, Escape, Annuler or the close box do not.
  EnteredCredentials ask(const std::string& title, const std::string& prompt);

 protected:
  void createChildren() override;
  bool onCommand(int id) override;

 private:
  void onOkClick();
  void onCancelClick();

  HWND promptLabel_ = nullptr;
  HWND passwordEdit_ = nullptr;
  EnteredCredentials entered_;
};

class LogonForm final : public Form {
 public:
  LogonForm();
  // Escape does not close this dialog: its cancel button is not the dialog's cancel button.
  EnteredCredentials ask(const std::string& title, const std::string& userPrompt, const std::string& passwordPrompt);

 protected:
  void createChildren() override;
  bool onCommand(int id) override;

 private:
  void onOkClick();
  void onCancelClick();

  HWND userLabel_ = nullptr;
  HWND userEdit_ = nullptr;
  HWND passwordLabel_ = nullptr;
  HWND passwordEdit_ = nullptr;
  EnteredCredentials entered_;
};

}  // namespace tovrik
