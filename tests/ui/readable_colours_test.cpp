// The contrast measure and the choice of a readable text colour.
#include "ui/readable_colours.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(ContrastRatio, MatchesTheKnownValues) {
  struct Case {
    Rgb a, b;
    double ratio;
  };
  const Case cases[] = {
      {kBlack, kWhite, 21.0},
      {kWhite, kBlack, 21.0},
      {kWhite, kWhite, 1.0},
      {{0x76, 0x76, 0x76}, kWhite, 4.54},  // the lightest grey readable on white
      {{0x77, 0x77, 0x77}, kWhite, 4.48},
      {{255, 0, 0}, kWhite, 4.00},
      {{0, 0, 255}, kBlack, 2.44},
      {{0xfc, 0xfc, 0xfc}, {0xff, 0xff, 0xff}, 1.03},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(ContrastRatio(c.a, c.b), c.ratio, 0.005)
        << int(c.a.red) << "," << int(c.a.green) << "," << int(c.a.blue);
  }
}

TEST(ReadableOn, KeepsAReadableColourAndOtherwiseTakesBlackOrWhite) {
  struct Case {
    const char* name;
    Rgb preferred, background, chosen;
  };
  const Case cases[] = {
      {"black on white", kBlack, kWhite, kBlack},
      {"light text on white", {0xfc, 0xfc, 0xfc}, kWhite, kBlack},
      {"just readable grey", {0x76, 0x76, 0x76}, kWhite, {0x76, 0x76, 0x76}},
      {"just unreadable grey", {0x77, 0x77, 0x77}, kWhite, kBlack},
      {"white on black", kWhite, kBlack, kWhite},
      {"black on black", kBlack, kBlack, kWhite},
      {"blue on dark blue", {0, 0, 255}, {0, 0, 0x40}, kWhite},
      {"yellow on mid grey", {255, 255, 0}, {0x80, 0x80, 0x80}, kBlack},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadableOn(c.preferred, c.background), c.chosen) << c.name;
    EXPECT_GE(ContrastRatio(ReadableOn(c.preferred, c.background), c.background),
              kMinimumTextContrast)
        << c.name;
  }
}

}  // namespace
}  // namespace quillet
