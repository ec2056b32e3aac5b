#include "print/recording_surface.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace quillet {
namespace {

TEST(RecordingSurface, WritesOneLinePerCall) {
  struct Case {
    std::function<void(RecordingSurface&)> call;
    std::string line;
  };
  const Case cases[] = {
      {[](RecordingSurface& s) { s.ScaleMode(5); }, "ScaleMode 5"},
      {[](RecordingSurface& s) { s.Orientation(2); }, "Orientation 2"},
      {[](RecordingSurface& s) { s.ScaleLeft(-5.49f); }, "ScaleLeft -5.49"},
      {[](RecordingSurface& s) { s.ScaleTop(-4.6875f); }, "ScaleTop -4.6875"},
      {[](RecordingSurface& s) { s.FontName(u"Courier New"); }, "FontName Courier New"},
      {[](RecordingSurface& s) { s.CurrentY(0.0f); }, "CurrentY 0"},
      {[](RecordingSurface& s) { s.CurrentY(-0.0f); }, "CurrentY 0"},
      {[](RecordingSurface& s) { s.CurrentX(-0.0f); }, "CurrentX 0"},
      {[](RecordingSurface& s) { s.CurrentX(-5.0f); }, "CurrentX -5"},
      {[](RecordingSurface& s) { s.CurrentX(0.1f); }, "CurrentX 0.1"},
      {[](RecordingSurface& s) { s.CurrentX(1e-45f); }, "CurrentX 1e-45"},
      {[](RecordingSurface& s) { s.CurrentY(1e30f); }, "CurrentY 1e+30"},
      {[](RecordingSurface& s) { s.CurrentY(123456784.0f); }, "CurrentY 123456784"},
      {[](RecordingSurface& s) { (void)s.Print(u"    "); }, "Print \"    \""},
      {[](RecordingSurface& s) { (void)s.Print(u""); }, "Print \"\""},
      {[](RecordingSurface& s) { (void)s.Print(u"a\"b\\c"); }, "Print \"a\\\"b\\\\c\""},
      {[](RecordingSurface& s) { (void)s.Print(u"\t\r\n\x7F\x85"); },
       "Print \"\\u0009\\u000D\\u000A\\u007F\\u0085\""},
      {[](RecordingSurface& s) { (void)s.Print(u"\u00E4\u20AC\U0001F600"); },
       "Print \"\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80\""},
      {[](RecordingSurface& s) { (void)s.EndDoc(); }, "EndDoc"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> log;
    RecordingSurface surface(log);
    c.call(surface);
    ASSERT_EQ(log.size(), 1u) << c.line;
    EXPECT_EQ(log[0], c.line);
  }
}

TEST(RecordingSurface, FailsOnlyAtTheChosenPrintAndLeavesItOutOfTheLog) {
  for (int fail_at : {1, 2, 162}) {
    std::vector<std::string> log;
    RecordingSurface surface(log);
    surface.FailAtPrint(fail_at);
    for (int n = 1; n <= 170; ++n) {
      const Status status = surface.Print(std::u16string(1, static_cast<char16_t>(u'0' + n % 10)));
      EXPECT_EQ(status.ok(), n != fail_at) << n;
      if (!status.ok()) {
        EXPECT_FALSE(status.message().empty());
      }
    }
    EXPECT_TRUE(surface.EndDoc().ok());
    EXPECT_EQ(log.size(), 170u);
  }
}

}  // namespace
}  // namespace quillet
