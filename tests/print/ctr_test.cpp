#include <gtest/gtest.h>

#include <string>

#include "print/print_label.h"

namespace quillet {
namespace {

TEST(Ctr, CentresInTheSevenCharacterFieldRoundingHalvesToEven) {
  struct Case {
    std::u16string text;
    std::size_t spaces;
  };
  const Case cases[] = {
      {u"", 4},         {u"A", 3},
      {u"AB", 2},       {u"ABC", 2},
      {u"ABCD", 2},     {u"ABCDE", 1},
      {u"ABCDEF", 0},   {u"ABCDEFG", 0},
      {u" ", 3},        {u"  x  ", 1},
      {u"+-----+", 0},  {u"\U0001F600", 2},            // 2 code units
      {u"ABCDEFGH", 0}, {u"ABCDEFGHIJKLMNOPQRST", 0},  // never asked
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Ctr(c.text), std::u16string(c.spaces, u' ') + c.text) << "length " << c.text.size();
  }
}

}  // namespace
}  // namespace quillet
