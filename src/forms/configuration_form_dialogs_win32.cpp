// The common dialogs the standard dialog commands run, each made on first use.
#include "forms/configuration_form_win32.h"

namespace tovrik {

OpenFileDialog& ConfigurationForm::openDialog() {
  static OpenFileDialog dialog;
  return dialog;
}

SaveFileDialog& ConfigurationForm::saveDialog() {
  static SaveFileDialog dialog;
  return dialog;
}

FolderBrowser& ConfigurationForm::folderBrowser() {
  static FolderBrowser browser;
  return browser;
}

}  // namespace tovrik
