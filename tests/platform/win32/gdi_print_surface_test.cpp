#include "platform/win32/gdi_print_surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "print/print_label.h"
#include "print/scale_mode.h"

namespace quillet {
namespace {

// What an enhanced metafile holds of the text drawn into it.
struct Drawn {
  POINTL at;  // reference point, in the reference device's pixels
  std::u16string text;
  UINT align;
};
struct Recording {
  std::vector<Drawn> texts;
  std::vector<LOGFONTW> fonts;
  UINT align = TA_NOUPDATECP | TA_TOP | TA_LEFT;  // a DC's default
};

int CALLBACK Collect(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
  auto& recording = *reinterpret_cast<Recording*>(data);
  const auto* bytes = reinterpret_cast<const char*>(record);
  switch (record->iType) {
    case EMR_SETTEXTALIGN:
      recording.align = reinterpret_cast<const EMRSETTEXTALIGN*>(record)->iMode;
      break;
    case EMR_EXTCREATEFONTINDIRECTW:
      recording.fonts.push_back(
          reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record)->elfw.elfLogFont);
      break;
    case EMR_EXTTEXTOUTW: {
      const EMRTEXT& text = reinterpret_cast<const EMREXTTEXTOUTW*>(record)->emrtext;
      std::u16string chars(text.nChars, u'\0');
      std::memcpy(chars.data(), bytes + text.offString, text.nChars * sizeof(char16_t));
      recording.texts.push_back({text.ptlReference, chars, recording.align});
      break;
    }
  }
  return 1;
}

// A metafile DC on the screen's resolution; Finish ends it and reads it back.
class Metafile {
 public:
  Metafile() : dc_(CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr)) {}
  ~Metafile() {
    if (dc_ != nullptr) DeleteEnhMetaFile(CloseEnhMetaFile(dc_));
  }
  HDC dc() const { return dc_; }
  int dpi_x() const { return GetDeviceCaps(dc_, LOGPIXELSX); }
  int dpi_y() const { return GetDeviceCaps(dc_, LOGPIXELSY); }
  Recording Finish() {
    const HENHMETAFILE file = CloseEnhMetaFile(dc_);
    dc_ = nullptr;
    Recording recording;
    EnumEnhMetaFile(nullptr, file, Collect, &recording, nullptr);
    DeleteEnhMetaFile(file);
    return recording;
  }

 private:
  HDC dc_;
};

// PrintLabel owns the surface it is given; this lends it the test's one.
class Lent : public PrintSurface {
 public:
  explicit Lent(PrintSurface& to) : to_(to) {}
  void ScaleMode(std::int16_t mode) override { to_.ScaleMode(mode); }
  void Orientation(std::int16_t orientation) override { to_.Orientation(orientation); }
  void ScaleLeft(float x) override { to_.ScaleLeft(x); }
  void ScaleTop(float y) override { to_.ScaleTop(y); }
  void CurrentX(float x) override { to_.CurrentX(x); }
  void CurrentY(float y) override { to_.CurrentY(y); }
  void FontName(const std::u16string& name) override { to_.FontName(name); }
  Status Print(const std::u16string& text) override { return to_.Print(text); }
  Status EndDoc() override { return to_.EndDoc(); }
  bool PrintedNothing() const override { return to_.PrintedNothing(); }

 private:
  PrintSurface& to_;
};

class LendingDialog : public PrinterDialog {
 public:
  explicit LendingDialog(PrintSurface& surface) : surface_(surface) {}
  PrinterChoice ShowPrinter() override { return PrinterChoice(std::make_unique<Lent>(surface_)); }

 private:
  PrintSurface& surface_;
};

std::vector<std::byte> PortraitSettings() {
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  mode.dmOrientation = DMORIENT_PORTRAIT;
  mode.dmFields = DM_ORIENTATION;
  std::vector<std::byte> bytes(sizeof mode);
  std::memcpy(bytes.data(), &mode, sizeof mode);
  return bytes;
}

TEST(GdiPrintSurface, PrintLabelPutsEachLineAtItsPlaceInDevicePixels) {
  struct Case {
    int group, index;
    Line line;
    std::u16string text, printed;  // printed: after the cut and Ctr
    double x, y;                   // the layout tables' inches, before the offsets
  };
  const Case cases[] = {
      {1, 0, Line::Text1, u"A", u"   A", -5, 0},
      {1, 0, Line::Text2, u" lead", u"  lead", -5, 0.125},  // leading blank kept
      {3, 5, Line::Text2, u"ABCDEFGHIJ", u"ABCDEFG", -2.1875, 0.875},
      {5, 4, Line::Text1, u"Q1", u"  Q1", -2.75, 1.5},
      {9, 8, Line::Text2, u"WXYZ", u"  WXYZ", -0.5, 3.125},
      {7, 2, Line::Text1, u"ä€&", u"  ä€&", -3.875, 2.25},
  };
  LabelSheet sheet;
  for (const Case& c : cases) sheet.SetText(c.group, c.index, c.line, c.text);

  Metafile metafile;
  GdiPrintSurface surface(metafile.dc(), PortraitSettings());
  LendingDialog dialog(surface);
  Result<PrintOutcome> outcome = PrintLabel(sheet, dialog, {0.25, -0.125});
  ASSERT_TRUE(outcome.ok()) << outcome.message();
  ASSERT_NE(surface.devmode(), nullptr);
  EXPECT_EQ(surface.devmode()->dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_TRUE(surface.devmode()->dmFields & DM_ORIENTATION);

  const double dpi_x = metafile.dpi_x(), dpi_y = metafile.dpi_y();
  const Recording drawn = metafile.Finish();
  ASSERT_EQ(drawn.texts.size(), 162u);
  for (const Drawn& text : drawn.texts) {
    EXPECT_EQ(text.align & (TA_BASELINE | TA_BOTTOM | TA_CENTER | TA_RIGHT | TA_UPDATECP), 0u);
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.printed.begin(), c.printed.end()));
    // Within half a device pixel of (x - ScaleLeft, y - ScaleTop) inches.
    const double want_x = (c.x + 0.25 - -5.49) * dpi_x;
    const double want_y = (c.y - 0.125 - -4.6875) * dpi_y;
    int found = 0;
    for (const Drawn& text : drawn.texts) {
      if (text.text != c.printed) continue;
      ++found;
      EXPECT_LE(std::abs(text.at.x - want_x), 0.5) << text.at.x << " vs " << want_x;
      EXPECT_LE(std::abs(text.at.y - want_y), 0.5) << text.at.y << " vs " << want_y;
    }
    EXPECT_EQ(found, 1);
  }

  ASSERT_FALSE(drawn.fonts.empty());
  for (const LOGFONTW& font : drawn.fonts) {
    EXPECT_EQ(std::wstring(font.lfFaceName), L"Courier New");
    // 8 pt, as a character height (negative), to the nearest device pixel.
    EXPECT_LT(font.lfHeight, 0);
    EXPECT_LE(std::abs(-font.lfHeight - 8 * dpi_y / 72), 0.5) << font.lfHeight;
  }
}

// In the DC's resolution: inches to its pixels, and Courier New's line.
TEST(GdiPrintSurface, TheNextLineStartsOneCourierNewLineLower) {
  Metafile metafile;
  const double dpi_x = metafile.dpi_x(), dpi_y = metafile.dpi_y();
  GdiPrintSurface surface(metafile.dc());
  surface.ScaleMode(kScaleInches);
  surface.ScaleLeft(-2);
  surface.ScaleTop(1);
  surface.CurrentX(-1.5f);
  surface.CurrentY(2);
  ASSERT_TRUE(surface.Print(u"one").ok());
  ASSERT_TRUE(surface.Print(u"two").ok());
  ASSERT_TRUE(surface.EndDoc().ok());
  const Recording drawn = metafile.Finish();
  ASSERT_EQ(drawn.texts.size(), 2u);
  EXPECT_NEAR(drawn.texts[0].at.x, dpi_x / 2, 0.5);
  EXPECT_NEAR(drawn.texts[0].at.y, dpi_y, 0.5);
  EXPECT_EQ(drawn.texts[1].at.x, 0);
  const double line = drawn.texts[1].at.y - drawn.texts[0].at.y;
  // Courier New's line at 8 pt is between 8 and 10 pt high.
  EXPECT_GE(line, 8 * dpi_y / 72 - 0.5);
  EXPECT_LE(line, 10 * dpi_y / 72 + 0.5);
}

// A memory DC takes no print job, as a printer that cannot be reached.
TEST(GdiPrintSurface, APrinterThatTakesNoJobIsAFailureNamingIt) {
  GdiPrintSurface surface(UniqueDc(CreateCompatibleDC(nullptr)), u"Office \u00e9", {});
  surface.ScaleMode(5);
  ASSERT_TRUE(surface.Print(u"x").ok());
  const Status ended = surface.EndDoc();
  ASSERT_FALSE(ended.ok());
  const std::string& message = ended.message();
  EXPECT_EQ(message.rfind("Could not start printing on the printer \"Office \u00e9\": ", 0), 0u)
      << message;
  EXPECT_NE(message.find("Nothing was printed."), std::string::npos) << message;
}

// A printer whose StartDoc fails as a cancelled Save-as box or a refusing queue makes it.
class StartDocFails : public GdiPrintSurface {
 public:
  explicit StartDocFails(DWORD error)
      : GdiPrintSurface(UniqueDc(CreateCompatibleDC(nullptr)), u"PDF", {}), error_(error) {}

 private:
  int StartDocument(const DOCINFOW&) override {
    SetLastError(error_);
    return SP_ERROR;
  }
  DWORD error_;
};

// A cancel is a dismissal that keeps the texts uncut; failures are in plain words.
TEST(GdiPrintSurface, ACancelledSaveAsBoxIsADismissalAndRefusalsArePlainWords) {
  const std::string start = "Could not start printing on the printer \"PDF\": ";
  const std::pair<DWORD, std::string> cases[] = {
      {ERROR_CANCELLED, ""},
      {ERROR_INVALID_HANDLE, start + "it did not accept the job. Nothing was printed."},
      {ERROR_NOT_SUPPORTED, start + "it did not accept the job. Nothing was printed."},
      {ERROR_OUT_OF_PAPER, start + "it is out of paper. Nothing was printed."},
      {ERROR_DISK_FULL, start + "no space left on device. Nothing was printed."},
  };
  for (const auto& [error, message] : cases) {
    SCOPED_TRACE(error);
    LabelSheet sheet;
    sheet.SetText(3, 5, Line::Text2, u"ABCDEFGHIJ");
    StartDocFails printer(error);
    LendingDialog dialog(printer);
    const Result<PrintOutcome> outcome = PrintLabel(sheet, dialog, {});
    EXPECT_EQ(outcome.message(), message);
    EXPECT_EQ(outcome.ok() && *outcome == PrintOutcome::kDismissed, message.empty());
    // Refused or cancelled, nothing came out: the cut text is given back.
    EXPECT_TRUE(sheet.GetText(3, 5, Line::Text2) == u"ABCDEFGHIJ");
  }
}

}  // namespace
}  // namespace quillet
