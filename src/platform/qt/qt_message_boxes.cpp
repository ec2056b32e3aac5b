#include "platform/qt/qt_message_boxes.h"

#include <QApplication>
#include <QMessageBox>

#include "common/program_name.h"

namespace quillet {
namespace {

// The button pressed.
int Show(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
         QMessageBox::StandardButtons buttons = QMessageBox::Ok,
         QMessageBox::StandardButton default_button = QMessageBox::Ok) {
  QMessageBox box(icon, title, text, buttons, parent);
  box.setDefaultButton(default_button);
  // File names and cell texts are shown as they are, never as markup.
  box.setTextFormat(Qt::PlainText);
  return box.exec();
}

}  // namespace

void QtMessageBoxes::ShowError(const std::string& message) {
  Show(owner_.Get(), QMessageBox::Warning, QString::fromUtf16(kProgramName),
       QString::fromStdString(message));
}

void QtMessageBoxes::ShowInformation(const std::u16string& title, const std::u16string& text) {
  Show(owner_.Get(), QMessageBox::Information, QString::fromStdU16String(title),
       QString::fromStdU16String(text));
}

bool QtMessageBoxes::AskYesNo(const std::string& question) {
  return Show(owner_.Get(), QMessageBox::Warning, QString::fromUtf16(kProgramName),
              QString::fromStdString(question), QMessageBox::Yes | QMessageBox::No,
              QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace quillet
