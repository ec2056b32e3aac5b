#include "platform/qt/qt_program_starter.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QUrl>

#include <cerrno>
#include <chrono>
#include <thread>

#include "common/text_file.h"

extern char** environ;

namespace quillet {
namespace {

// How long xdg-open is given to say whether it found a program: without a
// desktop of its own it searches for a second or two before it gives up.
// One still running by then waits for the editor it started: that counts
// as opened.
constexpr std::chrono::milliseconds kOpenerWait{3000};
constexpr std::chrono::milliseconds kOpenerPoll{20};
// xdg-open's status when it knows no program for the file.
constexpr int kNoProgramStatus = 3;
// RunXdgOpen's answer when xdg-open itself cannot be started.
constexpr int kNoOpener = -1;

QString ToQString(const std::filesystem::path& file) {
  return QString::fromStdU16String(file.u16string());
}

// Runs xdg-open on `file` and gives its exit status, or 0 when it still runs
// after the wait; a signal that ended it counts as a failure.
int RunXdgOpen(const QString& file) {
  const QByteArray name = QFile::encodeName(file);
  char program[] = "xdg-open";
  char* arguments[] = {program, const_cast<char*>(name.constData()), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, program, &actions, nullptr, arguments, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return kNoOpener;
  const auto start = std::chrono::steady_clock::now();
  for (;;) {
    int status = 0;
    const pid_t ended = ::waitpid(pid, &status, WNOHANG);
    if (ended == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    if (ended < 0 && errno != EINTR) return 0;  // not ours to wait for any more
    if (std::chrono::steady_clock::now() - start >= kOpenerWait) break;
    std::this_thread::sleep_for(kOpenerPoll);
  }
  // Reaped whenever the editor it waits for is closed.
  std::thread([pid] {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return 0;
}

}  // namespace

Status QtProgramStarter::OpenInTextEditor(const std::filesystem::path& file) {
  const QString absolute = QFileInfo(ToQString(file)).absoluteFilePath();
  // xdg-open rather than QDesktopServices::openUrl, which says it opened the
  // file under X11 even when no program was found.
  int status = RunXdgOpen(absolute);
  if (status == 0) return Status::Ok();
  if (status == kNoOpener) {
    // Without xdg-open the desktop's own service may still know a program.
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(absolute))) return Status::Ok();
    status = kNoProgramStatus;
  }
  const std::string reason = status == kNoProgramStatus
                                 ? "no program to show text files was found on this computer"
                                 : "the program to show text files could not open it";
  return Status::Failure("Could not open the file \"" + DisplayName(file) + "\": " + reason + ".");
}

}  // namespace quillet
