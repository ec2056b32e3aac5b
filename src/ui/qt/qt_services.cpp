#include "ui/qt/qt_services.h"

namespace quillet {

void QtServices::SetOwner(QWidget* window) {
  owner_.Set(window);
}

}  // namespace quillet
