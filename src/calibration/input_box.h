// The modal input box that Enter Adjustments asks its questions in; each
// platform shows its own.
#pragma once

#include <optional>
#include <string>

namespace quillet {

// A modal box with a prompt, an empty one-line field, OK and Cancel.
class InputBox {
 public:
  virtual ~InputBox() = default;
  // The prompt comes ready to show, bounded by PromptText: its lines are
  // separated by CR alone. Gives the field's text on OK (possibly empty),
  // nothing on Cancel or close.
  virtual std::optional<std::u16string> Ask(const std::u16string& prompt) = 0;
};

}  // namespace quillet
