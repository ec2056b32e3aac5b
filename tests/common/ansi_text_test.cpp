#include "common/ansi_text.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(AnsiText, Windows1252BytesBothWays) {
  struct Case {
    std::u16string text;
    std::string bytes;
  };
  const Case cases[] = {
      {u"", ""},
      {u"ABC 12", "ABC 12"},
      {u"A\u00e4\u00df\u20ac\u201c", "A\xE4\xDF\x80\x93"},
      {u"\u0152\u0178\u2122\u00ff\u00a0", "\x8C\x9F\x99\xFF\xA0"},
      {u"\r\n\t\"", "\r\n\t\""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToAnsi(c.text), c.bytes);
    EXPECT_EQ(FromAnsi(c.bytes), c.text);
  }
}

TEST(AnsiText, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach) {
  struct Case {
    std::u16string text;
    std::string bytes;
  };
  const Case cases[] = {
      {u"\u4e2d", "?"},   {u"a\U0001F600b", "a?b"},  // a surrogate pair is one character
      {u"\xD800", "?"},                              // a lone surrogate
      {u"x\xDC00", "x?"}, {u"\u0080\u0100", "??"},
  };
  for (const Case& c : cases) EXPECT_EQ(ToAnsi(c.text), c.bytes);
}

TEST(AnsiText, BytesWithoutACharacterSurviveARoundTrip) {
  for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    const std::string bytes(1, static_cast<char>(b));
    EXPECT_EQ(FromAnsi(bytes), std::u16string(1, static_cast<char16_t>(b)));
    EXPECT_EQ(ToAnsi(FromAnsi(bytes)), bytes);
  }
  std::string every;
  for (int b = 0; b < 256; ++b) every.push_back(static_cast<char>(b));
  EXPECT_EQ(ToAnsi(FromAnsi(every)), every);
}

TEST(AnsiText, Utf8ForMessages) {
  EXPECT_EQ(ToUtf8(u"A\u00e4\u20ac\U0001F600"), "A\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80");
  EXPECT_EQ(ToUtf8(u"\xD800"), "\xEF\xBF\xBD");
  EXPECT_EQ(FromUtf8("A\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80"), u"A\u00e4\u20ac\U0001F600");
  EXPECT_EQ(FromUtf8("\xC3"), u"\uFFFD");  // cut short
  EXPECT_EQ(FromUtf8("\xFF"
                     "a"),
            u"\uFFFD"
            u"a");                                             // no such lead byte
  EXPECT_EQ(FromUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
}

TEST(AnsiText, MessageExcerptsAreShortAndKeepCharactersWhole) {
  EXPECT_EQ(MessageExcerpt(u"0.2x"), "0.2x");
  EXPECT_EQ(MessageExcerpt(std::u16string(40, u'a')), std::string(40, 'a'));
  EXPECT_EQ(MessageExcerpt(std::u16string(10000000, u'a')), std::string(40, 'a') + "...");
  // A surrogate pair straddling the cut is left out whole, not halved.
  const std::u16string emoji = std::u16string(39, u'a') + u"\U0001F600";
  EXPECT_EQ(MessageExcerpt(emoji + u"b"), std::string(39, 'a') + "...");
}

}  // namespace
}  // namespace quillet
