// The program's platform: the Win32 implementations, and the forms behind the windows commands show.
#include "frontend/services_win32.h"

#include "forms/credential_forms_win32.h"
#include "forms/configuration_form_win32.h"
#include "forms/standard_dialogs_win32.h"
#include "forms/status_forms_win32.h"
#include "platform/regional_settings_win32.h"

namespace tovrik {

Win32Services::Win32Services() : shell_(&ConfigurationForm::handle), network_(&ConfigurationForm::handle) {}

const RegionalSettings& Win32Services::regionalSettings() {
  if (!regional_) {
    regional_ = readRegionalSettings();
    // Separators read first (for the header) stay: a run keeps the settings it started with.
    if (separators_) {
      regional_->dateSeparator = separators_->date;
      regional_->timeSeparator = separators_->time;
    }
  }
  return *regional_;
}

DateTimeSeparators Win32Services::dateTimeSeparators() {
  if (regional_) return {regional_->dateSeparator, regional_->timeSeparator};
  if (!separators_) separators_ = readDateTimeSeparators();
  return *separators_;
}

namespace {

// The two status forms; their windows are created only when a command shows one.
class Win32StatusWindows final : public StatusWindows {
 public:
  StatusWindow& waitWindow() override { return wait_; }
  StatusWindow& progressWindow() override { return progress_; }

 private:
  WaitForm wait_;
  ProgressForm progress_;
};

class Win32CredentialDialogs final : public CredentialDialogs {
 public:
  EnteredCredentials askPassword(const std::string& title, const std::string& prompt) override {
    return password_.ask(title, prompt);
  }
  EnteredCredentials askLogon(const std::string& title, const std::string& userPrompt,
                              const std::string& passwordPrompt) override {
    return logon_.ask(title, userPrompt, passwordPrompt);
  }

 private:
  PasswordForm password_;
  LogonForm logon_;
};

}  // namespace

StatusWindows& Win32Services::statusWindows() {
  if (!statusWindows_) statusWindows_ = std::make_unique<Win32StatusWindows>();
  return *statusWindows_;
}

CredentialDialogs& Win32Services::credentialDialogs() {
  if (!credentialDialogs_) credentialDialogs_ = std::make_unique<Win32CredentialDialogs>();
  return *credentialDialogs_;
}

StandardDialogs& Win32Services::standardDialogs() {
  if (!standardDialogs_) standardDialogs_ = std::make_unique<Win32StandardDialogs>();
  return *standardDialogs_;
}

}  // namespace tovrik
