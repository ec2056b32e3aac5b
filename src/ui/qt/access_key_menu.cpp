#include "ui/qt/access_key_menu.h"

#include <QKeyEvent>

#include <string>
#include <vector>

#include "ui/access_keys.h"

namespace quillet {
namespace {

// The items the highlight can rest on, in menu order.
QList<QAction*> Reachable(const QList<QAction*>& actions) {
  QList<QAction*> reachable;
  for (QAction* action : actions) {
    if (action->isVisible() && action->isEnabled() && !action->isSeparator()) {
      reachable << action;
    }
  }
  return reachable;
}

}  // namespace

void AccessKeyMenu::keyPressEvent(QKeyEvent* event) {
  // The modifiers under which QMenu itself reads a letter as an access key.
  const bool plain_letter = event->text().size() == 1 &&
                            (event->modifiers() & ~(Qt::AltModifier | Qt::ShiftModifier)) == 0;
  if (!plain_letter) return QMenu::keyPressEvent(event);

  const QList<QAction*> reachable = Reachable(actions());
  std::vector<std::u16string> texts;
  for (QAction* action : reachable) texts.push_back(action->text().toStdU16String());
  const std::vector<std::u16string_view> captions(texts.begin(), texts.end());
  const std::optional<int> presses = ArrowPressesForKey(
      captions, static_cast<int>(reachable.indexOf(activeAction())), event->text().at(0).unicode());
  if (!presses) return QMenu::keyPressEvent(event);

  // QMenu::setActiveAction would also pop up the submenu of the item it lands
  // on, and the next key would go there; the arrow keys move the highlight
  // without opening anything.
  QKeyEvent arrow(QEvent::KeyPress, *presses > 0 ? Qt::Key_Down : Qt::Key_Up, Qt::NoModifier);
  for (int step = 0; step < (*presses > 0 ? *presses : -*presses); ++step)
    QMenu::keyPressEvent(&arrow);
  event->accept();
}

}  // namespace quillet
