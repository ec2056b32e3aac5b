#include "common/ansi_text.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

// The bytes, or the failure's message, so that a failure shows in a comparison.
std::string Ansi(std::u16string_view text) {
  const Result<std::string> bytes = ToAnsi(text);
  return bytes ? bytes.value() : "failed: " + bytes.message();
}

// Characters outside the code page become one question mark each, one way.
TEST(AnsiText, Windows1252Bytes) {
  struct Case {
    std::u16string text;
    std::string bytes;
    bool both_ways;
  };
  const Case cases[] = {
      {u"", "", true},
      {u"ABC 12", "ABC 12", true},
      {u"A\u00e4\u00df\u20ac\u201c", "A\xE4\xDF\x80\x93", true},
      {u"\u0152\u0178\u2122\u00ff\u00a0", "\x8C\x9F\x99\xFF\xA0", true},
      {u"\r\n\t\"", "\r\n\t\"", true},
      {u"\u4e2d", "?", false},
      {u"a\U0001F600b", "a?b", false},  // a surrogate pair is one character
      {u"\xD800", "?", false},          // a lone surrogate
      {u"x\xDC00", "x?", false},
      {u"\u0080\u0100", "??", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Ansi(c.text), c.bytes);
    if (c.both_ways) {
      EXPECT_EQ(FromAnsi(c.bytes), c.text);
    }
  }
}

TEST(AnsiText, BytesWithoutACharacterSurviveARoundTrip) {
  for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    const std::string bytes(1, static_cast<char>(b));
    EXPECT_EQ(FromAnsi(bytes), std::u16string(1, static_cast<char16_t>(b)));
    EXPECT_EQ(Ansi(FromAnsi(bytes)), bytes);
  }
  std::string every;
  for (int b = 0; b < 256; ++b) every.push_back(static_cast<char>(b));
  EXPECT_EQ(Ansi(FromAnsi(every)), every);
}

#ifdef _WIN32
// Windows converts through the system; these run the code pages the tests'
// machine does not use as its own.
TEST(AnsiText, OtherWindowsCodePages) {
  struct Case {
    unsigned code_page;
    std::u16string text;
    std::string bytes;
  };
  const Case cases[] = {
      // Where Windows uses UTF-8 as its ANSI code page, files are UTF-8.
      {65001, u"A\u00e4\u20ac", "A\xC3\xA4\xE2\x82\xAC"},
      {65001, u"a\U0001F600b",
       "a\xF0\x9F\x98\x80"
       "b"},
      {65001, u"x\xD800y\xDC00", "x?y?"},  // lone surrogates
      // Shift-JIS: two bytes for a kana, and no best fit for what it lacks.
      {932, u"A\u3042", "A\x82\xA0"},
      {932, u"\u0100\U0001F600\u00e4", "???"},
      {1252, u"\u0100\u0141\u2212", "???"},
  };
  for (const Case& c : cases) {
    const Result<std::string> bytes = ToCodePage(c.text, c.code_page);
    ASSERT_TRUE(bytes.ok()) << c.code_page << ": " << bytes.message();
    EXPECT_EQ(bytes.value(), c.bytes) << c.code_page;
  }
  EXPECT_EQ(FromCodePage("A\x82\xA0", 932), u"A\u3042");
  EXPECT_EQ(FromCodePage("A\xC3\xA4\xF0\x9F\x98\x80", 65001), u"A\u00e4\U0001F600");
}

TEST(AnsiText, AFailedWindowsConversionIsReportedNotEmpty) {
  const Result<std::string> bytes = ToCodePage(u"abc", 4711);  // no such code page
  ASSERT_FALSE(bytes.ok());
  EXPECT_NE(bytes.message().find("code page 4711"), std::string::npos) << bytes.message();
  // Reading keeps every byte rather than losing the text.
  EXPECT_EQ(FromCodePage("a\xE4", 4711), u"a\u00e4");
}
#endif

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

}  // namespace
}  // namespace quillet
