#include "about/about_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "common/ansi_text.h"

namespace quillet {
namespace {

// Details of a made-up maker, so the expected texts below do not lean on the
// program's own values.
const MakerDetails kMaker = {u"(C) 1999 Test Maker", u"1 Main St",
                             u"Town, ST 12345",      u"555-0100",
                             u"a@b.example",         u"https://b.example/"};

const std::string kHead =
    "(C) 1999 Test Maker\n"
    "                        1 Main St\n"
    "                        Town, ST 12345\n"
    "                        555-0100\n"
    "                        E-mail: a@b.example\n"
    "\n"
    "World Wide Web Homepage URL:\n"
    "https://b.example/\n"
    "\n";

const FileTimestamp kMay2002{2002, 5, 2, 15, 2};

TEST(AboutText, WholeTextByWhatCanBeRead) {
  struct Case {
    const char* name;
    ProgramFileFacts program;
    std::string expected;
  };
  const std::u16string path = u"C:\\Tools\\QUILLET.EXE";
  const Case cases[] = {
      {"date and size",
       {path, kMay2002, 90112},
       kHead + "Program:  Version 1.0000\n"
               "  C:\\Tools\\QUILLET.EXE\n"
               "  05/02/02 3:02 PM 90,112 bytes\n"
               "\n"},
      {"size 0 shows no digit",
       {path, kMay2002, 0},
       kHead + "Program:  Version 1.0000\n  C:\\Tools\\QUILLET.EXE\n  05/02/02 3:02 PM  bytes\n\n"},
      {"no size: line ends after the time",
       {path, kMay2002, std::nullopt},
       kHead + "Program:  Version 1.0000\n  C:\\Tools\\QUILLET.EXE\n  05/02/02 3:02 PM"},
      {"no date: no program lines at all", {path, std::nullopt, 90112}, kHead},
      {"no date and no size", {path, std::nullopt, std::nullopt}, kHead},
  };
  for (const Case& c : cases) {
    const std::u16string text = AboutText(kMaker, c.program);
    EXPECT_EQ(ToUtf8(text), c.expected) << c.name;
    EXPECT_EQ(text.find(u'\r'), std::u16string::npos) << c.name;
  }
}

TEST(AboutText, BuiltTwiceGivesTheSameText) {
  const ProgramFileFacts program{u"/usr/bin/quillet", kMay2002, 512};
  const std::u16string first = AboutText(QuilletMaker(), program);
  EXPECT_EQ(AboutText(QuilletMaker(), program), first);
}

TEST(AboutText, OwnMakerFitsTheLineLayout) {
  const MakerDetails& maker = QuilletMaker();
  for (const std::u16string* field : {&maker.first_line, &maker.street, &maker.city,
                                      &maker.telephone, &maker.email, &maker.web}) {
    EXPECT_FALSE(field->empty());
    // A line break or leading blank inside a field would shift the box's lines.
    EXPECT_EQ(field->find_first_of(u"\r\n"), std::u16string::npos) << ToUtf8(*field);
    EXPECT_NE(field->front(), u' ') << ToUtf8(*field);
  }
  EXPECT_EQ(maker.web.rfind(u"https://", 0), 0u) << ToUtf8(maker.web);
  const std::string text = ToUtf8(AboutText(maker, {u"/x", std::nullopt, std::nullopt}));
  EXPECT_EQ(text.substr(text.size() - maker.web.size() - 2), ToUtf8(maker.web) + "\n\n");
}

TEST(WindowsProgramPath, AddsOneSeparatorUnlessThereIsOne) {
  struct Case {
    std::u16string folder, name, expected;
  };
  const Case cases[] = {
      {u"C:\\", u"Quillet", u"C:\\Quillet.EXE"},
      {u"C:\\Tools", u"Quillet", u"C:\\Tools\\Quillet.EXE"},
      {u"C:\\Tools\\", u"Quillet", u"C:\\Tools\\Quillet.EXE"},
      {u"\\\\server\\share\\apps", u"quillet", u"\\\\server\\share\\apps\\quillet.EXE"},
      {u"C:\\My Tools", u"quillet.v2", u"C:\\My Tools\\quillet.v2.EXE"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToUtf8(WindowsProgramPath(c.folder, c.name)), ToUtf8(c.expected));
  }
}

// The date: two digits each, the last two of the year; the time on a twelve-hour
// clock without a leading zero.
TEST(FormatDateAndTime, AsTheProgramLineShowsThem) {
  struct Case {
    FileTimestamp moment;
    std::u16string date, time;
  };
  const Case cases[] = {
      {{2002, 5, 2, 15, 2}, u"05/02/02", u"3:02 PM"},
      {{2000, 1, 1, 0, 0}, u"01/01/00", u"12:00 AM"},
      {{1999, 12, 31, 23, 59}, u"12/31/99", u"11:59 PM"},
      {{2026, 10, 9, 8, 7}, u"10/09/26", u"8:07 AM"},
      {{2110, 2, 28, 0, 0}, u"02/28/10", u"12:00 AM"},
      {{2002, 5, 2, 0, 5}, u"05/02/02", u"12:05 AM"},
      {{2002, 5, 2, 12, 0}, u"05/02/02", u"12:00 PM"},
      {{2002, 5, 2, 11, 59}, u"05/02/02", u"11:59 AM"},
      {{2002, 5, 2, 1, 0}, u"05/02/02", u"1:00 AM"},
      {{2002, 5, 2, 13, 30}, u"05/02/02", u"1:30 PM"},
      {{2002, 5, 2, 10, 10}, u"05/02/02", u"10:10 AM"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.date + u" " + c.time));
    EXPECT_EQ(ToUtf8(FormatDate(c.moment)), ToUtf8(c.date));
    EXPECT_EQ(ToUtf8(FormatTime(c.moment)), ToUtf8(c.time));
  }
}

TEST(FormatSize, CommasBetweenGroupsOfThree) {
  struct Case {
    std::uint64_t bytes;
    std::u16string expected;
  };
  const Case cases[] = {
      {0, u""},
      {1, u"1"},
      {512, u"512"},
      {999, u"999"},
      {1000, u"1,000"},
      {90112, u"90,112"},
      {100000, u"100,000"},
      {1234567, u"1,234,567"},
      {std::numeric_limits<std::uint64_t>::max(), u"18,446,744,073,709,551,615"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToUtf8(FormatSize(c.bytes)), ToUtf8(c.expected)) << c.bytes;
  }
}

}  // namespace
}  // namespace quillet
