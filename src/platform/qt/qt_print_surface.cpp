#include "platform/qt/qt_print_surface.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include "print/scale_mode.h"

namespace quillet {
namespace {

// 8 pt is exactly 160 device pixels here; at Qt's 1200 dpi it would be
// rounded to 7.98 pt and the characters of a line would drift.
constexpr int kResolution = 1440;

}  // namespace

QtPrintSurface::QtPrintSurface(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {
  printer_->setResolution(kResolution);
  printer_->setFullPage(false);  // the origin is the printable area's top-left
  font_.setPointSizeF(kDefaultPointSize);
}

QtPrintSurface::~QtPrintSurface() = default;

void QtPrintSurface::ScaleMode(std::int16_t mode) {
  scale_mode_ = mode;
}

void QtPrintSurface::Orientation(std::int16_t orientation) {
  printer_->setPageOrientation(orientation == kLandscape ? QPageLayout::Landscape
                                                         : QPageLayout::Portrait);
}

void QtPrintSurface::ScaleLeft(float x) {
  scale_left_ = x;
}
void QtPrintSurface::ScaleTop(float y) {
  scale_top_ = y;
}
void QtPrintSurface::CurrentX(float x) {
  current_x_ = x;
}
void QtPrintSurface::CurrentY(float y) {
  current_y_ = y;
}

void QtPrintSurface::FontName(const std::u16string& name) {
  // Only the family: fontconfig maps "Courier New" to a metric-compatible face.
  font_.setFamily(QString::fromStdU16String(name));
}

double QtPrintSurface::UnitsPerInch() const {
  return quillet::UnitsPerInch(scale_mode_, printer_->resolution());
}

QPointF QtPrintSurface::ToDevice(double x, double y) const {
  const double pixels_per_unit = printer_->resolution() / UnitsPerInch();
  return QPointF((x - scale_left_) * pixels_per_unit, (y - scale_top_) * pixels_per_unit);
}

Status QtPrintSurface::Print(const std::u16string& text) {
  const QFontMetricsF metrics(font_, printer_.get());
  const QPointF top_left = ToDevice(current_x_, current_y_);
  // Leading blanks stay in the text: they advance like any character.
  page_.push_back({QPointF(top_left.x(), top_left.y() + metrics.ascent()), font_,
                   QString::fromStdU16String(text)});
  current_x_ = scale_left_;
  current_y_ += metrics.lineSpacing() / printer_->resolution() * UnitsPerInch();
  return Status::Ok();
}

std::string QtPrintSurface::PrinterName() const {
  if (!printer_->outputFileName().isEmpty()) {
    return "the file \"" + QFileInfo(printer_->outputFileName()).fileName().toStdString() + "\"";
  }
  return "the printer \"" + printer_->printerName().toStdString() + "\"";
}

Status QtPrintSurface::EndDoc() {
  if (ended_) return Status::Ok();
  ended_ = true;
  QPainter painter;
  if (!painter.begin(printer_.get())) {
    return Status::Failure("Could not start printing on " + PrinterName() +
                           ": it cannot be reached or written to. Nothing was printed.");
  }
  for (const PlacedText& line : page_) {
    painter.setFont(line.font);
    painter.drawText(line.baseline, line.text);
  }
  page_.clear();
  if (!painter.end() || printer_->printerState() == QPrinter::Error) {
    return Status::Failure("Printing on " + PrinterName() + " failed before the page was done.");
  }
  return Status::Ok();
}

}  // namespace quillet
