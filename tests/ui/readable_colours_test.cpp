// The contrast measure and the choice of a readable text colour.
#include "ui/readable_colours.h"

#include "ui/form1_colours.h"

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

TEST(ColoursFor, TheStandardLookUnlessTheSchemeIsHighContrast) {
  struct Case {
    const char* name;
    DesktopScheme scheme;
    Form1Colours colours;  // background, filler, heading background, heading text
  };
  const Rgb grey{0xef, 0xef, 0xef};
  const Rgb light{0xfc, 0xfc, 0xfc};
  const Rgb mid_grey{0x76, 0x76, 0x76};
  const Case cases[] = {
      {"standard", {grey, kBlack, kWhite, kWhite, false}, {kWhite, kBlack, kWhite, kBlack}},
      // Windows 10 and Wine: caption text, once the background, is black there.
      {"windows default",
       {kWhite, kBlack, kWhite, kWhite, false},
       {kWhite, kBlack, kWhite, kBlack}},
      // Dark cells: a black filler beside them would look like an empty one.
      {"dark",
       {{0x2a, 0x2e, 0x32}, light, {0x1b, 0x1e, 0x20}, light, false},
       {kWhite, mid_grey, light, kBlack}},
      {"windows dark custom",
       {{0x20, 0x20, 0x20}, kWhite, kBlack, kWhite, false},
       {kWhite, mid_grey, kWhite, kBlack}},
      {"high contrast black",
       {kBlack, kWhite, kBlack, kBlack, true},
       {kBlack, kWhite, kBlack, kWhite}},
      {"high contrast white",
       {kWhite, kBlack, kWhite, kWhite, true},
       {kWhite, kBlack, kWhite, kBlack}},
      {"high contrast, unreadable pairs",
       {kBlack, {0x20, 0x20, 0x20}, kBlack, {0x10, 0x10, 0x10}, true},
       {kBlack, kWhite, {0x10, 0x10, 0x10}, kWhite}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Form1Colours colours = ColoursFor(c.scheme);
    EXPECT_EQ(colours, c.colours);
    EXPECT_GE(ContrastRatio(colours.filler, colours.background), kMinimumTextContrast);
    EXPECT_GE(ContrastRatio(colours.filler, c.scheme.box), 3);
    EXPECT_GE(ContrastRatio(colours.heading_text, colours.heading_background),
              kMinimumTextContrast);
  }
}

TEST(LooksHighContrast, OnlyNearlyBlackAndWhite) {
  EXPECT_TRUE(LooksHighContrast(kBlack, kWhite));
  EXPECT_TRUE(LooksHighContrast(kWhite, kBlack));
  EXPECT_FALSE(LooksHighContrast({0xef, 0xef, 0xef}, kBlack));  // Qt's standard light
  EXPECT_FALSE(LooksHighContrast({0xf0, 0xf0, 0xf0}, kBlack));  // Windows' dialog grey
  EXPECT_FALSE(LooksHighContrast({0x2a, 0x2e, 0x32}, {0xfc, 0xfc, 0xfc}));
}

}  // namespace
}  // namespace quillet
