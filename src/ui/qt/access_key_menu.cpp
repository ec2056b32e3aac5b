#include "ui/qt/access_key_menu.h"

#include <QKeyEvent>
#include <QStyle>

#include <string>
#include <vector>

#include "ui/access_keys.h"

namespace quillet {

void AccessKeyMenu::keyPressEvent(QKeyEvent* event) {
  // The modifiers under which QMenu itself reads a letter as an access key.
  const bool plain_letter = event->text().size() == 1 &&
                            (event->modifiers() & ~(Qt::AltModifier | Qt::ShiftModifier)) == 0;
  if (!plain_letter) return QMenu::keyPressEvent(event);

  const QList<QAction*> items = actions();
  std::vector<std::u16string> texts;
  for (QAction* action : items) texts.push_back(action->text().toStdU16String());
  std::vector<MenuItemState> states;
  for (qsizetype k = 0; k < items.size(); ++k) {
    states.push_back({texts[static_cast<std::size_t>(k)], items[k]->isSeparator(),
                      !items[k]->isVisible(), !items[k]->isEnabled()});
  }
  const bool arrows_light_disabled =
      style()->styleHint(QStyle::SH_Menu_AllowActiveAndDisabled, nullptr, this) != 0;
  const std::optional<int> presses = ArrowPressesForKey(
      states, arrows_light_disabled, static_cast<int>(items.indexOf(activeAction())),
      event->text().at(0).unicode());
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
