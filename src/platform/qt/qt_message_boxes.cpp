#include "platform/qt/qt_message_boxes.h"

#include <QApplication>
#include <QMessageBox>

#include "common/program_name.h"

namespace quillet {
namespace {

void Show(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
  QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
  // File names and cell texts are shown as they are, never as markup.
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace

QWidget* QtMessageBoxes::Parent() const {
  return parent_ ? parent_.data() : QApplication::activeWindow();
}

void QtMessageBoxes::ShowError(const std::string& message) {
  Show(Parent(), QMessageBox::Warning, QString::fromUtf16(kProgramName),
       QString::fromStdString(message));
}

void QtMessageBoxes::ShowInformation(const std::u16string& title, const std::u16string& text) {
  Show(Parent(), QMessageBox::Information, QString::fromStdU16String(title),
       QString::fromStdU16String(text));
}

}  // namespace quillet
