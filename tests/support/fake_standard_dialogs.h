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
  // Each dialog ends by its time-out, when it is given one, instead of giving its answer.
  bool timeOutsRunOut = false;

  std::optional<std::size_t> listAnswer;

  std::vector<FileDialogRequest> fileRequests;
  std::vector<ListChoiceRequest> listRequests;
  std::vector<FolderBrowseRequest> folderRequests;
  std::vector<std::string> shown;  // "input caption|prompt|text", "message kind|text|buttons", "beep", "play path"
  std::vector<std::optional<TimeOut>> timeOuts;  // of each input, list and message dialog shown

  std::optional<std::string> chooseFile(const FileDialogRequest& request) override {
    fileRequests.push_back(request);
    return fileAnswer;
  }
  DialogAnswer<std::optional<std::string>> askText(const std::string& caption, const std::string& prompt,
                                                   const std::string& initialText,
                                                   const std::optional<TimeOut>& timeOut) override {
    shown.push_back("input " + caption + "|" + prompt + "|" + initialText);
    return answer(textAnswer, timeOut);
  }
  DialogAnswer<std::optional<std::size_t>> chooseFromList(const ListChoiceRequest& request) override {
    listRequests.push_back(request);
    return answer(listAnswer, request.timeOut);
  }
  std::uint32_t shellVersion() override { return version; }
  std::optional<std::string> browseFolder(const FolderBrowseRequest& request) override {
    folderRequests.push_back(request);
    return folderAnswer;
  }
  DialogAnswer<int> showMessage(MessageKind kind, const std::string& message, MessageButtons buttons,
                                const std::optional<TimeOut>& timeOut) override {
    std::string captions;
    for (const std::string& caption : buttonCaptions(buttons)) captions += caption + ",";
    shown.push_back(std::string("message ") + messageCaption(kind) + "|" + message + "|" + captions);
    return answer(messageAnswer, timeOut);
  }
  void beep() override { shown.push_back("beep"); }
  void playSoundFile(const std::string& path) override { shown.push_back("play " + path); }

 private:
  // The set answer, also when the time-out runs out: a command must then give the time-out's answer
  // instead, which the tests set apart from it.
  template <class Value>
  DialogAnswer<Value> answer(const Value& value, const std::optional<TimeOut>& timeOut) {
    timeOuts.push_back(timeOut);
    if (timeOut && timeOutsRunOut) return {.value = value, .timedOut = true};
    return {.value = value};
  }
};

}  // namespace tovrik::fakes
