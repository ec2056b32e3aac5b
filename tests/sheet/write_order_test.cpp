// The order in which operations write the sheet, as the window sees it
// through LineChanged: each write is shown at once, so the order is visible.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "calibration/calibrated_print.h"
#include "calibration/test_page.h"
#include "sheet/sheet_editing.h"
#include "support/scripted_printer_dialog.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

using testing::ScriptedPrinterDialog;
using testing::TempDir;
using testing::WriteBytes;

using Write = std::tuple<int, int, Line>;  // group, index, line
using Writes = std::vector<Write>;

// Index by index, group by group: both lines of each cell, Text1 first.
Writes CellByCell() {
  Writes writes;
  for (int index = 0; index <= 8; ++index) {
    for (int group = 1; group <= 9; ++group) {
      writes.emplace_back(group, index, Line::Text1);
      writes.emplace_back(group, index, Line::Text2);
    }
  }
  return writes;
}

// Index by index: Text1 of R1 to R9, then Text2 of R1 to R9.
Writes LineByLine() {
  Writes writes;
  for (int index = 0; index <= 8; ++index) {
    for (Line line : {Line::Text1, Line::Text2}) {
      for (int group = 1; group <= 9; ++group) writes.emplace_back(group, index, line);
    }
  }
  return writes;
}

Writes Join(std::initializer_list<Writes> parts) {
  Writes all;
  for (const Writes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

void FillLong(LabelSheet& sheet) {
  for (int group = 1; group <= 9; ++group) {
    for (int index = 0; index <= 8; ++index) {
      sheet.SetText(group, index, Line::Text1, u"12345678");
      sheet.SetText(group, index, Line::Text2, u"ABCDEFGHIJ");
    }
  }
}

TEST(WriteOrder, IsTheOrderEachOperationVisitsTheLines) {
  using Run = void (*)(LabelSheet&, const std::filesystem::path&);
  struct Case {
    const char* name;
    const char* calibration;
    Run run;
    Writes expected;
  };
  const Case cases[] = {
      {"truncation pass", "0\r\n0\r\n",
       [](LabelSheet& sheet, const std::filesystem::path& file) {
         std::vector<std::string> log;
         ScriptedPrinterDialog dialog(log);
         ASSERT_TRUE(PrintCalibrated(sheet, dialog, file).ok());
       },
       LineByLine()},
      // Fill, the offsets into the middle cell, cut both offsets, clear.
      {"test print", "-0.03125\r\n0.015625\r\n",
       [](LabelSheet& sheet, const std::filesystem::path& file) {
         std::vector<std::string> log;
         ScriptedPrinterDialog dialog(log);
         ASSERT_TRUE(PrintTest(sheet, dialog, file).ok());
       },
       Join({CellByCell(),
             {{5, 4, Line::Text1}, {5, 4, Line::Text2}, {5, 4, Line::Text1}, {5, 4, Line::Text2}},
             CellByCell()})},
      {"copy into the first cell of a row",
       nullptr,
       [](LabelSheet& sheet, const std::filesystem::path&) { CopyPreviousCell(sheet, 2, 0); },
       {{2, 0, Line::Text1}, {2, 0, Line::Text2}}},
      {"copy within a row",
       nullptr,
       [](LabelSheet& sheet, const std::filesystem::path&) { CopyPreviousCell(sheet, 9, 8); },
       {{9, 8, Line::Text1}, {9, 8, Line::Text2}}},
      {"clear", nullptr, [](LabelSheet& sheet, const std::filesystem::path&) { ClearIt(sheet); },
       CellByCell()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const auto file = dir / "Quillex.dat";
    if (c.calibration != nullptr) WriteBytes(file, c.calibration);
    LabelSheet sheet;
    FillLong(sheet);
    Writes writes;
    sheet.OnLineChanged(
        [&](int group, int index, Line line) { writes.emplace_back(group, index, line); });
    c.run(sheet, file);
    EXPECT_EQ(writes, c.expected);
  }
}

}  // namespace
}  // namespace quillet
