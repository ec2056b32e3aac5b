// Doubles of every outside thing the main window works through, and the
// Services that hand them to a window or its behaviour.
#pragma once

#include <string>
#include <vector>

#include "support/fake_program_starter.h"
#include "support/recording_message_boxes.h"
#include "support/scripted_input_box.h"
#include "support/scripted_printer_dialog.h"
#include "ui/services.h"

namespace quillet::testing {

// A program file with known facts.
class FixedProgramFile : public ProgramFileQuery {
 public:
  ProgramFileFacts Query() override {
    return {u"C:\\QUILLET.EXE", FileTimestamp{2002, 5, 2, 15, 2}, 90112};
  }
};

struct WindowServices {
  // The references stay valid while this object lives.
  Services ForWindow() { return {printer, input, messages, starter, program_file}; }

  std::vector<std::string> printed;  // what the printer dialog's surfaces record
  ScriptedPrinterDialog printer{printed};
  ScriptedInputBox input;
  RecordingMessageBoxes messages;
  FakeProgramStarter starter;
  FixedProgramFile program_file;
};

}  // namespace quillet::testing
