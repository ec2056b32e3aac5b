// A main window on doubles of every outside thing, in a fresh working directory.
#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>

#include <memory>
#include <string>
#include <vector>

#include "support/fake_program_starter.h"
#include "support/recording_message_boxes.h"
#include "support/scripted_input_box.h"
#include "support/scripted_printer_dialog.h"
#include "support/temp_dir.h"
#include "ui/qt/form1.h"

namespace quillet::testing {

class FixedProgramFile : public ProgramFileQuery {
 public:
  ProgramFileFacts Query() override {
    return {u"/opt/quillet/bin/quillet", FileTimestamp{2002, 5, 2, 15, 2}, 90112};
  }
};

class Form1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    window = std::make_unique<Form1>(Services{printer, input, messages, starter, program_file});
    window->SetEndProgram([this] { ++ended; });
  }
  void TearDown() override { window.reset(); }

  QLineEdit* Box(int group, int index, Line line) { return window->CellBox(group, index, line); }

  TempDir folder{TempDir::kEnter};  // first, so the window loads inside it
  std::vector<std::string> printed;
  ScriptedPrinterDialog printer{printed};
  ScriptedInputBox input;
  RecordingMessageBoxes messages;
  FakeProgramStarter starter;
  FixedProgramFile program_file;
  std::unique_ptr<Form1> window;
  int ended = 0;
};

}  // namespace quillet::testing
