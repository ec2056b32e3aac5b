// A message-box double that writes down what it would have shown.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "common/message_boxes.h"

namespace quillet::testing {

class RecordingMessageBoxes : public MessageBoxes {
 public:
  struct Shown {
    bool error;
    std::u16string title;
    std::string text;  // UTF-8 for errors; the UTF-16 text is in `information`
    std::u16string information;
  };

  void ShowError(const std::string& message) override {
    shown.push_back({true, u"", message, u""});
  }
  void ShowInformation(const std::u16string& title, const std::u16string& text) override {
    shown.push_back({false, title, "", text});
  }

  // Questions are written down as errors are, and answered from `answers`;
  // No when none is left.
  bool AskYesNo(const std::string& question) override {
    shown.push_back({true, u"", question, u""});
    ++asked;
    if (answers.empty()) return false;
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
  }

  std::vector<Shown> shown;
  std::deque<bool> answers;
  int asked = 0;
};

}  // namespace quillet::testing
