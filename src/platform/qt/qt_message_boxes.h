// Modal message boxes on Qt.
#pragma once

#include "common/message_boxes.h"
#include "platform/qt/qt_dialog_owner.h"

namespace quillet {

class QtMessageBoxes : public MessageBoxes {
 public:
  // The boxes open over `owner`'s window, which outlives them.
  explicit QtMessageBoxes(const QtDialogOwner& owner) : owner_(owner) {}

  void ShowError(const std::string& message) override;
  void ShowInformation(const std::u16string& title, const std::u16string& text) override;
  bool AskYesNo(const std::string& question) override;

 private:
  const QtDialogOwner& owner_;
};

}  // namespace quillet
