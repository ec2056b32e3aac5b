#include "platform/qt/qt_program_starter.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QUrl>

#include <string>

#include "common/text_file.h"

namespace quillet {
namespace {

// xdg-open's status when it knows no program for the file.
constexpr int kNoProgramStatus = 3;

Status NotOpened(const std::filesystem::path& file, int xdg_open_status) {
  const std::string reason = xdg_open_status == kNoProgramStatus
                                 ? "no program to show text files was found on this computer"
                                 : "the program to show text files could not open it";
  return Status::Failure("Could not open the file \"" + DisplayName(file) + "\": " + reason + ".");
}

}  // namespace

QtProgramStarter::~QtProgramStarter() {
  for (QProcess* opener : openers_.findChildren<QProcess*>()) {
    opener->disconnect();
    // Left to finish on its own rather than killed with this object.
    opener->setParent(nullptr);
  }
}

Status QtProgramStarter::OpenInTextEditor(const std::filesystem::path& file) {
  const QString absolute =
      QFileInfo(QString::fromStdU16String(file.u16string())).absoluteFilePath();
  // xdg-open rather than QDesktopServices::openUrl, which says it opened the
  // file under X11 even when no program was found.
  if (QStandardPaths::findExecutable("xdg-open").isEmpty()) {
    // Without xdg-open the desktop's own service may still know a program.
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(absolute))) return Status::Ok();
    return NotOpened(file, kNoProgramStatus);
  }
  // Without a desktop of its own, xdg-open searches for a second or two, then
  // says what it found, or waits until the editor it started is closed: it is
  // watched, never waited for, so the window goes on meanwhile.
  auto* opener = new QProcess(&openers_);
  opener->setStandardInputFile(QProcess::nullDevice());
  opener->setProcessChannelMode(QProcess::ForwardedChannels);
  QObject::connect(opener, &QProcess::finished, opener,
                   [this, opener, file](int status, QProcess::ExitStatus how) {
                     if (how != QProcess::NormalExit || status != 0)
                       messages_.ShowError(NotOpened(file, status).message());
                     opener->deleteLater();
                   });
  QObject::connect(opener, &QProcess::errorOccurred, opener,
                   [this, opener, file](QProcess::ProcessError error) {
                     if (error != QProcess::FailedToStart) return;
                     messages_.ShowError(NotOpened(file, kNoProgramStatus).message());
                     opener->deleteLater();
                   });
  opener->start("xdg-open", {absolute});
  return Status::Ok();
}

}  // namespace quillet
