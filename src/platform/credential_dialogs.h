// The password and logon dialogs, as the credential commands see them.
#pragma once

#include <string>

namespace tovrik {

// What the user confirmed in a password or logon dialog. Not accepted when the dialog was cancelled or
// closed with its close box.
struct EnteredCredentials {
  bool accepted = false;
  std::string password;
  std::string userName;
};

// The modal password and logon dialogs: each sets its caption and prompts, waits until the user closes
// it, and reports what was typed.
class CredentialDialogs {
 public:
  virtual ~CredentialDialogs() = default;
  virtual EnteredCredentials askPassword(const std::string& title, const std::string& prompt) = 0;
  virtual EnteredCredentials askLogon(const std::string& title, const std::string& userPrompt,
                                      const std::string& passwordPrompt) = 0;
};

}  // namespace tovrik
