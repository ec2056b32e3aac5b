// The input box of the calibration entry, as a modal Qt input dialog.
#pragma once

#include <optional>
#include <string>

#include "calibration/calibration_entry.h"

class QWidget;

namespace quillet {

class QtInputBox : public InputBox {
 public:
  // `parent` is the window the box is modal to; null means the active window.
  explicit QtInputBox(QWidget* parent) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  // Titled with the program's name, the prompt as PromptText shows it (its CRs
  // as line breaks) and naming the field, the field empty and without a
  // length limit. Nothing on Cancel or close.
  std::optional<std::u16string> Ask(const std::u16string& prompt) override;

 private:
  QWidget* parent_;
};

}  // namespace quillet
