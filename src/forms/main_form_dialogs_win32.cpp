// The main form's dialog components, each made on first use.
#include "forms/main_form_win32.h"

namespace tovrik {

TOpenDialog& TMainForm::OpenDialog() {
  static TOpenDialog dialog;
  return dialog;
}

TSaveDialog& TMainForm::SaveDialog() {
  static TSaveDialog dialog;
  return dialog;
}

TJvBrowseFolder& TMainForm::JvBrowseFolder() {
  static TJvBrowseFolder browser;
  return browser;
}

}  // namespace tovrik
