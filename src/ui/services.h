// The outside things the main window works through, handed in by whoever
// starts it: each platform's own implementations in the program, doubles in
// the tests.
#pragma once

#include "about/program_file_query.h"
#include "calibration/input_box.h"
#include "common/message_boxes.h"
#include "labellist/program_starter.h"
#include "print/printer_dialog.h"

namespace quillet {

struct Services {
  PrinterDialog& printer_dialog;
  InputBox& input_box;
  MessageBoxes& messages;
  ProgramStarter& program_starter;
  ProgramFileQuery& program_file;
};

}  // namespace quillet
