// The PrintSurface on a real printer or PDF file, through QPrinter and QPainter.
#pragma once

#include <QFont>
#include <QPointF>
#include <QString>
#include <memory>
#include <vector>

#include "print/print_surface.h"
#include "print/scale_mode.h"

class QPrinter;

namespace quillet {

class QtPrintSurface : public PrintSurface {
 public:
  // Takes the printer as the dialog left it; sets a resolution at which the
  // default 8 pt font is a whole number of device pixels.
  explicit QtPrintSurface(std::unique_ptr<QPrinter> printer);
  // Without EndDoc nothing reaches the printer or the output file.
  ~QtPrintSurface() override;

  void ScaleMode(std::int16_t mode) override;
  void Orientation(std::int16_t orientation) override;
  void ScaleLeft(float x) override;
  void ScaleTop(float y) override;
  void CurrentX(float x) override;
  void CurrentY(float y) override;
  void FontName(const std::u16string& name) override;
  Status Print(const std::u16string& text) override;
  Status EndDoc() override;

  QPrinter& printer() { return *printer_; }

  // The font size that printing leaves as it is.
  static constexpr double kDefaultPointSize = 8;

 private:
  struct PlacedText {
    QPointF baseline;  // device pixels from the printable area's top-left
    QFont font;
    QString text;
  };

  // The one conversion from page coordinates to device pixels.
  QPointF ToDevice(double x, double y) const;
  double UnitsPerInch() const;
  std::string PrinterName() const;

  std::unique_ptr<QPrinter> printer_;
  QFont font_;
  std::int16_t scale_mode_ = kScaleTwips;
  double scale_left_ = 0;
  double scale_top_ = 0;
  double current_x_ = 0;
  double current_y_ = 0;
  // Kept until EndDoc: QPrinter cannot take back a started job (abort() does
  // nothing for PDF and CUPS output), so the painter begins only then.
  std::vector<PlacedText> page_;
  bool ended_ = false;
};

}  // namespace quillet
