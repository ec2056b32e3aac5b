// A scripted stand-in for the modal input box: answers from a queue and keeps
// every prompt it was shown.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "calibration/calibration_entry.h"

namespace quillet::testing {

// A queued answer that presses Cancel.
inline constexpr std::nullopt_t kCancel = std::nullopt;

class ScriptedInputBox : public InputBox {
 public:
  ScriptedInputBox() = default;
  explicit ScriptedInputBox(std::vector<std::optional<std::u16string>> answers)
      : answers_(answers.begin(), answers.end()) {}

  // Runs while the box is "open", before the answer is given back.
  void OnAsk(std::function<void(const std::u16string& prompt)> hook) { on_ask_ = std::move(hook); }

  // The queued answer; a box asked with no answer left is cancelled.
  std::optional<std::u16string> Ask(const std::u16string& prompt) override {
    prompts_.push_back(prompt);
    if (on_ask_) on_ask_(prompt);
    if (answers_.empty()) return std::nullopt;
    std::optional<std::u16string> answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
  }

  const std::vector<std::u16string>& prompts() const { return prompts_; }
  std::size_t unused_answers() const { return answers_.size(); }

 private:
  std::deque<std::optional<std::u16string>> answers_;
  std::vector<std::u16string> prompts_;
  std::function<void(const std::u16string&)> on_ask_;
};

}  // namespace quillet::testing
