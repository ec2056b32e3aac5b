#include "platform/qt/qt_input_box.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QString>

#include "common/program_name.h"
#include "common/text_field.h"

namespace quillet {
namespace {

// The prompt carries the calibration file's text verbatim, so its label shows
// plain text and a "&" in it must not become an access key. QInputDialog makes
// the label the field's buddy (which turns "&" into a mnemonic) only when it is
// first shown, so that is undone here, after the dialog has laid itself out.
class PlainPromptDialog : public QInputDialog {
 public:
  using QInputDialog::QInputDialog;

  void setVisible(bool visible) override {
    QInputDialog::setVisible(visible);
    if (!visible) return;
    if (auto* text = findChild<QLabel*>()) {
      text->setTextFormat(Qt::PlainText);
      text->setBuddy(nullptr);
    }
  }
};

}  // namespace

std::optional<std::u16string> QtInputBox::Ask(const std::u16string& prompt) {
  PlainPromptDialog dialog(owner_.Get());
  dialog.setWindowTitle(QString::fromUtf16(kProgramName));
  dialog.setInputMode(QInputDialog::TextInput);
  dialog.setTextValue(QString());
  QString label = QString::fromStdU16String(prompt);
  label.replace(QChar(u'\r'), QChar(u'\n'));
  dialog.setLabelText(label);
  // Wrapped, a label is at most 80 average characters wide; the prompt has
  // no longer words, so the box keeps that width whatever the file holds.
  if (auto* text = dialog.findChild<QLabel*>()) text->setWordWrap(true);

  if (auto* field = dialog.findChild<QLineEdit*>()) {
    field->setMaxLength(kAnyTextLength);
    // The label is no buddy (see above), so a screen reader is told here.
    field->setAccessibleName(label);
  }

  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue().toStdU16String();
}

}  // namespace quillet
