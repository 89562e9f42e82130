// The password and logon dialogs to their measures, and their button handlers.
#include "forms/credential_forms_win32.h"

namespace tovrik {
namespace {

// Not IDCANCEL, so that Escape (which IsDialogMessage sends as IDCANCEL) does not press it.
constexpr int kLogonCancelId = 1002;

}  // namespace

PasswordForm::PasswordForm()
    : Form(FormLayout{.className = "TPasswordDlg",
                      .caption = "Mot de passe",
                      .clientWidth = 233,
                      .clientHeight = 93,
                      .systemMenu = true,
                      .topmost = false}) {}

void PasswordForm::createChildren() {
  promptLabel_ = addLabel("Veuillez saisir le mot de passe :", 8, 9, 13);
  passwordEdit_ = addEdit(8, 27, 217, 21, true);
  addButton("OK", 70, 59, 75, 25, IDOK, true);
  addButton("Annuler", 150, 59, 75, 25, IDCANCEL, false);
}

EnteredCredentials PasswordForm::ask(const std::string& title, const std::string& prompt) {
  setCaption(title.c_str());
  setLabelText(promptLabel_, prompt);
  entered_ = EnteredCredentials{};  // each showing starts with no password and the flag cleared
  showModal();
  return entered_;
}

bool PasswordForm::onCommand(int id) {
  if (id == IDOK) onOkClick();
  else if (id == IDCANCEL) onCancelClick();
  else return false;
  return true;
}

void PasswordForm::onOkClick() {
  entered_.accepted = true;
  entered_.password = textOf(passwordEdit_);
  endModal(IDOK);
}

void PasswordForm::onCancelClick() {
  entered_.accepted = false;
  endModal(IDCANCEL);
}

LogonForm::LogonForm()
    : Form(FormLayout{.className = "TfrmLogin",
                      .caption = "frmLogin",
                      .clientWidth = 265,
                      .clientHeight = 162,
                      .systemMenu = true,
                      .topmost = false}) {}

void LogonForm::createChildren() {
  userLabel_ = addLabel("Utilisateur :", 16, 16, 13);
  userEdit_ = addEdit(16, 32, 233, 21, false);
  passwordLabel_ = addLabel("Mot de passe :", 16, 72, 13);
  passwordEdit_ = addEdit(16, 88, 233, 21, true);
  addButton("&OK", 96, 128, 75, 25, IDOK, true);
  addButton("&Annuler", 176, 128, 75, 25, kLogonCancelId, false);
}

EnteredCredentials LogonForm::ask(const std::string& title, const std::string& userPrompt,
                                  const std::string& passwordPrompt) {
  setCaption(title.c_str());
  setLabelText(userLabel_, userPrompt);
  setLabelText(passwordLabel_, passwordPrompt);
  entered_ = EnteredCredentials{};
  showModal();
  return entered_;
}

bool LogonForm::onCommand(int id) {
  if (id == IDOK) onOkClick();
  else if (id == kLogonCancelId) onCancelClick();
  // Anything else, Escape's IDCANCEL included, does nothing.
  return true;
}

void LogonForm::onOkClick() {
  entered_.userName = textOf(userEdit_);
  entered_.password = textOf(passwordEdit_);
  entered_.accepted = true;
  endModal(IDOK);
}

void LogonForm::onCancelClick() {
  entered_.accepted = false;
  endModal(IDCANCEL);
}

}  // namespace tovrik
