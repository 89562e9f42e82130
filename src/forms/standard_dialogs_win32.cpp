// Each dialog is made when its command runs, so the commands that show nothing never load its library.
#include "forms/standard_dialogs_win32.h"

#include <windows.h>
#include <mmsystem.h>

#include "forms/form_win32.h"
#include "forms/configuration_form_win32.h"
#include "forms/standard_forms_win32.h"

namespace tovrik {
namespace {

template <typename Dialog>
std::optional<std::string> runFileDialog(Dialog& dialog, const FileDialogRequest& request) {
  dialog.title = request.title;
  dialog.filter = request.filter;
  dialog.initialDir = request.initialDirectory;
  dialog.fileName = request.fileName;
  dialog.defaultExt = request.defaultExtension;
  if (!dialog.execute(applicationWindow())) return std::nullopt;
  return dialog.fileName;
}

}  // namespace

std::optional<std::string> Win32StandardDialogs::chooseFile(const FileDialogRequest& request) {
  if (request.save) return runFileDialog(ConfigurationForm::saveDialog(), request);
  return runFileDialog(ConfigurationForm::openDialog(), request);
}

DialogAnswer<std::optional<std::string>> Win32StandardDialogs::askText(const std::string& caption,
                                                                       const std::string& prompt,
                                                                       const std::string& initialText,
                                                                       const std::optional<TimeOut>& timeOut) {
  InputForm form(prompt, initialText);
  return form.run(caption, timeOut);
}

DialogAnswer<std::optional<std::size_t>> Win32StandardDialogs::chooseFromList(const ListChoiceRequest& request) {
  ListForm form(request.prompt, request.entries, request.selected);
  return form.run(request.caption, request.timeOut);
}

std::uint32_t Win32StandardDialogs::shellVersion() { return shellLibraryVersion(); }

std::optional<std::string> Win32StandardDialogs::browseFolder(const FolderBrowseRequest& request) {
  FolderBrowser& browser = ConfigurationForm::folderBrowser();
  browser.title = request.title;
  browser.directory = request.initialDirectory;
  browser.newDialogStyle = request.newDialogStyle;
  if (!browser.execute(ConfigurationForm::handle())) return std::nullopt;
  return browser.directory;
}

DialogAnswer<int> Win32StandardDialogs::showMessage(MessageKind kind, const std::string& message,
                                                   MessageButtons buttons, const std::optional<TimeOut>& timeOut) {
  MessageBoxForm form(kind, message, buttons, timeOut);
  const int result = form.run();
  if (result == kTimedOutResult) return {.timedOut = true};
  return {.value = result};
}

void Win32StandardDialogs::beep() { MessageBeep(MB_OK); }

void Win32StandardDialogs::playSoundFile(const std::string& path) {
  PlaySoundA(path.c_str(), nullptr, SND_ASYNC);
}

}  // namespace tovrik
