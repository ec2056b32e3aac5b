#include "platform/qt/qt_program_file_query.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QString>

#include "support/temp_dir.h"

namespace quillet {
namespace {

using testing::TempDir;
using testing::WriteBytes;

QString ToQString(const std::filesystem::path& file) {
  return QString::fromStdU16String(file.u16string());
}

TEST(FileFactsFor, ReadsTheLocalModificationTimeAndSize) {
  struct Case {
    std::string bytes;
    QDateTime modified;  // local time
  };
  const Case cases[] = {
      {std::string(90112, 'x'), QDateTime(QDate(2002, 5, 2), QTime(15, 2, 41))},
      {"", QDateTime(QDate(2026, 1, 1), QTime(0, 5))},
      {"abc", QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59))},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const auto file = dir / "quillet";
    WriteBytes(file, c.bytes);
    {
      QFile qt_file(ToQString(file));
      ASSERT_TRUE(qt_file.open(QIODevice::ReadWrite));
      ASSERT_TRUE(qt_file.setFileTime(c.modified, QFileDevice::FileModificationTime));
    }
    const ProgramFileFacts facts = FileFactsFor(ToQString(file));
    EXPECT_EQ(facts.path, file.u16string());
    ASSERT_TRUE(facts.modified.has_value());
    const QDate date = c.modified.date();
    const QTime time = c.modified.time();
    EXPECT_EQ(facts.modified->year, date.year());
    EXPECT_EQ(facts.modified->month, date.month());
    EXPECT_EQ(facts.modified->day, date.day());
    EXPECT_EQ(facts.modified->hour, time.hour());
    EXPECT_EQ(facts.modified->minute, time.minute());
    ASSERT_TRUE(facts.size.has_value());
    EXPECT_EQ(*facts.size, c.bytes.size());
  }
}

TEST(FileFactsFor, MissingFileHasNoDateAndNoSize) {
  TempDir dir;
  for (const auto& path : {dir / "quillet", dir / "no" / "such" / "QUILLET.EXE"}) {
    const ProgramFileFacts facts = FileFactsFor(ToQString(path));
    EXPECT_EQ(facts.path, path.u16string());
    EXPECT_FALSE(facts.modified.has_value());
    EXPECT_FALSE(facts.size.has_value());
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
