#include "platform/qt/qt_program_file_query.h"

#include <QCoreApplication>
#include <QDateTime>
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
  // The real file, so that the program lines appear.
  return FileFactsFor(QCoreApplication::applicationFilePath());
}

}  // namespace quillet
