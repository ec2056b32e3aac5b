#include "platform/qt/qt_program_starter.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QUrl>

#include "common/text_file.h"

namespace quillet {
namespace {

QString ToQString(const std::filesystem::path& file) {
  return QString::fromStdU16String(file.u16string());
}

}  // namespace

Status QtProgramStarter::OpenInTextEditor(const std::filesystem::path& file) {
  const QString absolute = QFileInfo(ToQString(file)).absoluteFilePath();
  if (QDesktopServices::openUrl(QUrl::fromLocalFile(absolute))) return Status::Ok();
  // openUrl gives up on platforms without a desktop service (offscreen, some
  // bare window managers) where xdg-open may still find an editor.
  if (QProcess::startDetached(QStringLiteral("xdg-open"), {absolute})) return Status::Ok();
  return Status::Failure("Could not open \"" + DisplayName(file) +
                         "\": no program to show text files was found on this computer.");
}

}  // namespace quillet
