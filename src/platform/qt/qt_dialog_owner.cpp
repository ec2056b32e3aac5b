#include "platform/qt/qt_dialog_owner.h"

#include <QApplication>

namespace quillet {

QWidget* QtDialogOwner::Get() const {
  return window_ ? window_.data() : QApplication::activeWindow();
}

}  // namespace quillet
