// A printer dialog for tests: answers as scripted, with a recording surface.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "print/printer_dialog.h"
#include "print/recording_surface.h"

namespace quillet::testing {

class ScriptedPrinterDialog : public PrinterDialog {
 public:
  // kFail: the dialog itself fails, with kFailure as its message.
  enum Answer { kPrint, kDismiss, kFail };
  static constexpr char kFailure[] = "No printer is set up on this computer.";

  // The surfaces it gives write into `log`, which the test owns.
  explicit ScriptedPrinterDialog(std::vector<std::string>& log, Answer answer = kPrint)
      : log_(log), answer_(answer) {}

  // The surfaces given fail at their n-th Print (1-based).
  void FailAtPrint(int n) { fail_at_print_ = n; }
  // Runs while the dialog is "open", before it answers.
  void WhileOpen(std::function<void()> callback) { while_open_ = std::move(callback); }
  int times_shown() const { return times_shown_; }

  PrinterChoice ShowPrinter() override {
    ++times_shown_;
    if (while_open_) while_open_();
    if (answer_ == kDismiss) return PrinterChoice(nullptr);
    if (answer_ == kFail) return Status::Failure(kFailure);
    auto surface = std::make_unique<RecordingSurface>(log_);
    surface->FailAtPrint(fail_at_print_);
    return PrinterChoice(std::move(surface));
  }

 private:
  std::vector<std::string>& log_;
  Answer answer_;
  int fail_at_print_ = 0;
  int times_shown_ = 0;
  std::function<void()> while_open_;
};

}  // namespace quillet::testing
