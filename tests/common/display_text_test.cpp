// How text from a file or the clipboard is shown: one line, bounded, whole
// characters and access keys.
#include "common/display_text.h"

#include <gtest/gtest.h>

#include <string>

namespace quillet {
namespace {

const std::u16string kEmoji = u"\U0001F600";

TEST(DisplayText, OneLineBoxesHoldTheTextBeforeTheFirstLineBreak) {
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

TEST(DisplayText, CaptionsAreOneBoundedLine) {
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

TEST(DisplayText, PromptsKeepTheirLinesAndAreWrappedAndCut) {
  const std::u16string word(kPromptWordLimit, u'7');
  const std::u16string pair_at_break = std::u16string(kPromptWordLimit - 1, u'7') + kEmoji;
  const struct {
    const char* name;
    std::u16string prompt, shown;
  } cases[] = {
      {"lines by CR", u"Ask\rmore\r\r(Currently 0.25)", u"Ask\rmore\r\r(Currently 0.25)"},
      {"CR LF is one break", u"a\r\nb", u"a\rb"},
      {"the file's line feeds and NUL", std::u16string(u"(Currently 1\n2\0003)", 17),
       u"(Currently 1 2 3)"},
      {"a word at the limit", word + u" x", word + u" x"},
      {"a longer word broken", word + word + u"7 x", word + u"\r" + word + u"\r7 x"},
      {"a pair never halved", pair_at_break + u"7", pair_at_break + u"\r7"},
  };
  for (const auto& c : cases) EXPECT_EQ(PromptText(c.prompt), c.shown) << c.name;

  const std::u16string huge = PromptText(u"(Currently " + std::u16string(1 << 20, u'9') + u")");
  EXPECT_EQ(huge.size(), kPromptLimit + 3);
  EXPECT_EQ(huge.substr(0, 36), u"(Currently " + std::u16string(kPromptWordLimit, u'9') + u"\r");
  EXPECT_EQ(huge.substr(kPromptLimit), u"...");
}

}  // namespace
}  // namespace quillet
