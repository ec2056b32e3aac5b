#include "platform/qt/qt_print_surface.h"

#include <cups/cups.h>
#include <dlfcn.h>

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>
#include <QString>
#include <filesystem>
#include <string_view>

#include "common/text_file.h"

namespace quillet {
namespace {

// 8 pt is exactly 160 device pixels here; at Qt's 1200 dpi it would be
// rounded to 7.98 pt and the characters of a line would drift.
constexpr int kResolution = 1440;

// The margins of the printable area on the printer's page, in device pixels.
// Qt gives the upright page's margins also for a landscape page
// (setPageOrientation does not turn them), so they are read upright and turned
// here a quarter turn counter-clockwise, as printers turn a landscape page:
// its left edge is the upright page's bottom edge and its top edge the left.
QMargins PrintableMargins(QPrinter& printer) {
  const QPageLayout::Orientation orientation = printer.pageLayout().orientation();
  printer.setPageOrientation(QPageLayout::Portrait);
  QPageLayout upright = printer.pageLayout();
  printer.setPageOrientation(orientation);
  upright.setMargins(upright.minimumMargins());
  const QMargins m = upright.marginsPixels(printer.resolution());
  if (orientation == QPageLayout::Portrait) return m;
  return {m.bottom(), m.left(), m.top(), m.right()};
}

// CUPS takes no job for a queue that refuses jobs, and Qt then ends the job
// as if it had printed: the queue is asked before the job starts. libcups is
// the one Qt's print plugin has loaded by then.
bool QueueRefusesJobs(const QPrinter& printer) {
  if (printer.outputFormat() != QPrinter::NativeFormat) return false;
  void* cups = dlopen("libcups.so.2", RTLD_LAZY);
  if (cups == nullptr) return false;
  const auto get_dest =
      reinterpret_cast<decltype(&cupsGetNamedDest)>(dlsym(cups, "cupsGetNamedDest"));
  const auto get_option = reinterpret_cast<decltype(&cupsGetOption)>(dlsym(cups, "cupsGetOption"));
  const auto free_dests = reinterpret_cast<decltype(&cupsFreeDests)>(dlsym(cups, "cupsFreeDests"));
  bool refuses = false;
  const QByteArray name = printer.printerName().toLocal8Bit();
  cups_dest_t* queue = get_dest != nullptr && get_option != nullptr && free_dests != nullptr
                           ? get_dest(CUPS_HTTP_DEFAULT, name.constData(), nullptr)
                           : nullptr;
  if (queue != nullptr) {
    const char* accepting =
        get_option("printer-is-accepting-jobs", queue->num_options, queue->options);
    refuses = accepting != nullptr && std::string_view(accepting) == "false";
    free_dests(1, queue);
  }
  dlclose(cups);
  return refuses;
}

}  // namespace

QtPrintSurface::QtPrintSurface(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {
  printer_->setResolution(kResolution);
  // The origin is the printable area's top-left, placed by StartJob.
  printer_->setFullPage(true);
}

QtPrintSurface::~QtPrintSurface() = default;

PrintDevice::Resolution QtPrintSurface::DeviceResolution() {
  const double dpi = printer_->resolution();
  return {dpi, dpi};
}

const QFontMetricsF& QtPrintSurface::Metrics(const PrintFont& font) {
  if (measured_ != font) {
    // Only the family: fontconfig maps "Courier New" to a metric-compatible face.
    font_.setFamily(QString::fromStdU16String(font.face));
    font_.setPointSizeF(font.points);
    metrics_.emplace(font_, printer_.get());
    measured_ = font;
  }
  return *metrics_;
}

Result<double> QtPrintSurface::LineHeight(const PrintFont& font) {
  return Metrics(font).lineSpacing();
}

void QtPrintSurface::SetOrientation(std::int16_t orientation) {
  printer_->setPageOrientation(orientation == kLandscape ? QPageLayout::Landscape
                                                         : QPageLayout::Portrait);
}

Result<PrintDevice::JobStart> QtPrintSurface::StartJob() {
  if (QueueRefusesJobs(*printer_)) return Status::Failure("it did not accept the job");
  const QMargins margins = PrintableMargins(*printer_);
  origin_ = QPointF(margins.left(), margins.top());
  QPaintDevice* target = printer_.get();
  if (printer_->outputFormat() == QPrinter::PdfFormat && !printer_->outputFileName().isEmpty()) {
    pdf_bytes_.emplace();
    pdf_bytes_->open(QIODevice::WriteOnly);
    QPdfWriter& pdf = pdf_.emplace(&*pdf_bytes_);
    pdf.setPdfVersion(printer_->pdfVersion());
    pdf.setCreator(printer_->creator());
    pdf.setTitle(printer_->docName());
    pdf.setResolution(printer_->resolution());
    pdf.setPageLayout(printer_->pageLayout());
    target = &pdf;
  }
  if (!painter_.begin(target)) return Status::Failure("it cannot be reached or written to");
  return JobStart::kStarted;
}

Status QtPrintSurface::PlaceText(const PlacedText& line) {
  const double ascent = Metrics(line.font).ascent();
  const double dpi = printer_->resolution();
  painter_.setFont(font_);
  // Leading blanks stay in the text: they advance like any character.
  painter_.drawText(origin_ + QPointF(line.x_inches * dpi, line.y_inches * dpi + ascent),
                    QString::fromStdU16String(line.text));
  return Status::Ok();
}

Status QtPrintSurface::EndJob() {
  if (!painter_.end() || printer_->printerState() == QPrinter::Error) {
    return Status::Failure("it did not take the whole page");
  }
  return Status::Ok();
}

void QtPrintSurface::AbortJob() {
  printer_->abort();
  if (painter_.isActive()) painter_.end();
  pdf_.reset();
  pdf_bytes_.reset();
}

Status QtPrintSurface::EndDoc() {
  if (Status printed = DevicePrintSurface::EndDoc(); !printed || !pdf_) return printed;
  pdf_.reset();
  const QByteArray bytes = pdf_bytes_->data();
  pdf_bytes_.reset();
  const std::filesystem::path file(QFile::encodeName(printer_->outputFileName()).toStdString());
  if (Status written =
          ReplaceFileBytes(file, {bytes.constData(), static_cast<std::size_t>(bytes.size())});
      !written) {
    TakeBackPage();
    return Status::Failure(written.message() + " Nothing was printed.");
  }
  return Status::Ok();
}

std::string QtPrintSurface::DeviceName() const {
  if (!printer_->outputFileName().isEmpty()) {
    return "the file \"" + QFileInfo(printer_->outputFileName()).fileName().toStdString() + "\"";
  }
  return "the printer \"" + printer_->printerName().toStdString() + "\"";
}

}  // namespace quillet
