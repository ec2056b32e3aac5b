// The outside things the main window works through, handed in by whoever
// starts it: the Qt implementations in the program, doubles in the tests.
#pragma once

#include "about/about_text.h"
#include "calibration/calibration_entry.h"
#include "common/message_boxes.h"
#include "labellist/label_list.h"
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
