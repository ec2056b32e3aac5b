// A drop-down menu whose items may share an access key: the key then only
// moves the highlight, by the rule in ui/access_keys.h that the Windows
// menus follow too.
#pragma once

#include <QMenu>

namespace quillet {

class AccessKeyMenu : public QMenu {
 public:
  AccessKeyMenu(const QString& title, QWidget* parent) : QMenu(title, parent) {}

 protected:
  // A key that several items carry highlights the next of them after the
  // highlighted item, wrapping round, and runs nothing (Return then runs it or
  // opens its submenu). A key that one item carries runs it at once, as QMenu does.
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace quillet
