// A whole print from fuzz input: the first two input lines are the calibration
// file's lines, the next 162 the sheet's lines (column by column, Text1 of R1
// to R9 then Text2, as printing visits them), as UTF-8. PrintCalibrated then
// reads the file and prints onto a recording surface. When the offsets are usable numbers the page
// has its set-up, 162 lines in order and an end; when they are not, the call fails naming the file,
// and neither the sheet nor the page is touched.
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "calibration/calibrated_print.h"
#include "calibration/calibration_file.h"
#include "calibration/number_text.h"
#include "common/ansi_text.h"
#include "fuzz_check.h"
#include "print/recording_surface.h"

namespace {

class OneSurfaceDialog : public quillet::PrinterDialog {
 public:
  explicit OneSurfaceDialog(std::vector<std::string>& log) : log_(log) {}
  quillet::PrinterChoice ShowPrinter() override {
    ++shown;
    return quillet::PrinterChoice(std::make_unique<quillet::RecordingSurface>(log_));
  }
  int shown = 0;

 private:
  std::vector<std::string>& log_;
};

const std::filesystem::path& CalibrationFile() {
  static const std::filesystem::path file = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "quillet-fuzz-XXXXXX").string();
    FUZZ_CHECK(mkdtemp(pattern.data()) != nullptr);
    static const std::filesystem::path folder = pattern;
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(folder, ignored);
    });
    return folder / "Quillex.dat";
  }();
  return file;
}

std::vector<std::string_view> SplitLines(std::string_view bytes, std::size_t count) {
  std::vector<std::string_view> lines;
  while (lines.size() < count && !bytes.empty()) {
    const std::size_t lf = bytes.find('\n');
    lines.push_back(bytes.substr(0, lf));
    bytes = lf == std::string_view::npos ? std::string_view() : bytes.substr(lf + 1);
  }
  lines.resize(count);
  return lines;
}

// What the recording surface writes for one call, by way of a surface of its own.
template <typename Call>
std::string Recorded(Call call) {
  std::vector<std::string> log;
  quillet::RecordingSurface surface(log);
  call(surface);
  FUZZ_CHECK(log.size() == 1);
  return log[0];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using quillet::Line;
  constexpr int kSheetLines = 2 * quillet::CellCount;
  const std::vector<std::string_view> lines =
      SplitLines({reinterpret_cast<const char*>(data), size}, 2 + kSheetLines);

  const std::string file_bytes = std::string(lines[0]) + "\r\n" + std::string(lines[1]) + "\r\n";
  {
    std::ofstream out(CalibrationFile(), std::ios::binary | std::ios::trunc);
    out.write(file_bytes.data(), static_cast<std::streamsize>(file_bytes.size()));
    FUZZ_CHECK(out.good());
  }

  quillet::LabelSheet sheet;
  std::vector<std::u16string> typed;
  for (int index = 0, n = 2; index < quillet::CellsPerGroup; ++index) {
    for (Line line : {Line::Text1, Line::Text2}) {
      for (int group = 1; group <= quillet::GroupCount; ++group, ++n) {
        typed.push_back(quillet::FromUtf8(lines[n]));
        sheet.SetText(group, index, line, typed.back());
      }
    }
  }

  std::vector<std::string> log;
  OneSurfaceDialog dialog(log);
  const auto outcome = quillet::PrintCalibrated(sheet, dialog, CalibrationFile());

  const quillet::CalibrationOffsets offsets = quillet::ParseCalibration(file_bytes);
  const auto left_right = quillet::ParseOffset(offsets.LeftRight);
  const auto up_down = quillet::ParseOffset(offsets.UpDown);

  if (!left_right || !up_down || !quillet::IsUsableOffset(*left_right) ||
      !quillet::IsUsableOffset(*up_down)) {
    FUZZ_CHECK(!outcome.ok());
    FUZZ_CHECK(outcome.message().find("Quillex.dat") != std::string::npos);
    FUZZ_CHECK(dialog.shown == 0);
    FUZZ_CHECK(log.empty());
    for (int index = 0, n = 0; index < quillet::CellsPerGroup; ++index)
      for (Line line : {Line::Text1, Line::Text2})
        for (int group = 1; group <= quillet::GroupCount; ++group, ++n)
          FUZZ_CHECK(sheet.GetText(group, index, line) == typed[n]);
    return 0;
  }

  FUZZ_CHECK(outcome.ok());
  FUZZ_CHECK(*outcome == quillet::PrintOutcome::kPrinted);
  FUZZ_CHECK(dialog.shown == 1);
  // Set-up, then CurrentY, CurrentX and Print for each of the 162 lines, then EndDoc.
  FUZZ_CHECK(log.size() == 5 + 3 * kSheetLines + 1);
  FUZZ_CHECK(log[0] == "ScaleMode 5");
  FUZZ_CHECK(log[1] == "Orientation 2");
  FUZZ_CHECK(log[2] == "ScaleLeft -5.49");
  FUZZ_CHECK(log[3] == "ScaleTop -4.6875");
  FUZZ_CHECK(log[4] == "FontName Courier New");
  FUZZ_CHECK(log.back() == "EndDoc");

  std::size_t at = 5;
  for (int index = 0; index < quillet::CellsPerGroup; ++index) {
    const auto x = static_cast<float>(*left_right + (index * 0.5625 - 5));
    for (int group = 1; group <= quillet::GroupCount; ++group) {
      for (Line line : {Line::Text1, Line::Text2}) {
        // The sheet holds the typed text cut to its first 7 code units.
        const int n = index * 18 + (line == Line::Text1 ? 0 : 9) + (group - 1);
        const std::u16string& now = sheet.GetText(group, index, line);
        FUZZ_CHECK(now == typed[n].substr(0, 7));
        const double below = (group - 1) * 0.375 + (line == Line::Text1 ? 0 : 0.125);
        const auto y = static_cast<float>(*up_down + below);
        FUZZ_CHECK(std::isfinite(x) && std::isfinite(y));
        FUZZ_CHECK(log[at++] == Recorded([&](auto& s) { s.CurrentY(y); }));
        FUZZ_CHECK(log[at++] == Recorded([&](auto& s) { s.CurrentX(x); }));
        FUZZ_CHECK(log[at++] == Recorded([&](auto& s) { (void)s.Print(quillet::Ctr(now)); }));
      }
    }
  }
  return 0;
}
