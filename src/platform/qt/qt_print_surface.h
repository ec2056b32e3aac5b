// The PrintSurface on a real printer or PDF file, through QPrinter and QPainter.
#pragma once

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPointF>
#include <memory>
#include <optional>

#include "print/device_print_surface.h"

class QPrinter;

namespace quillet {

class QtPrintSurface : public DevicePrintSurface {
 public:
  // Takes the printer as the dialog left it; sets a resolution at which the
  // default 8 pt font is a whole number of device pixels.
  explicit QtPrintSurface(std::unique_ptr<QPrinter> printer);
  // Without EndDoc nothing reaches the printer or the output file.
  ~QtPrintSurface() override;

  // Prints the page; into a PDF file, the file is written only then, whole,
  // so that a failure (a full disk) leaves no broken file and is reported.
  Status EndDoc() override;

 private:
  Resolution DeviceResolution() override;
  Result<double> LineHeight(const PrintFont& font) override;
  void SetOrientation(std::int16_t orientation) override;
  // The painter begins only here: QPrinter cannot take back a started job
  // (abort() does nothing for PDF and CUPS output). A PDF file's page is
  // painted into memory.
  Result<JobStart> StartJob() override;
  // The top of the line lies one ascent above the baseline Qt draws on.
  Status PlaceText(const PlacedText& line) override;
  Status EndJob() override;
  void AbortJob() override;
  std::string DeviceName() const override;

  // The font and its measures on the printer, kept for the next line in it.
  const QFontMetricsF& Metrics(const PrintFont& font);

  std::unique_ptr<QPrinter> printer_;
  // The PDF file's page while it is painted; gone once the file is written.
  std::optional<QBuffer> pdf_bytes_;
  std::optional<QPdfWriter> pdf_;
  QPainter painter_;  // after the writer: it ends before the writer goes
  // The printable area's top-left corner on the page, in device pixels.
  QPointF origin_;
  std::optional<PrintFont> measured_;
  QFont font_;
  std::optional<QFontMetricsF> metrics_;
};

}  // namespace quillet
