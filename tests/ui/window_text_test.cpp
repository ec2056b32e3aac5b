// How the window shows text from a file or the clipboard: one line, bounded,
// whole characters and access keys.
#include "ui/window_text.h"

#include <gtest/gtest.h>

#include <string>

namespace quillet {
namespace {

const std::u16string kEmoji = u"\U0001F600";

TEST(WindowText, OneLineBoxesHoldTheTextBeforeTheFirstLineBreak) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"L1\r\nL2", u"L1"},
      {u"L1\nL2", u"L1"},
      {u"L1\rL2", u"L1"},
      {u"a\vb", u"a"},
      {u"a\fb", u"a"},
      {u"a\u0085b", u"a"},
      {u"a\u2028b", u"a"},
      {u"a\u2029b", u"a"},
      {u"\nL2", u""},
      {u"tab\tstays", u"tab\tstays"},
      {u"no break", u"no break"},
      {u"", u""},
  };
  for (const auto& [text, line] : cases) EXPECT_EQ(FirstLine(text), line);
}

TEST(WindowText, CaptionsAreOneBoundedLine) {
  const std::u16string limit_minus_one(kCaptionLimit - 1, u'W');
  const struct {
    const char* name;
    std::u16string caption, shown;
  } cases[] = {
      {"short", u"&Print (Adj=0/0)", u"&Print (Adj=0/0)"},
      {"line feeds, NUL and controls as blanks",
       std::u16string(u"a\nb\0c\td\u0085e\u2028f\x7F", 12), u"a b c d e f "},
      {"at the limit", std::u16string(kCaptionLimit, u'W'), std::u16string(kCaptionLimit, u'W')},
      {"a megabyte", std::u16string(1 << 20, u'W'), std::u16string(kCaptionLimit, u'W') + u"..."},
      {"a \"&&\" kept whole", limit_minus_one + u"&&", limit_minus_one + u"..."},
      {"an access key kept whole", limit_minus_one + u"&Xy", limit_minus_one + u"..."},
      {"a pair kept whole", limit_minus_one + kEmoji, limit_minus_one + u"..."},
      {"a line feed cut off", std::u16string(kCaptionLimit, u'x') + u"\n\n",
       std::u16string(kCaptionLimit, u'x') + u"..."},
  };
  for (const auto& c : cases) EXPECT_EQ(CaptionText(c.caption), c.shown) << c.name;
}

TEST(WindowText, TheOffsetsAreShownAsTheyStandInBothCaptions) {
  struct Case {
    std::u16string text, escaped;
  };
  const Case cases[] = {
      {u"", u""}, {u"0", u"0"}, {u"&", u"&&"}, {u"&&", u"&&&&"}, {u"a&b&", u"a&&b&&"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StartCaption({c.text, u"0"}), u"&Print (Adj=" + c.escaped + u"/0)");
    EXPECT_EQ(StartCaption({u"0", c.text}), u"&Print (Adj=0/" + c.escaped + u")");
    EXPECT_EQ(EnteredCaption({c.text, u"0"}), u"&Print Adj=" + c.escaped + u"/0");
  }
}

}  // namespace
}  // namespace quillet
