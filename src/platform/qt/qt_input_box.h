// The input box of the calibration entry, as a modal Qt input dialog.
#pragma once

#include <optional>
#include <string>

#include "calibration/input_box.h"
#include "platform/qt/qt_dialog_owner.h"

namespace quillet {

class QtInputBox : public InputBox {
 public:
  // The box opens over `owner`'s window, which outlives it.
  explicit QtInputBox(const QtDialogOwner& owner) : owner_(owner) {}

  // Titled with the program's name, the prompt as it is (its CRs as line
  // breaks) and naming the field, the field empty and without a length
  // limit. Nothing on Cancel or close.
  std::optional<std::u16string> Ask(const std::u16string& prompt) override;

 private:
  const QtDialogOwner& owner_;
};

}  // namespace quillet
