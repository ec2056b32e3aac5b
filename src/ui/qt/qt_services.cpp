#include "ui/qt/qt_services.h"

namespace quillet {

void QtServices::SetOwner(QWidget* window) {
  printer_dialog_.SetParent(window);
  input_box_.SetParent(window);
  messages_.SetParent(window);
}

}  // namespace quillet
