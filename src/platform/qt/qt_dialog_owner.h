// The window that every dialog of the program opens over, modal to it and
// transient for it: the main window once it is set, until then (and should it
// be gone) the active window. The dialogs share one.
#pragma once

#include <QPointer>
#include <QWidget>

namespace quillet {

class QtDialogOwner {
 public:
  explicit QtDialogOwner(QWidget* window = nullptr) : window_(window) {}
  void Set(QWidget* window) { window_ = window; }
  QWidget* Get() const;

 private:
  QPointer<QWidget> window_;
};

}  // namespace quillet
