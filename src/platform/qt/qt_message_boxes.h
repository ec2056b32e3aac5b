// Modal message boxes on Qt.
#pragma once

#include <QPointer>
#include <QWidget>

#include "common/message_boxes.h"

namespace quillet {

class QtMessageBoxes : public MessageBoxes {
 public:
  // The boxes are modal to `parent`, or to the active window when there is none.
  explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void ShowError(const std::string& message) override;
  void ShowInformation(const std::u16string& title, const std::u16string& text) override;
  bool AskYesNo(const std::string& question) override;

 private:
  QWidget* Parent() const;
  QPointer<QWidget> parent_;
};

}  // namespace quillet
