// Modal message boxes on Windows (MessageBoxW).
#pragma once

#include <windows.h>

#include "common/message_boxes.h"
#include "platform/win32/win32_dialog_owner.h"

namespace quillet {

class Win32MessageBoxes : public MessageBoxes {
 public:
  // The boxes are modal to `owner`'s window, which outlives them.
  explicit Win32MessageBoxes(const Win32DialogOwner& owner) : owner_(owner) {}

  // Titled with the program's name, with the warning icon and one OK.
  void ShowError(const std::string& message) override;
  // The given title and text, the information icon and one OK.
  void ShowInformation(const std::u16string& title, const std::u16string& text) override;
  // Titled with the program's name, the warning icon, Yes and No (the default).
  bool AskYesNo(const std::string& question) override;

 private:
  const Win32DialogOwner& owner_;
};

}  // namespace quillet
