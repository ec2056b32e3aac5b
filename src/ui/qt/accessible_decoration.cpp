#include "ui/qt/accessible_decoration.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFocusFrame>
#include <QWidget>

namespace quillet {
namespace {

constexpr char kDecoration[] = "quillet_decoration";
constexpr char kHoldsDecoration[] = "quillet_holds_decoration";

bool IsDecoration(const QObject* object) {
  return object != nullptr && object->property(kDecoration).toBool();
}

class DecorationInterface : public QAccessibleWidget {
 public:
  explicit DecorationInterface(QWidget* widget)
      : QAccessibleWidget(widget, QAccessible::Separator) {}
  int childCount() const override { return 0; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
};

// A plain widget whose child widgets, decorations left out, are its
// accessible children (Qt's own rule for a plain widget, less the decorations).
class ContainerInterface : public QAccessibleWidget {
 public:
  explicit ContainerInterface(QWidget* widget) : QAccessibleWidget(widget) {}

  int childCount() const override { return static_cast<int>(Shown().size()); }
  QAccessibleInterface* child(int index) const override {
    const QList<QWidget*> shown = Shown();
    if (index < 0 || index >= shown.size()) return nullptr;
    return QAccessible::queryAccessibleInterface(shown[index]);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child == nullptr) return -1;
    return static_cast<int>(Shown().indexOf(qobject_cast<QWidget*>(child->object())));
  }

 private:
  QList<QWidget*> Shown() const {
    QList<QWidget*> shown;
    for (QObject* object : widget()->children()) {
      auto* child = qobject_cast<QWidget*>(object);
      if (child != nullptr && !child->isWindow() && !qobject_cast<QFocusFrame*>(child) &&
          !IsDecoration(child)) {
        shown << child;
      }
    }
    return shown;
  }
};

QAccessibleInterface* Factory(const QString& class_name, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr) return nullptr;
  if (IsDecoration(widget)) return new DecorationInterface(widget);
  if (class_name == QLatin1String("QWidget") && widget->property(kHoldsDecoration).toBool()) {
    return new ContainerInterface(widget);
  }
  return nullptr;
}

// Drops an interface made before the widget was marked (Qt makes one as soon
// as a widget is disabled, say), so that the next query asks the factory.
template <typename Wanted>
void Renew(QWidget* widget) {
  QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget);
  if (made != nullptr && dynamic_cast<Wanted*>(made) == nullptr) {
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
  }
}

}  // namespace

void MarkAsDecoration(QWidget* widget) {
  // Installing the same factory again is a no-op; factories installed later
  // are asked before Qt's own.
  QAccessible::installFactory(Factory);
  widget->setProperty(kDecoration, true);
  Renew<DecorationInterface>(widget);
  if (QWidget* parent = widget->parentWidget()) {
    parent->setProperty(kHoldsDecoration, true);
    Renew<ContainerInterface>(parent);
  }
}

}  // namespace quillet
