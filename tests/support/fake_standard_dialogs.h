// Fake standard dialogs: answer with set values and record what each dialog was given.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/standard_dialogs.h"

namespace tovrik::fakes {

class FakeStandardDialogs final : public StandardDialogs {
 public:
  std::optional<std::string> fileAnswer;
  std::optional<std::string> textAnswer;
  std::optional<std::string> folderAnswer;
  std::uint32_t version = 6u << 16;
  int messageAnswer = kResultOk;

  std::optional<std::size_t> listAnswer;

  std::vector<FileDialogRequest> fileRequests;
  std::vector<ListChoiceRequest> listRequests;
  std::vector<FolderBrowseRequest> folderRequests;
  std::vector<std::string> shown;  // "input caption|prompt|text", "message kind|text|buttons", "beep", "play path"

  std::optional<std::string> chooseFile(const FileDialogRequest& request) override {
    fileRequests.push_back(request);
    return fileAnswer;
  }
  std::optional<std::string> askText(const std::string& caption, const std::string& prompt,
                                     const std::string& initialText) override {
    shown.push_back("input " + caption + "|" + prompt + "|" + initialText);
    return textAnswer;
  }
  std::optional<std::size_t> chooseFromList(const ListChoiceRequest& request) override {
    listRequests.push_back(request);
    return listAnswer;
  }
  std::uint32_t shellVersion() override { return version; }
  std::optional<std::string> browseFolder(const FolderBrowseRequest& request) override {
    folderRequests.push_back(request);
    return folderAnswer;
  }
  int showMessage(MessageKind kind, const std::string& message, MessageButtons buttons) override {
    std::string captions;
    for (const std::string& caption : buttonCaptions(buttons)) captions += caption + ",";
    shown.push_back(std::string("message ") + messageCaption(kind) + "|" + message + "|" + captions);
    return messageAnswer;
  }
  void beep() override { shown.push_back("beep"); }
  void playSoundFile(const std::string& path) override { shown.push_back("play " + path); }
};

}  // namespace tovrik::fakes
