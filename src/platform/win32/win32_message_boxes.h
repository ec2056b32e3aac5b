// Modal message boxes on Windows (MessageBoxW).
#pragma once

#include <windows.h>

#include "common/message_boxes.h"

namespace quillet {

class Win32MessageBoxes : public MessageBoxes {
 public:
  // The window the boxes are modal to (the active one when none is set); the
  // main window is made after the services.
  void SetOwner(HWND owner) { owner_ = owner; }

  // Titled with the program's name, with the warning icon and one OK.
  void ShowError(const std::string& message) override;
  // The given title and text, the information icon and one OK.
  void ShowInformation(const std::u16string& title, const std::u16string& text) override;
  // Titled with the program's name, the warning icon, Yes and No (the default).
  bool AskYesNo(const std::string& question) override;

 private:
  HWND Owner() const;
  HWND owner_ = nullptr;
};

}  // namespace quillet
