#include "platform/qt/qt_program_file_query.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QString>

#include <optional>
#include <string>
#include <tuple>

#include "support/temp_dir.h"

namespace quillet {
namespace {

using testing::TempDir;
using testing::WriteBytes;

QString ToQString(const std::filesystem::path& file) {
  return QString::fromStdU16String(file.u16string());
}

TEST(FileFactsFor, ReadsTheLocalModificationTimeAndSizeAndNothingOfAMissingFile) {
  struct Case {
    const char* file;                  // in a fresh folder
    std::optional<std::string> bytes;  // nothing: no such file
    QDateTime modified;                // local time
  };
  const Case cases[] = {
      {"quillet", std::nullopt, {}},
      {"no/such/QUILLET.EXE", std::nullopt, {}},
      {"quillet", std::string(90112, 'x'), QDateTime(QDate(2002, 5, 2), QTime(15, 2, 41))},
      {"quillet", "", QDateTime(QDate(2026, 1, 1), QTime(0, 5))},
      {"quillet", "abc", QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59))},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const auto file = dir / c.file;
    SCOPED_TRACE(file.string());
    if (c.bytes) {
      WriteBytes(file, *c.bytes);
      QFile qt_file(ToQString(file));
      ASSERT_TRUE(qt_file.open(QIODevice::ReadWrite));
      ASSERT_TRUE(qt_file.setFileTime(c.modified, QFileDevice::FileModificationTime));
    }
    const ProgramFileFacts facts = FileFactsFor(ToQString(file));
    EXPECT_EQ(facts.path, file.u16string());
    EXPECT_EQ(facts.size, c.bytes ? std::optional<std::uint64_t>(c.bytes->size()) : std::nullopt);
    ASSERT_EQ(facts.modified.has_value(), c.bytes.has_value());
    if (!c.bytes) continue;
    const FileTimestamp& m = *facts.modified;
    const QDate date = c.modified.date();
    const QTime time = c.modified.time();
    EXPECT_EQ(std::tie(m.year, m.month, m.day, m.hour, m.minute),
              std::make_tuple(date.year(), date.month(), date.day(), time.hour(), time.minute()));
  }
}

// The path is the real file, so the program lines appear.
TEST(QtProgramFileQuery, FindsTheRunningProgramFile) {
  const ProgramFileFacts facts = QtProgramFileQuery().Query();
  EXPECT_EQ(QString::fromStdU16String(facts.path), QCoreApplication::applicationFilePath());
  EXPECT_TRUE(facts.modified.has_value());
  ASSERT_TRUE(facts.size.has_value());
  EXPECT_GT(*facts.size, 0u);
}

}  // namespace
}  // namespace quillet
