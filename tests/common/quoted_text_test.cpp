// Texts quoted in messages: short, on one line, characters whole.
#include "common/quoted_text.h"

#include <gtest/gtest.h>

#include <string>

namespace quillet {
namespace {

TEST(QuotedText, MessageExcerptsAreShortAndKeepCharactersWhole) {
  EXPECT_EQ(MessageExcerpt(u"0.2x"), "0.2x");
  EXPECT_EQ(MessageExcerpt(std::u16string(40, u'a')), std::string(40, 'a'));
  EXPECT_EQ(MessageExcerpt(std::u16string(10000000, u'a')), std::string(40, 'a') + "...");
  // A surrogate pair straddling the cut is left out whole, not halved.
  const std::u16string emoji = std::u16string(39, u'a') + u"\U0001F600";
  EXPECT_EQ(MessageExcerpt(emoji + u"b"), std::string(39, 'a') + "...");
  // On one line, and whole: a NUL would end a message box's text on Windows.
  EXPECT_EQ(MessageExcerpt(std::u16string(u"0.2\0x\r\ny", 8)), "0.2 x  y");
}

}  // namespace
}  // namespace quillet
