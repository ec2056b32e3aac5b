// A PrintSurface that writes down every call, in order, as one line of text.
//
//   ScaleMode 5 / Orientation 2 / ScaleLeft -5.49 / FontName Courier New /
//   CurrentY 0 / CurrentX -5 / Print "    " / EndDoc
//
// Numbers are the shortest text that reads back as the same float; Print's text
// is in double quotes, UTF-8, with \" \\ and \uXXXX for control characters.
#pragma once

#include <string>
#include <vector>

#include "print/print_surface.h"

namespace quillet {

class RecordingSurface : public PrintSurface {
 public:
  // Calls are appended to `log`, which outlives the surface.
  explicit RecordingSurface(std::vector<std::string>& log) : log_(log) {}

  // Makes the n-th Print call (1-based) fail; 0 means never. The failing call
  // is not written down, so the log holds exactly what reached the page.
  void FailAtPrint(int n) { fail_at_print_ = n; }

  void ScaleMode(std::int16_t mode) override;
  void Orientation(std::int16_t orientation) override;
  void ScaleLeft(float x) override;
  void ScaleTop(float y) override;
  void CurrentX(float x) override;
  void CurrentY(float y) override;
  void FontName(const std::u16string& name) override;
  Status Print(const std::u16string& text) override;
  Status EndDoc() override;

 private:
  std::vector<std::string>& log_;
  int prints_ = 0;
  int fail_at_print_ = 0;
};

}  // namespace quillet
