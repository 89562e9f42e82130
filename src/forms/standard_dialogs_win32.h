// The standard dialogs over the common dialogs, the per-call forms, MessageBeep and PlaySound.
#pragma once

#include "platform/standard_dialogs.h"

namespace tovrik {

class Win32StandardDialogs final : public StandardDialogs {
 public:
  std::optional<std::string> chooseFile(const FileDialogRequest& request) override;
  DialogAnswer<std::optional<std::string>> askText(const std::string& caption, const std::string& prompt,
                                                   const std::string& initialText,
                                                   const std::optional<TimeOut>& timeOut) override;
  DialogAnswer<std::optional<std::size_t>> chooseFromList(const ListChoiceRequest& request) override;
  std::uint32_t shellVersion() override;
  std::optional<std::string> browseFolder(const FolderBrowseRequest& request) override;
  DialogAnswer<int> showMessage(MessageKind kind, const std::string& message, MessageButtons buttons,
                                const std::optional<TimeOut>& timeOut) override;
  void beep() override;
  void playSoundFile(const std::string& path) override;
};

}  // namespace tovrik
