#include "ui/qt/access_key_menu.h"

#include <QKeyEvent>
#include <QKeySequence>

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

bool CarriesKey(const QAction* action, QChar key) {
  const QKeySequence mnemonic = QKeySequence::mnemonic(action->text());
  return !mnemonic.isEmpty() && (mnemonic[0].key() & 0xffff) == key.toUpper().unicode();
}

}  // namespace

void AccessKeyMenu::keyPressEvent(QKeyEvent* event) {
  // The modifiers under which QMenu itself reads a letter as an access key.
  const bool plain_letter = event->text().size() == 1 &&
                            (event->modifiers() & ~(Qt::AltModifier | Qt::ShiftModifier)) == 0;
  if (!plain_letter) return QMenu::keyPressEvent(event);

  const QList<QAction*> reachable = Reachable(actions());
  QList<int> carriers;
  for (int k = 0; k < reachable.size(); ++k) {
    if (CarriesKey(reachable[k], event->text().at(0))) carriers << k;
  }
  if (carriers.size() < 2) return QMenu::keyPressEvent(event);

  const int current = reachable.indexOf(activeAction());
  int next = carriers.front();
  for (int k : carriers) {
    if (k > current) {
      next = k;
      break;
    }
  }
  StepHighlightTo(reachable[next]);
  event->accept();
}

// QMenu::setActiveAction would also pop up the submenu of the item it lands
// on, and the next key would go there. The arrow keys move the highlight
// without opening anything, so the highlight walks there the short way round.
void AccessKeyMenu::StepHighlightTo(QAction* target) {
  const QList<QAction*> reachable = Reachable(actions());
  const auto count = reachable.size();
  const auto from = reachable.indexOf(activeAction());
  const auto to = reachable.indexOf(target);
  const bool go_down = from < 0 || (to - from + count) % count <= count / 2;
  const Qt::Key arrow = go_down ? Qt::Key_Down : Qt::Key_Up;
  // Bounded by the number of items: each press moves the highlight one on.
  for (qsizetype step = 0; step < actions().size() && activeAction() != target; ++step) {
    QKeyEvent press(QEvent::KeyPress, arrow, Qt::NoModifier);
    QMenu::keyPressEvent(&press);
  }
}

}  // namespace quillet
