// Modal message boxes, as the window shows failures and the About text.
#pragma once

#include <string>

namespace quillet {

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // A warning with one OK button; `message` is UTF-8.
  virtual void ShowError(const std::string& message) = 0;
  // An information box with one OK button.
  virtual void ShowInformation(const std::u16string& title, const std::u16string& text) = 0;
  // A warning that asks; true for Yes. No is the default button.
  virtual bool AskYesNo(const std::string& question) = 0;
};

}  // namespace quillet
