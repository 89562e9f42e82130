// Each dialog is made when its command runs, so the commands that show nothing never load its library.
#include "forms/standard_dialogs_win32.h"

#include <windows.h>
#include <mmsystem.h>

#include "forms/form_win32.h"
#include "forms/main_form_win32.h"
#include "forms/standard_forms_win32.h"

namespace tovrik {
namespace {

template <typename Dialog>
std::optional<std::string> runFileDialog(Dialog& dialog, const FileDialogRequest& request) {
  dialog.Title = request.title;
  dialog.Filter = request.filter;
  dialog.InitialDir = request.initialDirectory;
  dialog.FileName = request.fileName;
  dialog.DefaultExt = request.defaultExtension;
  if (!dialog.Execute(applicationWindow())) return std::nullopt;
  return dialog.FileName;
}

}  // namespace

std::optional<std::string> Win32StandardDialogs::chooseFile(const FileDialogRequest& request) {
  if (request.save) return runFileDialog(TMainForm::SaveDialog(), request);
  return runFileDialog(TMainForm::OpenDialog(), request);
}

std::optional<std::string> Win32StandardDialogs::askText(const std::string& caption, const std::string& prompt,
                                                         const std::string& initialText) {
  TInputQueryForm form(prompt, initialText);
  return form.run(caption);
}

std::optional<std::size_t> Win32StandardDialogs::chooseFromList(const ListChoiceRequest& request) {
  ListForm form(request.prompt, request.entries, request.selected);
  return form.run(request.caption);
}

std::uint32_t Win32StandardDialogs::shellVersion() { return shellLibraryVersion(); }

std::optional<std::string> Win32StandardDialogs::browseFolder(const FolderBrowseRequest& request) {
  TJvBrowseFolder& browser = TMainForm::JvBrowseFolder();
  browser.Title = request.title;
  browser.Directory = request.initialDirectory;
  browser.NewDialogStyle = request.newDialogStyle;
  if (!browser.Execute(TMainForm::handle())) return std::nullopt;
  return browser.Directory;
}

int Win32StandardDialogs::showMessage(MessageKind kind, const std::string& message, MessageButtons buttons) {
  TMessageForm form(kind, message, buttons);
  return form.run();
}

void Win32StandardDialogs::beep() { MessageBeep(MB_OK); }

void Win32StandardDialogs::playSoundFile(const std::string& path) {
  PlaySoundA(path.c_str(), nullptr, SND_ASYNC);
}

}  // namespace tovrik
