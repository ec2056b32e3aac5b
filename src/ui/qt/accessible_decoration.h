// Widgets drawn only for looks, kept away from screen readers: a marked widget
// is left out of its parent's accessible children and, asked for directly,
// presents itself as a separator with no text to read or edit.
#pragma once

class QWidget;

namespace quillet {

// Marks `widget`, which must already have its parent, a plain QWidget.
void MarkAsDecoration(QWidget* widget);

}  // namespace quillet
