#include "print/device_print_surface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/ansi_text.h"

namespace quillet {
namespace {

// A device of 300 x 600 pixels per inch whose lines are 45 pixels apart; it
// writes down its calls and fails the step it is told to.
class FakeDevice : public DevicePrintSurface {
 public:
  enum Step { kNone, kResolution, kFont, kStart, kCancel, kSecondLine, kEnd };
  explicit FakeDevice(Step failing = kNone) : failing_(failing) {}

  std::vector<std::string> calls;
  std::vector<PlacedText> placed;

 private:
  Resolution DeviceResolution() override {
    return failing_ == kResolution ? Resolution{0, 600} : Resolution{300, 600};
  }
  Result<double> LineHeight(const PrintFont& font) override {
    calls.push_back("measure " + ToUtf8(font.face) + " " + std::to_string(font.points));
    if (failing_ == kFont) return Status::Failure("the font could not be set up");
    return 45.0;
  }
  void SetOrientation(std::int16_t orientation) override {
    calls.push_back("orientation " + std::to_string(orientation));
  }
  Result<JobStart> StartJob() override {
    if (Status started = Record(kStart, "start", "it is switched off"); !started) return started;
    return failing_ == kCancel ? JobStart::kCancelledByUser : JobStart::kStarted;
  }
  Status PlaceText(const PlacedText& line) override {
    placed.push_back(line);
    return Record(placed.size() == 2 ? kSecondLine : kNone, "place", "it ran out of paper");
  }
  Status EndJob() override { return Record(kEnd, "end", "it hung up"); }
  void AbortJob() override { calls.push_back("abort"); }
  std::string DeviceName() const override { return "the printer \"Fake\""; }

  Status Record(Step step, const char* call, const char* reason) {
    calls.push_back(call);
    return step != kNone && step == failing_ ? Status::Failure(reason) : Status::Ok();
  }

  Step failing_;
};

TEST(DevicePrintSurface, EveryScaleModePlacesTheLineAtTheSameInches) {
  // Each row places a line 1/2 inch right of and 1 inch below the printable
  // area's top-left, in that mode's units, then a second line after it.
  struct Case {
    std::int16_t mode;
    double per_inch_x, per_inch_y;
  };
  const Case cases[] = {{kScaleTwips, 1440, 1440},
                        {kScaleInches, 1, 1},
                        {4, 1440, 1440}};  // any other mode counts in twips
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    FakeDevice device;
    device.ScaleMode(c.mode);
    device.ScaleLeft(static_cast<float>(-2 * c.per_inch_x));
    device.ScaleTop(static_cast<float>(3 * c.per_inch_y));
    device.CurrentX(static_cast<float>(-1.5 * c.per_inch_x));
    device.CurrentY(static_cast<float>(4 * c.per_inch_y));
    ASSERT_TRUE(device.Print(u"one").ok());
    ASSERT_TRUE(device.Print(u"two").ok());
    ASSERT_TRUE(device.EndDoc().ok());
    ASSERT_EQ(device.placed.size(), 2u);
    EXPECT_NEAR(device.placed[0].x_inches, 0.5, 1e-6);
    EXPECT_NEAR(device.placed[0].y_inches, 1, 1e-6);
    // Print ends the line: the next starts at the left edge, 45 of 600 pixels lower.
    EXPECT_NEAR(device.placed[1].x_inches, 0, 1e-6);
    EXPECT_NEAR(device.placed[1].y_inches, 1.075, 1e-6);
    EXPECT_EQ(device.placed[1].text, u"two");
  }
}

TEST(DevicePrintSurface, ThePageWaitsForTheFirstEndDoc) {
  {
    FakeDevice gone;
    ASSERT_TRUE(gone.Print(u"half a page").ok());
    EXPECT_TRUE(gone.placed.empty());
    EXPECT_EQ(gone.calls, (std::vector<std::string>{"measure Courier New 8.000000"}));
  }
  FakeDevice device;
  device.Orientation(kLandscape);
  device.Orientation(0);  // neither portrait nor landscape: ignored
  device.Orientation(kPortrait);
  ASSERT_TRUE(device.Print(u"a").ok());
  device.FontName(u"Arial");  // a new face, the size kept
  ASSERT_TRUE(device.Print(u"b").ok());
  ASSERT_TRUE(device.EndDoc().ok());
  ASSERT_TRUE(device.EndDoc().ok());  // a second EndDoc starts no second job
  EXPECT_EQ(device.calls, (std::vector<std::string>{
                              "orientation 2", "orientation 1", "measure Courier New 8.000000",
                              "measure Arial 8.000000", "start", "place", "place", "end"}));
  ASSERT_EQ(device.placed.size(), 2u);
  EXPECT_EQ(device.placed[1].font, (PrintFont{u"Arial", 8}));
}

// A job the user cancelled as it started is no failure, and nothing is placed.
TEST(DevicePrintSurface, EveryFailureSaysWhereTheJobStoppedInOneWording) {
  const std::string not_started = "Could not start printing on the printer \"Fake\": ";
  const std::string cancelled =
      "Printing on the printer \"Fake\" failed before the page was done: ";
  const std::string kept = ". The job was cancelled, so nothing was printed.";
  const std::string measure = "measure Courier New 8.000000";
  struct Case {
    FakeDevice::Step step;
    bool at_print;  // the failure comes from Print, not from EndDoc
    std::string message;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {FakeDevice::kResolution,
       true,
       not_started + "it does not tell its resolution. Nothing was printed.",
       {}},
      {FakeDevice::kFont,
       true,
       not_started + "the font could not be set up. Nothing was printed.",
       {measure}},
      {FakeDevice::kStart,
       false,
       not_started + "it is switched off. Nothing was printed.",
       {measure, measure, "start"}},
      {FakeDevice::kCancel, false, "", {measure, measure, "start"}},  // no failure
      {FakeDevice::kSecondLine,
       false,
       cancelled + "it ran out of paper" + kept,
       {measure, measure, "start", "place", "place", "abort"}},
      {FakeDevice::kEnd,
       false,
       cancelled + "it hung up" + kept,
       {measure, measure, "start", "place", "place", "end", "abort"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    FakeDevice device(c.step);
    Status printed = device.Print(u"one");
    if (printed) printed = device.Print(u"two");
    EXPECT_EQ(printed.ok(), !c.at_print);
    const Status ended = c.at_print ? printed : device.EndDoc();
    EXPECT_EQ(ended.message(), c.message);
    EXPECT_EQ(device.calls, c.calls);
    EXPECT_TRUE(device.PrintedNothing());
  }
}

}  // namespace
}  // namespace quillet
