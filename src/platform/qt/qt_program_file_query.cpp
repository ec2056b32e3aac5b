#include "platform/qt/qt_program_file_query.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace quillet {

ProgramFileFacts FileFactsFor(const QString& path) {
  ProgramFileFacts facts;
  facts.path = path.toStdU16String();
  const QFileInfo info(path);
  if (!info.exists()) return facts;
  const QDateTime modified = info.lastModified().toLocalTime();
  if (modified.isValid()) {
    const QDate date = modified.date();
    const QTime time = modified.time();
    facts.modified =
        FileTimestamp{date.year(), date.month(), date.day(), time.hour(), time.minute()};
  }
  facts.size = static_cast<std::uint64_t>(info.size());
  return facts;
}

ProgramFileFacts QtProgramFileQuery::Query() {
#ifdef _WIN32
  // The path as the About box has always shown it: the program's folder, its
  // name and ".EXE" in capitals, whatever the real extension.
  const std::u16string path = WindowsProgramPath(
      QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdU16String(),
      QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdU16String());
  return FileFactsFor(QString::fromStdU16String(path));
#else
  // No ".EXE" names here: the real file, so that the program lines appear.
  return FileFactsFor(QCoreApplication::applicationFilePath());
#endif
}

}  // namespace quillet
