#include "platform/qt/qt_print_surface.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>

#include <map>
#include <memory>
#include <string>

#include "platform/qt/qt_printer_dialog.h"
#include "print/print_label.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::unique_ptr<QPrinter> PdfPrinter(const std::filesystem::path& pdf) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(QString::fromStdString(pdf.string()));
  return printer;
}

// Gives one prepared surface, as if the user had picked its printer.
class GivenSurfaceDialog : public PrinterDialog {
 public:
  explicit GivenSurfaceDialog(std::unique_ptr<PrintSurface> surface)
      : surface_(std::move(surface)) {}
  PrinterChoice ShowPrinter() override { return PrinterChoice(std::move(surface_)); }

 private:
  std::unique_ptr<PrintSurface> surface_;
};

QString RunTool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
  EXPECT_EQ(process.exitCode(), 0) << program.toStdString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

struct Word {
  double x = 0, y = 0;
};

// Each word of the first page with the top-left corner of its box, in points.
std::map<std::string, Word> WordsOf(const std::filesystem::path& pdf) {
  const QString html = RunTool("pdftotext", {"-bbox", QString::fromStdString(pdf.string()), "-"});
  static const QRegularExpression kWord(
      "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" "
      "yMax=\"[0-9.]+\">([^<]*)</word>");
  std::map<std::string, Word> words;
  for (const auto& match : kWord.globalMatch(html)) {
    words[match.captured(3).toStdString()] = {match.captured(1).toDouble(),
                                              match.captured(2).toDouble()};
  }
  return words;
}

TEST(QtPrintSurface, PrintsEveryLabelAtItsPlaceInLiberationMono) {
  TempDir dir;
  const std::filesystem::path pdf = dir / "sheet.pdf";
  struct Case {
    int group, index;
    Line line;
    std::u16string text;
    int spaces;         // from Ctr
    double x_in, y_in;  // layout tables plus the offsets 0.25 and -0.5
  };
  const Case cases[] = {
      {1, 0, Line::Text1, u"A", 3, -5 + 0.25, 0 - 0.5},
      {3, 5, Line::Text2, u"ABCDEFGHIJ", 0, -2.1875 + 0.25, 0.875 - 0.5},  // printed as ABCDEFG
      {9, 8, Line::Text2, u"WXYZ", 2, -0.5 + 0.25, 3.125 - 0.5},
      {5, 4, Line::Text1, u"Q1", 2, -2.75 + 0.25, 1.5 - 0.5},
      {2, 1, Line::Text1, u"HELLO", 1, -4.4375 + 0.25, 0.375 - 0.5},
      {7, 2, Line::Text2, u"xyzuvw", 0, -3.875 + 0.25, 2.375 - 0.5},
  };
  LabelSheet sheet;
  for (const Case& c : cases) sheet.SetText(c.group, c.index, c.line, c.text);

  std::unique_ptr<QPrinter> printer = PdfPrinter(pdf);
  const QPrinter& printed_on = *printer;
  auto surface = std::make_unique<QtPrintSurface>(std::move(printer));
  EXPECT_EQ(printed_on.resolution(), 1440);  // 8 pt is whole pixels
  GivenSurfaceDialog dialog(std::move(surface));
  Result<PrintOutcome> outcome = PrintLabel(sheet, dialog, {0.25, -0.5});
  ASSERT_TRUE(outcome.ok()) << outcome.message();

  // A landscape A4 page, printable to its edges: the page's corner is the origin.
  EXPECT_TRUE(RunTool("pdfinfo", {QString::fromStdString(pdf.string())}).contains("842 x 595"));

  const std::map<std::string, Word> words = WordsOf(pdf);
  EXPECT_EQ(words.size(), std::size(cases));
  constexpr double kAdvance = 8 * 0.6;  // points per character of Liberation Mono at 8 pt
  for (const Case& c : cases) {
    const std::string text = QString::fromStdU16String(c.text.substr(0, 7)).toStdString();
    SCOPED_TRACE(text);
    const auto found = words.find(text);
    ASSERT_NE(found, words.end());
    EXPECT_NEAR(found->second.x, (c.x_in + 5.49) * 72 + c.spaces * kAdvance, 0.5);
    EXPECT_NEAR(found->second.y, (c.y_in + 4.6875) * 72, 0.5);
  }

  const QString fonts = RunTool("pdffonts", {QString::fromStdString(pdf.string())});
  EXPECT_TRUE(fonts.contains("LiberationMono")) << fonts.toStdString();
}

TEST(QtPrintSurface, SurfaceGoneWithoutEndDocSendsNothing) {
  TempDir dir;
  const std::filesystem::path fresh = dir / "fresh.pdf";
  const std::filesystem::path existing = dir / "existing.pdf";
  WriteBytes(existing, "the user's old file");
  for (const auto& pdf : {fresh, existing}) {
    QtPrintSurface surface(PdfPrinter(pdf));
    surface.ScaleMode(5);
    surface.CurrentX(0);
    surface.CurrentY(0);
    EXPECT_TRUE(surface.Print(u"half a page").ok());
  }
  EXPECT_FALSE(std::filesystem::exists(fresh));
  EXPECT_EQ(ReadBytes(existing), "the user's old file");
}

TEST(QtPrintSurface, OutputThatCannotBeWrittenIsAFailureNamingIt) {
  TempDir dir;
  const std::filesystem::path pdf = dir / "no such folder" / "out.pdf";
  QtPrintSurface surface(PdfPrinter(pdf));
  EXPECT_TRUE(surface.Print(u"x").ok());
  const Status ended = surface.EndDoc();
  EXPECT_EQ(ended.message(), "Could not write the file \"" + pdf.string() +
                                 "\": no such file or directory. Nothing was printed.");
}

// Plays `answer` on the print dialog once it is open, after `look` has seen it.
void WhenDialogOpens(std::function<void(QPrintDialog&)> answer, int attempts_left = 500) {
  QTimer::singleShot(10, [answer, attempts_left] {
    auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isVisible()) {
      if (attempts_left > 0) WhenDialogOpens(answer, attempts_left - 1);
      return;
    }
    answer(*dialog);
  });
}

TEST(QtPrinterDialog, DismissedGivesNothingAcceptedGivesASurfaceAndIsRemembered) {
  TempDir dir;
  QtDialogOwner owner;
  QtPrinterDialog dialog(owner);

  WhenDialogOpens([](QPrintDialog& open) { open.reject(); });
  PrinterChoice dismissed = dialog.ShowPrinter();
  ASSERT_TRUE(dismissed.ok()) << dismissed.message();
  EXPECT_EQ(dismissed.value(), nullptr);

  const QString chosen = QString::fromStdString((dir / "chosen.pdf").string());
  WhenDialogOpens([&](QPrintDialog& open) {
    // What the user picks ends up in the dialog's printer once it is accepted.
    open.printer()->setOutputFormat(QPrinter::PdfFormat);
    open.printer()->setOutputFileName(chosen);
    open.printer()->setCopyCount(2);
    open.done(QDialog::Accepted);
  });
  PrinterChoice accepted = dialog.ShowPrinter();
  ASSERT_TRUE(accepted.ok()) << accepted.message();
  std::unique_ptr<PrintSurface> surface = std::move(accepted).value();
  ASSERT_NE(surface, nullptr);
  ASSERT_NE(dynamic_cast<QtPrintSurface*>(surface.get()), nullptr);
  ASSERT_TRUE(surface->EndDoc().ok());
  EXPECT_TRUE(std::filesystem::exists(dir / "chosen.pdf"));  // the page goes where the user chose

  QString reopened_with;
  int reopened_copies = 0;
  WhenDialogOpens([&](QPrintDialog& open) {
    reopened_with = open.printer()->outputFileName();
    reopened_copies = open.printer()->copyCount();
    open.reject();
  });
  EXPECT_EQ(dialog.ShowPrinter().value(), nullptr);
  EXPECT_EQ(reopened_with, chosen);
  EXPECT_EQ(reopened_copies, 2);
}

}  // namespace
}  // namespace quillet
