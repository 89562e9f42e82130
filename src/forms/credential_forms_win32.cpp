// The password and logon dialogs to their measures, and their button handlers.
#include "forms/credential_forms_win32.h"

namespace tovrik {
namespace {

// Not IDCANCEL, so that Escape (which IsDialogMessage sends as IDCANCEL) does not press it.
constexpr int kLogonCancelId = 1002;

}  // namespace

TPasswordDlg::TPasswordDlg() : Form(FormLayout{"TPasswordDlg", "Mot de passe", 233, 93, true, false}) {}

void TPasswordDlg::createChildren() {
  Label1 = addLabel("Veuillez saisir le mot de passe :", 8, 9, 13);
  Password = addEdit(8, 27, 217, 21, true);
  addButton("OK", 70, 59, 75, 25, IDOK, true);
  addButton("Annuler", 150, 59, 75, 25, IDCANCEL, false);
}

EnteredCredentials TPasswordDlg::ask(const std::string& title, const std::string& prompt) {
  setCaption(title.c_str());
  setLabelText(Label1, prompt);
  entered_ = EnteredCredentials{};  // FormShow clears the password; the flag starts cleared
  showModal();
  return entered_;
}

bool TPasswordDlg::onCommand(int id) {
  if (id == IDOK) OKBtnClick();
  else if (id == IDCANCEL) CancelBtnClick();
  else return false;
  return true;
}

void TPasswordDlg::OKBtnClick() {
  entered_.accepted = true;
  entered_.password = textOf(Password);
  endModal(IDOK);
}

void TPasswordDlg::CancelBtnClick() {
  entered_.accepted = false;
  endModal(IDCANCEL);
}

TfrmLogin::TfrmLogin() : Form(FormLayout{"TfrmLogin", "frmLogin", 265, 162, true, false}) {}

void TfrmLogin::createChildren() {
  lblUser = addLabel("Utilisateur :", 16, 16, 13);
  edtUser = addEdit(16, 32, 233, 21, false);
  lblPassword = addLabel("Mot de passe :", 16, 72, 13);
  edtPasswd = addEdit(16, 88, 233, 21, true);
  addButton("&OK", 96, 128, 75, 25, IDOK, true);
  addButton("&Annuler", 176, 128, 75, 25, kLogonCancelId, false);
}

EnteredCredentials TfrmLogin::ask(const std::string& title, const std::string& userPrompt,
                                  const std::string& passwordPrompt) {
  setCaption(title.c_str());
  setLabelText(lblUser, userPrompt);
  setLabelText(lblPassword, passwordPrompt);
  entered_ = EnteredCredentials{};
  showModal();
  return entered_;
}

bool TfrmLogin::onCommand(int id) {
  if (id == IDOK) btnOKClick();
  else if (id == kLogonCancelId) btnCancelClick();
  // Anything else, Escape's IDCANCEL included, does nothing.
  return true;
}

void TfrmLogin::btnOKClick() {
  entered_.userName = textOf(edtUser);
  entered_.password = textOf(edtPasswd);
  entered_.accepted = true;
  endModal(IDOK);
}

void TfrmLogin::btnCancelClick() {
  entered_.accepted = false;
  endModal(IDCANCEL);
}

}  // namespace tovrik
