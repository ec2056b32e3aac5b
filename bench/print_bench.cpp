// In-process timings of the print path and of filling the sheet:
//   PrintLabel onto the recording surface (the layout alone),
//   PrintLabel into a PDF file through QtPrintSurface (the whole sheet, the
//   printer set up as the dialog hands it over, the file written and closed),
//   162 SetText with a listener attached: a counting one, and the window's
//   own, which mirrors every line into its box.
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
//
// Run: quillet_print_bench [--benchmark_repetitions=N]
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QLineEdit>
#include <QPrinter>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "calibration/calibration_file.h"
#include "platform/qt/qt_input_box.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/qt/qt_print_surface.h"
#include "platform/qt/qt_program_file_query.h"
#include "platform/qt/qt_program_starter.h"
#include "print/print_label.h"
#include "print/recording_surface.h"
#include "support/form1_access.h"
#include "ui/qt/form1.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;
using testing::CellBox;
using testing::SheetOf;

fs::path g_work;  // the working folder, with Quillex.dat

// Texts of every length the field holds, so that Ctr and the PDF glyph runs
// see the mix of a real sheet rather than one repeated string.
constexpr std::array<const char16_t*, 8> kTexts = {u"",      u"A",     u"B2",     u"Box",
                                                   u"Shelf", u"Ab 12", u"Jars 6", u"+-----+"};

const char16_t* TextFor(int group, int index, Line line, int round) {
  const int n = group * 11 + index * 3 + static_cast<int>(line) + round;
  return kTexts[static_cast<std::size_t>(n) % kTexts.size()];
}

void FillSheet(LabelSheet& sheet, int round = 0) {
  for (const CellAddress& cell : ReadingOrder()) {
    for (Line line : {Line::Text1, Line::Text2})
      sheet.SetText(cell, line, TextFor(cell.group, cell.index, line, round));
  }
}

// Hands over a new recording surface each time, on a log it empties first.
class RecordingDialog : public PrinterDialog {
 public:
  PrinterChoice ShowPrinter() override {
    log.clear();
    return std::unique_ptr<PrintSurface>(std::make_unique<RecordingSurface>(log));
  }
  std::vector<std::string> log;
};

// Hands over a PDF printer as QtPrinterDialog does after "Print to File (PDF)".
class PdfDialog : public PrinterDialog {
 public:
  explicit PdfDialog(fs::path pdf) : pdf_(std::move(pdf)) {}
  PrinterChoice ShowPrinter() override {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(pdf_.string()));
    return std::unique_ptr<PrintSurface>(std::make_unique<QtPrintSurface>(std::move(printer)));
  }

 private:
  fs::path pdf_;
};

void BM_PrintLabelRecording(benchmark::State& state) {
  LabelSheet sheet;
  FillSheet(sheet);
  RecordingDialog dialog;
  for (auto _ : state) {
    Result<PrintOutcome> outcome = PrintLabel(sheet, dialog, OffsetInches{});
    if (!outcome) {
      state.SkipWithError(outcome.status().message().c_str());
      break;
    }
  }
  state.counters["calls"] = static_cast<double>(dialog.log.size());
}
BENCHMARK(BM_PrintLabelRecording)->Unit(benchmark::kMicrosecond);

void BM_PrintLabelPdf(benchmark::State& state) {
  LabelSheet sheet;
  FillSheet(sheet);
  const fs::path pdf = g_work / "sheet.pdf";
  PdfDialog dialog(pdf);
  for (auto _ : state) {
    Result<PrintOutcome> outcome = PrintLabel(sheet, dialog, OffsetInches{});
    if (!outcome) {
      state.SkipWithError(outcome.status().message().c_str());
      break;
    }
  }
  std::error_code error;
  state.counters["pdf_bytes"] = static_cast<double>(fs::file_size(pdf, error));
  if (error) state.SkipWithError("no PDF was written");
}
BENCHMARK(BM_PrintLabelPdf)->Unit(benchmark::kMillisecond);

// Two rounds of texts in turn, so that every SetText changes its line.
void BM_SetText162CountingListener(benchmark::State& state) {
  LabelSheet sheet;
  long changes = 0;
  sheet.OnLineChanged([&changes, &sheet](int group, int index, Line line) {
    changes += static_cast<long>(sheet.GetText(group, index, line).size()) + 1;
  });
  int round = 0;
  for (auto _ : state) {
    FillSheet(sheet, round ^= 1);
    benchmark::DoNotOptimize(changes);
  }
}
BENCHMARK(BM_SetText162CountingListener)->Unit(benchmark::kMicrosecond);

void BM_SetText162Window(benchmark::State& state) {
  RecordingDialog printer;
  QtDialogOwner owner;
  QtInputBox input(owner);
  QtMessageBoxes messages(owner);
  QtProgramStarter starter(messages);
  QtProgramFileQuery program_file;
  Form1 window({printer, input, messages, starter, program_file});
  window.show();
  QApplication::processEvents();
  int round = 0;
  for (auto _ : state) {
    FillSheet(SheetOf(window), round ^= 1);
  }
  // A mirror that fell behind would make the numbers meaningless.
  for (const CellAddress& cell : ReadingOrder()) {
    if (CellBox(window, cell.group, cell.index, Line::Text2)->text().toStdU16String() !=
        SheetOf(window).GetText(cell, Line::Text2)) {
      state.SkipWithError("a box does not show its line");
      break;
    }
  }
}
BENCHMARK(BM_SetText162Window)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quillet

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  // A private working folder: the window reads and creates Quillex.dat in it.
  std::string work_template =
      (std::filesystem::temp_directory_path() / "quillet-bench.XXXXXX").string();
  if (mkdtemp(work_template.data()) == nullptr) {
    std::perror("mkdtemp");
    return 1;
  }
  quillet::g_work = work_template;
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(quillet::g_work);
  if (!quillet::WriteCalibration(0, 0, quillet::g_work / quillet::kCalibrationFileName)) {
    std::fprintf(stderr, "could not write the calibration file in %s\n", work_template.c_str());
    return 1;
  }

  benchmark::Initialize(&argc, argv);
  int status = 0;
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    status = 1;
  } else {
    benchmark::RunSpecifiedBenchmarks();
  }
  benchmark::Shutdown();
  std::filesystem::current_path(previous);
  std::filesystem::remove_all(quillet::g_work);
  return status;
}
